// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// Markup of the Links and Templates pages and of "# Include...": anchors,
// the template markers the template filler looks for, server-side includes.
class LinkMarkup final
{
public:
    LinkMarkup() = delete;

    static QStringList prefixes(); // "http://", "mailto:", ...
    // "<A HREF="{prefix}{address}">"
    static QString linkOpen(const QString &prefix, const QString &address);
    static QString linkClose() { return QStringLiteral("</A>"); }

    struct Marker
    {
        const char *objectName; // handler of the menu entry
        QString caption; // menu entry
        QString buttonCaption;
        QString hint;
        QString name; // "<!--##" + name + "-->"
    };
    static const QList<Marker> &markers();
    // The marker on a line of its own, as inserted.
    static QString markerText(const QString &name);

    static QString includeFilter();
    static QString includeTag(const QString &path);
};

} // namespace Tarnwick

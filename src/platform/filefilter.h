// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// The filter of the file list and the open dialog, built from the valid page
// and graphic extensions ("html,htm" style settings).
class FileFilter
{
public:
    struct Entry
    {
        QString label;
        QStringList patterns; // "*.htm", "*.html", ...
    };

    // "Web Documents|*.html;*.htm;|HTMLFiles|*.html|Graphics|*.gif;*.jpg;|..."
    static QString build(const QString &extensions, const QString &graphicExtensions);
    // Splits a "Label|patterns|Label|patterns" filter into its entries.
    static QList<Entry> parse(const QString &filter);
    // The extensions of a comma-separated setting, without points or blanks.
    static QStringList extensionList(const QString &setting);
    // The extensions of a list as users and settings write it: separated by
    // commas, semicolons or blanks, each with or without "*." or ".".
    static QStringList looseExtensionList(const QString &list);
    // The entries of such a list as written ("*.htm", ".css", "txt").
    static QStringList listEntries(const QString &list);
};

} // namespace Tarnwick

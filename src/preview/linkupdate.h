// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace Tarnwick {

// One line of a page whose links change.
struct LinkLineChange
{
    int line = 1; // in the page as it was, from 1
    QString before;
    QString after;

    friend bool operator==(const LinkLineChange &, const LinkLineChange &) = default;
};

// A page's text with its links to a renamed or moved file changed.
struct PageLinkUpdate
{
    QString text;
    QList<LinkLineChange> lines; // empty when nothing links to the file

    bool changes() const { return !lines.isEmpty(); }
};

// Changes the links, images and backgrounds of a page that name a file which
// was renamed or moved, so that they name it at its new place. Only
// references that name the old file from the page's directory change; other
// sites, other files and text outside tags stay as they are, and a value's
// "#marker" or "?query" is kept.
class LinkUpdate final
{
public:
    LinkUpdate() = delete;

    static PageLinkUpdate rewrite(QStringView text, const QString &pageDirectory,
                                  const QString &oldPath, const QString &newPath);

    // The value that names `path` from `pageDirectory`, with the characters
    // that would end or split an attribute value written as %-escapes.
    static QString referenceTo(const QString &path, const QString &pageDirectory);
};

} // namespace Tarnwick

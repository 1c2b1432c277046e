// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// The entries of a tag menu file ("blkhlght.mnu", "textattr.mnu",
// "usercode.mnu"): one a line. A line wraps the selection in the tag named
// by its first word ("TT - Teletype"), or in the two halves of a tag pair
// text when it holds ".." ("B../B - Bold").
class MenuFile final
{
public:
    MenuFile() = delete;

    static constexpr int maxCaption = 100; // characters shown of a long line

    struct Entry
    {
        QString line; // what the entry inserts, whole
        QString caption; // what the menu shows, "&" meaning itself
    };

    // Blank lines make no entry; they stay in the file.
    static QList<Entry> entries(const QStringList &lines);
    static QString caption(const QString &line);

    // The three menus: file name, menu caption and dialog page, in order.
    static constexpr int menuCount = 3;
    static QString fileName(int index);
    static QString menuCaption(int index);
    static QString pageCaption(int index);
};

} // namespace Tarnwick

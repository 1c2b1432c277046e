// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

namespace Tarnwick {

// The tool buttons and menu items whose whole job is one fixed insertion,
// by object name. The tool pages and menus are built from this table, so a
// button and its menu item can never insert different markup.
class FixedTags final
{
public:
    // Wrap: InsertSelected with open (the close derived from it); Pair:
    // InsertSelected2 with open and close; Text: InsertText with open;
    // Caption: InsertCaptionAsTag with open; Heading: a menu entry caption
    // (CreateUnevenTags).
    enum class Kind { Wrap, Pair, Text, Caption, Heading };

    struct Entry
    {
        QString objectName;
        QString caption; // button caption or menu item text (with access key)
        QString hint;
        Kind kind = Kind::Text;
        QString open;
        QString close;
        QKeySequence shortcut;
    };

    FixedTags() = delete;

    static const QList<Entry> &entries();
    // The entry of that object name; nullptr when there is none.
    static const Entry *find(const QString &objectName);
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/tagpair.h"

#include <QColor>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// The markup of the tool pages' builders: lists, quick tables, font tags,
// the tag-choice pop-up and the form tags. Texts only; no widget, no editor.
class MarkupBuilder final
{
public:
    MarkupBuilder() = delete;

    static constexpr int maxListItems = 1600;
    static constexpr int maxTableRows = 1000;
    static constexpr int maxTableColumns = 30;

    struct ListOptions
    {
        bool ordered = true;
        int orderedStyle = 0; // index into orderedStyles(), 0 = "Default"
        int unorderedStyle = 0; // index into unorderedStyles(), 0 = "Default"
        int startAt = 1; // ordered lists only
        int itemCount = 1; // 1..maxListItems
    };
    static QStringList orderedStyles();
    static QStringList unorderedStyles();
    static QStringList definedList(const ListOptions &options);

    struct TableOptions
    {
        bool border = true;
        int widthPercent = 0; // written when above 0
        int rows = 1; // 1..maxTableRows
        int columns = 1; // 1..maxTableColumns
    };
    static QStringList quickTable(const TableOptions &options);

    // Lines as one text to insert, each followed by a line break (LF: the
    // editor's own, which it would turn a CR LF into anyway).
    static QString joinLines(const QStringList &lines);

    // Six upper-case hexadecimal digits, red first.
    static QString colorText(const QColor &color);

    struct FontChoice
    {
        QString face;
        int points = 0;
        QColor color = Qt::black;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
    };
    // The FONT tag with the style tags around it, nested properly.
    static TagPair fontTags(const FontChoice &font);

    // The four entries of the tag-choice pop-up of an arrow button.
    enum class Choice { Block, LineBreak, Bar };
    static Choice choiceFor(const QString &tagName);
    static QStringList choiceEntries(const QString &tagName);
    static QStringList choiceEntries(const QString &tagName, Choice choice);

    // The opening and closing form tags with their buttons, as one text.
    static QString formTags();
    static QString sampleMailAddress();
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace Tarnwick {

// What the template dialog writes into the slot below a marker, and how it
// reads a slot back into its fields. Every slot but the defaults is one line;
// a slot write always makes whole lines, without line breaks.
class TemplateSlot final
{
public:
    TemplateSlot() = delete;

    static QStringList alignments(); // "none", "left", "center", "right"
    static QStringList imageAlignments(); // "none", "top", "middle", "bottom", "left", "right"
    static QStringList docTypes(); // "none", then the four document type lines

    // Alignments hold an item text; empty or "none" writes no ALIGN.
    // Colours are six hex digits without "#"; empty writes none.
    struct Heading
    {
        QString text;
        int size = 1;
        QString align;
        QString color;
        friend bool operator==(const Heading &, const Heading &) = default;
    };
    struct Text
    {
        QString text; // may hold line breaks; they are written as blanks
        bool bold = false;
        bool underline = false;
        bool italics = false;
        QString align;
        friend bool operator==(const Text &, const Text &) = default;
    };
    struct Image
    {
        QString file;
        int width = 0;
        int height = 0;
        QString align;
        friend bool operator==(const Image &, const Image &) = default;
    };
    struct Link
    {
        QString url; // without "mailto:"
        QString text;
        bool imageLink = false;
        QString graphic;
        QString align;
        bool mailto = false;
        friend bool operator==(const Link &, const Link &) = default;
    };
    struct Body
    {
        QString background;
        QString text = QStringLiteral("000000");
        QString link = QStringLiteral("000000");
        QString vlink = QStringLiteral("000000");
        QString alink = QStringLiteral("000000");
        QString bgcolor = QStringLiteral("FFFFFF");
        bool fixed = false;
        int leftMargin = -1; // below 0: not written
        int rightMargin = -1;
        friend bool operator==(const Body &, const Body &) = default;
    };
    struct Defaults
    {
        QString title;
        QString keywords;
        QString description;
        QString docType = QStringLiteral("none");
        friend bool operator==(const Defaults &, const Defaults &) = default;
    };

    // nullopt: the slot is left as it stands (no heading text, no text).
    static std::optional<QString> write(const Heading &fields);
    static std::optional<QString> write(const Text &fields);
    // An empty file name or URL empties the slot.
    static QString write(const Image &fields);
    static QString write(const Link &fields);
    static QString write(const Body &fields);
    static QStringList write(const Defaults &fields); // three lines

    // Fields read from a slot, starting from the initial values; an empty
    // slot leaves them all so.
    static Heading readHeading(const QString &line);
    static Text readText(const QString &line);
    static Image readImage(const QString &line);
    static Link readLink(const QString &line, bool mailto);
    static Body readBody(const QString &line);
    static Defaults readDefaults(const QStringList &lines);

    // The value of the first attribute of that name (matched whole and
    // ignoring case) in a tag on the line. A quoted value runs to its closing
    // quote; "&quot;" in it reads as a double quote.
    static std::optional<QString> attributeValue(const QString &line, const QString &name);
    // What follows the middle ">" of the line up to the next "<": the text of
    // the innermost element of a line of nested elements.
    static QString elementText(const QString &line);
    // True when the two lines make the same markup: tag and attribute names and
    // attribute values ignoring case, attributes in any order and however
    // quoted, blanks counted once. Words keep their case.
    static bool sameMarkup(const QString &a, const QString &b);
    // True when the line holds an opening tag of that name.
    static bool hasTag(const QString &line, const QString &name);
};

} // namespace Tarnwick

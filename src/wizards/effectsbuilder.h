// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// The markup of the Web Effects pages: options in, lines out. Texts only; no
// widget, no editor, no file.
class EffectsBuilder final
{
public:
    EffectsBuilder() = delete;

    static constexpr int listGridRows = 100;
    static constexpr int maxCarriedSelection = 154;

    struct Header
    {
        QString text;
        int size = 1; // 1..6
        QString justify = QStringLiteral("none"); // "none", "left", "center", "right"
    };
    static QStringList headerLines(const Header &options);

    struct Table
    {
        int columns = 2; // 1..10
        int rows = 2; // 1..100
        int padding = 1;
        int spacing = 2;
        int width = 0; // percent, written when above 0
        bool border = true;
        QString justify = QStringLiteral("left");
        QString caption;
        QString captionLocation = QStringLiteral("Top");
        int captionSize = 5;
        QList<QStringList> cells; // [row - 1][column - 1]; missing or empty is no text
    };
    static QStringList tableLines(const Table &options);

    enum class ListType { Ordered, UnOrder, Definition, Directory, Menu };
    static QStringList listTypeNames();
    struct List
    {
        ListType type = ListType::Ordered;
        ListType childType = ListType::Ordered;
        int parents = 4; // 1..100
        int children = 0; // per parent, 0..100
        QStringList items; // the item grid, row 1 first; rows past it count as empty
    };
    static QStringList listLines(const List &options);

    struct Image
    {
        QString file; // as the tag names it
        QString alternateText;
        QString width;
        QString height;
        QString align = QStringLiteral("none");
        bool center = false;
        bool isMap = false; // ticked
        QString mapName; // of map lines made for it; empty when there are none
    };
    // The preview's form: a sample line with the picture in it.
    static QStringList imagePreviewLines(const Image &options);
    // The tag inserted into the page.
    static QStringList imageTagLines(const Image &options);

    // The formatting options of document text, in the order they open.
    enum TextOption {
        Subscript = 1 << 0,
        Superscript = 1 << 1,
        Code = 1 << 2,
        Citation = 1 << 3,
        Variable = 1 << 4,
        BlockQuote = 1 << 5,
        Blink = 1 << 6,
        Address = 1 << 7,
        Typewriter = 1 << 8,
        Paragraph = 1 << 9,
        Underline = 1 << 10,
        Italics = 1 << 11,
        Bold = 1 << 12,
        Center = 1 << 13,
        UseSize = 1 << 14,
    };
    struct DocumentText
    {
        QString text; // lines separated by line feeds
        int options = 0; // TextOption flags
        int size = 3; // 1..7, with UseSize
    };
    static QStringList documentTextLines(const DocumentText &options);

    struct Reference
    {
        QString description = QStringLiteral("Reference");
        QString url;
        QString justify = QStringLiteral("none"); // "none", "left", "center"
        bool anchor = false; // a page anchor rather than a URL
    };
    static QStringList referenceLines(const Reference &options);

    struct Applet
    {
        QString codebase;
        QString code; // the class file's name
        QString name;
        QString title;
        QString height;
        QString width;
        QString align;
    };
    // Code, Width and Height must all be given.
    static bool appletComplete(const Applet &options);
    static QString appletMissingMessage();
    static QStringList appletLines(const Applet &options);

    // A value as it stands inside a double-quoted attribute.
    static QString quoted(const QString &value);
    // Lines made one line for an unguided Add. A break between two words
    // becomes a blank so they stay apart; next to a tag it just goes.
    static QString oneLine(const QStringList &lines);
    // The editor's selection as it is carried over into the pages: 1 to 154
    // characters, line breaks made blanks; empty otherwise.
    static QString carriedSelection(const QString &selection);
};

} // namespace Tarnwick

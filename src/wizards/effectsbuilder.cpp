// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/effectsbuilder.h"

#include <QRegularExpression>

#include <array>
#include <utility>

namespace Tarnwick {

namespace {

std::pair<QString, QString> listTags(EffectsBuilder::ListType type)
{
    switch (type) {
    case EffectsBuilder::ListType::Ordered:
        return { QStringLiteral("<ol>"), QStringLiteral("</ol>") };
    case EffectsBuilder::ListType::UnOrder:
        return { QStringLiteral("<ul>"), QStringLiteral("</ul>") };
    case EffectsBuilder::ListType::Directory:
        return { QStringLiteral("<dir>"), QStringLiteral("</dir>") };
    case EffectsBuilder::ListType::Menu:
        return { QStringLiteral("<menu>"), QStringLiteral("</menu>") };
    case EffectsBuilder::ListType::Definition:
        break;
    }
    // Definition children have no list of their own: they stand between empty lines.
    return { QString(), QString() };
}

struct TextTag
{
    EffectsBuilder::TextOption option;
    const char *open;
    const char *close;
};

// In opening order; they close in the reverse order.
constexpr std::array<TextTag, 14> textTags { {
    { EffectsBuilder::Subscript, "<SUB>", "</SUB>" },
    { EffectsBuilder::Superscript, "<SUP>", "</SUP>" },
    { EffectsBuilder::Code, "<code>", "</code>" },
    { EffectsBuilder::Citation, "<cite>", "</cite>" },
    { EffectsBuilder::Variable, "<var>", "</var>" },
    { EffectsBuilder::BlockQuote, "<blockquote>", "</blockquote>" },
    { EffectsBuilder::Blink, "<blink>", "</blink>" },
    { EffectsBuilder::Address, "<address>", "</address>" },
    { EffectsBuilder::Typewriter, "<tt>", "</tt>" },
    { EffectsBuilder::Paragraph, "<p>", "</p>" },
    { EffectsBuilder::Underline, "<u>", "</u>" },
    { EffectsBuilder::Italics, "<i>", "</i>" },
    { EffectsBuilder::Bold, "<b>", "</b>" },
    { EffectsBuilder::Center, "<center>", "</center>" },
} };

bool justified(const QString &justify)
{
    return !justify.isEmpty() && justify != QLatin1String("none");
}

QString attribute(const char *name, const QString &value)
{
    return QLatin1String(name) + QStringLiteral("=\"") + EffectsBuilder::quoted(value)
        + QLatin1Char('"');
}

} // namespace

QStringList EffectsBuilder::headerLines(const Header &options)
{
    const QString size = QString::number(options.size);
    QString open = QStringLiteral("<H") + size;
    if (justified(options.justify))
        open += QStringLiteral(" ALIGN=\"") + options.justify + QLatin1Char('"');
    return { open + QLatin1Char('>') + options.text + QStringLiteral("</H") + size
                 + QLatin1Char('>'),
             QString() };
}

QStringList EffectsBuilder::tableLines(const Table &options)
{
    QString start = QStringLiteral("<table ");
    if (options.border)
        start += QStringLiteral("border ");
    if (options.width > 0)
        start += QStringLiteral("width=") + QString::number(options.width) + QStringLiteral("% ");
    start += QStringLiteral("align=") + options.justify + QLatin1Char(' ');
    if (options.padding != 1)
        start
            += QStringLiteral("cellpadding=") + QString::number(options.padding) + QLatin1Char(' ');
    if (options.spacing != 1)
        start
            += QStringLiteral("cellspacing=") + QString::number(options.spacing) + QLatin1Char(' ');
    QStringList lines { start + QLatin1Char('>') };
    if (!options.caption.isEmpty()) {
        const QString size = QString::number(options.captionSize);
        lines << QStringLiteral("<caption align=") + options.captionLocation + QStringLiteral("><h")
                + size + QLatin1Char('>') + options.caption + QStringLiteral("</h") + size
                + QStringLiteral("></caption>");
    }
    for (int r = 1; r <= options.rows; ++r) {
        lines << QStringLiteral("<tr>");
        const QStringList row = options.cells.value(r - 1);
        for (int c = 1; c <= options.columns; ++c) {
            const QString text = row.value(c - 1);
            lines << QStringLiteral("<td>")
                    + (text.isEmpty() ? QStringLiteral("Cell:") + QString::number(r)
                               + QLatin1Char(',') + QString::number(c)
                                      : text)
                    + QStringLiteral("</td>");
        }
        lines << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</table>");
    return lines;
}

QStringList EffectsBuilder::listTypeNames()
{
    return { QStringLiteral("Ordered"), QStringLiteral("UnOrder"), QStringLiteral("Definition"),
             QStringLiteral("Directory"), QStringLiteral("Menu") };
}

QStringList EffectsBuilder::listLines(const List &options)
{
    QStringList lines;
    if (options.type == ListType::Definition) {
        lines << QStringLiteral("<dl>");
        for (int p = 1; p <= options.parents; ++p) {
            const QString n = QString::number(p);
            lines << QStringLiteral("<dt> Line:") + n + QStringLiteral(" <dd>Line ") + n
                    + QStringLiteral("'s definition");
        }
        lines << QStringLiteral("</dl>");
        return lines;
    }
    // Only the grid's rows hold text; rows past them are empty.
    int row = 0;
    const auto nextRow = [&] {
        const QString text = row < listGridRows ? options.items.value(row) : QString();
        ++row;
        return text;
    };
    const auto [open, close] = listTags(options.type);
    const auto [childOpen, childClose] = listTags(options.childType);
    lines << open;
    for (int p = 1; p <= options.parents; ++p) {
        const QString text = nextRow();
        lines << QStringLiteral("<li>")
                + (text.isEmpty() ? QStringLiteral(" Line:") + QString::number(p) : text);
        if (options.children <= 0)
            continue;
        lines << childOpen;
        for (int c = 1; c <= options.children; ++c) {
            const QString child = nextRow();
            lines << QStringLiteral("<li>")
                    + (child.isEmpty() ? QStringLiteral(" Child Line:") + QString::number(c)
                                       : child);
        }
        lines << childClose;
    }
    lines << close;
    return lines;
}

QStringList EffectsBuilder::imagePreviewLines(const Image &options)
{
    QString tag = QStringLiteral("sample<img ") + attribute("src", options.file) + QLatin1Char(' ')
        + attribute("alt", options.alternateText);
    if (options.isMap)
        tag += QStringLiteral(" ismap ");
    if (justified(options.align))
        tag += QLatin1Char(' ') + attribute("ALIGN", options.align);
    tag += QLatin1Char(' ') + attribute("WIDTH", options.width) + QLatin1Char(' ')
        + attribute("HEIGHT", options.height) + QStringLiteral(">text");
    if (options.center)
        tag = QStringLiteral("<center>") + tag + QStringLiteral("</center>");
    return { tag, QString() };
}

QStringList EffectsBuilder::imageTagLines(const Image &options)
{
    QString tag = QStringLiteral("<IMG ");
    if (options.isMap && options.mapName.isEmpty())
        tag += QStringLiteral(" ISMAP ");
    tag += attribute("SRC", options.file) + QLatin1Char(' ')
        + attribute("ALT", options.alternateText);
    if (justified(options.align))
        tag += QLatin1Char(' ') + attribute("ALIGN", options.align);
    tag += QLatin1Char(' ') + attribute("WIDTH", options.width) + QLatin1Char(' ')
        + attribute("HEIGHT", options.height);
    if (!options.mapName.isEmpty())
        tag += QStringLiteral(" USEMAP=\"#") + quoted(options.mapName) + QLatin1Char('"');
    tag += QLatin1Char('>');
    if (options.center)
        tag = QStringLiteral("<CENTER>") + tag + QStringLiteral("</CENTER>");
    return { tag };
}

QStringList EffectsBuilder::documentTextLines(const DocumentText &options)
{
    QStringList lines;
    for (const TextTag &tag : textTags) {
        if (options.options & tag.option)
            lines << QLatin1String(tag.open);
    }
    if (options.options & UseSize)
        lines << QStringLiteral("<FONT SIZE=") + QString::number(options.size) + QLatin1Char('>');
    lines << options.text.split(QLatin1Char('\n'));
    if (options.options & UseSize)
        lines << QStringLiteral("</FONT>");
    for (auto tag = textTags.rbegin(); tag != textTags.rend(); ++tag) {
        if (options.options & tag->option)
            lines << QLatin1String(tag->close);
    }
    return lines;
}

QStringList EffectsBuilder::referenceLines(const Reference &options)
{
    QString link = (options.anchor ? QStringLiteral("<a name=\"") : QStringLiteral("<a href=\""))
        + quoted(options.url) + QStringLiteral("\">") + options.description
        + QStringLiteral("</a>");
    if (justified(options.justify))
        link = QLatin1Char('<') + options.justify + QLatin1Char('>') + link + QStringLiteral("</")
            + options.justify + QLatin1Char('>');
    return { link, QString() };
}

bool EffectsBuilder::appletComplete(const Applet &options)
{
    return !options.code.trimmed().isEmpty() && !options.width.trimmed().isEmpty()
        && !options.height.trimmed().isEmpty();
}

QString EffectsBuilder::appletMissingMessage()
{
    return QStringLiteral("Missing entry in Code, Height or Width field!");
}

QStringList EffectsBuilder::appletLines(const Applet &options)
{
    QStringList lines { QStringLiteral("<APPLET ") + attribute("CODE", options.code)
                        + QLatin1Char(' ') };
    const std::pair<const char *, QString> optional[] = { { "CODEBASE", options.codebase },
                                                          { "NAME", options.name },
                                                          { "TITLE", options.title },
                                                          { "ALIGN", options.align } };
    for (const auto &[name, value] : optional) {
        if (!value.isEmpty())
            lines << attribute(name, value) + QLatin1Char(' ');
    }
    lines << attribute("WIDTH", options.width) + QLatin1Char(' ');
    lines << attribute("HEIGHT", options.height) + QLatin1Char('>');
    lines << QStringLiteral("</APPLET>");
    return lines;
}

QString EffectsBuilder::quoted(const QString &value)
{
    QString text = value;
    return text.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
}

QString EffectsBuilder::oneLine(const QStringList &lines)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QString text;
    for (QString line : lines) {
        line.replace(breaks, QStringLiteral(" "));
        if (line.isEmpty())
            continue;
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('>'))
            && !line.startsWith(QLatin1Char('<')) && !text.endsWith(QLatin1Char(' '))
            && !line.startsWith(QLatin1Char(' ')))
            text += QLatin1Char(' ');
        text += line;
    }
    return text;
}

QString EffectsBuilder::carriedSelection(const QString &selection)
{
    if (selection.isEmpty() || selection.size() > maxCarriedSelection)
        return QString();
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QString text = selection;
    return text.replace(breaks, QStringLiteral(" "));
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/markupbuilder.h"

#include <algorithm>

namespace Tarnwick {

QStringList MarkupBuilder::orderedStyles()
{
    return { QStringLiteral("Default"), QStringLiteral("A (Upper)"), QStringLiteral("a (Lower)"),
             QStringLiteral("I (lg Roman)"), QStringLiteral("i (sm Roman)") };
}

QStringList MarkupBuilder::unorderedStyles()
{
    return { QStringLiteral("Default"), QStringLiteral("disc"), QStringLiteral("circle"),
             QStringLiteral("square") };
}

QStringList MarkupBuilder::definedList(const ListOptions &options)
{
    QStringList lines;
    QString first;
    if (options.ordered) {
        first = QStringLiteral("<OL ");
        const QString style = orderedStyles().value(options.orderedStyle);
        if (options.orderedStyle > 0 && !style.isEmpty())
            first += QStringLiteral("TYPE=\"") + style.at(0) + QStringLiteral("\" ");
        if (options.startAt != 1)
            first += QStringLiteral("START=") + QString::number(options.startAt) + QLatin1Char(' ');
    } else {
        first = QStringLiteral("<UL ");
        const QString style = unorderedStyles().value(options.unorderedStyle);
        if (options.unorderedStyle > 0 && !style.isEmpty())
            first += QStringLiteral("TYPE=\"") + style + QStringLiteral("\" ");
    }
    lines.append(first + QLatin1Char('>'));
    const int count = std::clamp(options.itemCount, 1, maxListItems);
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("<LI> Line:") + QString::number(i));
    lines.append(options.ordered ? QStringLiteral("</OL>") : QStringLiteral("</UL>"));
    return lines;
}

QStringList MarkupBuilder::quickTable(const TableOptions &options)
{
    QString first = QStringLiteral("<TABLE ");
    if (options.border)
        first += QStringLiteral("BORDER ");
    if (options.widthPercent > 0)
        first += QStringLiteral("WIDTH=\"") + QString::number(options.widthPercent)
            + QStringLiteral("%\"");
    QStringList lines { first + QLatin1Char('>') };
    const int rows = std::clamp(options.rows, 1, maxTableRows);
    const int columns = std::clamp(options.columns, 1, maxTableColumns);
    lines.reserve(rows * (columns + 2) + 2);
    for (int r = 1; r <= rows; ++r) {
        lines.append(QStringLiteral("<TR>"));
        const QString cell = QStringLiteral("<TD>Cell:") + QString::number(r) + QLatin1Char(',');
        for (int c = 1; c <= columns; ++c)
            lines.append(cell + QString::number(c) + QStringLiteral("</TD>"));
        lines.append(QStringLiteral("</TR>"));
    }
    lines.append(QStringLiteral("</TABLE>"));
    return lines;
}

QString MarkupBuilder::joinLines(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 1;
    QString text;
    text.reserve(size);
    for (const QString &line : lines)
        text += line + QLatin1Char('\n');
    return text;
}

QString MarkupBuilder::colorText(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return QStringLiteral("%1%2%3")
        .arg(rgb.red(), 2, 16, QLatin1Char('0'))
        .arg(rgb.green(), 2, 16, QLatin1Char('0'))
        .arg(rgb.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

TagPair MarkupBuilder::fontTags(const FontChoice &font)
{
    TagPair pair { QStringLiteral("<FONT FACE=\"") + font.face + QStringLiteral("\" SIZE=\"")
                       + QString::number(font.points) + QStringLiteral("\" COLOR=\"#")
                       + colorText(font.color) + QStringLiteral("\">"),
                   QStringLiteral("</FONT>") };
    const struct
    {
        bool on;
        const char *name;
    } styles[] = {
        { font.bold, "B" }, { font.italic, "I" }, { font.underline, "U" }, { font.strikeOut, "S" }
    };
    // Each style goes round what is there so far, so the pairs nest.
    for (const auto &style : styles) {
        if (!style.on)
            continue;
        const QString name = QLatin1String(style.name);
        pair.open = QLatin1Char('<') + name + QLatin1Char('>') + pair.open;
        pair.close += QStringLiteral("</") + name + QLatin1Char('>');
    }
    return pair;
}

MarkupBuilder::Choice MarkupBuilder::choiceFor(const QString &tagName)
{
    if (tagName.compare(QLatin1String("BR"), Qt::CaseInsensitive) == 0)
        return Choice::LineBreak;
    if (tagName.compare(QLatin1String("HR"), Qt::CaseInsensitive) == 0)
        return Choice::Bar;
    return Choice::Block;
}

QStringList MarkupBuilder::choiceEntries(const QString &tagName)
{
    return choiceEntries(tagName, choiceFor(tagName));
}

QStringList MarkupBuilder::choiceEntries(const QString &tagName, Choice choice)
{
    QStringList patterns;
    switch (choice) {
    case Choice::Block:
        patterns = { QStringLiteral("<%s></%s>"), QStringLiteral("<%s ALIGN=\"left\"></%s>"),
                     QStringLiteral("<%s ALIGN=\"center\"></%s>"),
                     QStringLiteral("<%s ALIGN=\"right\"></%s>") };
        break;
    case Choice::LineBreak:
        patterns = { QStringLiteral("<%s>"), QStringLiteral("<%s CLEAR=\"left\">"),
                     QStringLiteral("<%s CLEAR=\"all\">"), QStringLiteral("<%s CLEAR=\"right\">") };
        break;
    case Choice::Bar:
        patterns = { QStringLiteral("<%s>"),
                     QStringLiteral("<%s ALIGN=\"left\" SIZE=\"2\" WIDTH=\"100%\">"),
                     QStringLiteral("<%s ALIGN=\"center\" SIZE=\"2\" WIDTH=\"100%\">"),
                     QStringLiteral("<%s ALIGN=\"right\" SIZE=\"2\" WIDTH=\"100%\">") };
        break;
    }
    for (QString &entry : patterns)
        entry.replace(QLatin1String("%s"), tagName);
    return patterns;
}

QString MarkupBuilder::sampleMailAddress()
{
    return QStringLiteral("yourname@example.com");
}

QString MarkupBuilder::formTags()
{
    return QStringLiteral("\r<FORM METHOD=\"POST\" ACTION=\"mailto:") + sampleMailAddress()
        + QStringLiteral("\">")
        + QStringLiteral("\r<!--Put form fields after the above opening FORM tag and before the "
                         "closing /FORM tag-->")
        + QStringLiteral("\r<P ALIGN=\"CENTER\"><INPUT TYPE=\"submit\" VALUE=\"Submit "
                         "Form\"><INPUT TYPE=\"reset\" VALUE=\"Reset Form\"></P>")
        + QStringLiteral("\r</FORM>");
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/tablebuilder.h"

#include <QRegularExpression>

namespace Tarnwick {

namespace {

// A list line is one line of markup, whatever the user typed.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// Typed into a double-quoted attribute value.
QString quoted(const QString &value)
{
    QString text = oneLine(value);
    text.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return text;
}

QString unquoted(QString value)
{
    return value.replace(QLatin1String("&quot;"), QLatin1String("\""), Qt::CaseInsensitive);
}

QString colorValue(const QString &color)
{
    return color.isEmpty() ? QString() : QLatin1Char('#') + color;
}

QString withoutHash(const QString &color)
{
    return color.startsWith(QLatin1Char('#')) ? color.mid(1) : color;
}

// The value of a named attribute of a tag, matched whole and ignoring case;
// a name inside another attribute's quoted value is no attribute.
QString attribute(const QString &tag, const char *name)
{
    const QLatin1String wanted(name);
    const qsizetype n = tag.size();
    qsizetype i = tag.startsWith(QLatin1Char('<')) ? 1 : 0;
    while (i < n && !tag.at(i).isSpace() && tag.at(i) != QLatin1Char('>'))
        ++i; // the tag's own name
    while (i < n) {
        while (i < n && (tag.at(i).isSpace() || tag.at(i) == QLatin1Char('/')))
            ++i;
        if (i >= n || tag.at(i) == QLatin1Char('>'))
            break;
        const qsizetype nameStart = i;
        while (i < n && !tag.at(i).isSpace() && tag.at(i) != QLatin1Char('=')
               && tag.at(i) != QLatin1Char('>'))
            ++i;
        const QStringView attributeName = QStringView(tag).mid(nameStart, i - nameStart);
        while (i < n && tag.at(i).isSpace())
            ++i;
        QString value;
        if (i < n && tag.at(i) == QLatin1Char('=')) {
            ++i;
            while (i < n && tag.at(i).isSpace())
                ++i;
            if (i < n && (tag.at(i) == QLatin1Char('"') || tag.at(i) == QLatin1Char('\''))) {
                const QChar quote = tag.at(i++);
                const qsizetype end = tag.indexOf(quote, i);
                const qsizetype stop = end < 0 ? n : end;
                value = tag.mid(i, stop - i);
                i = end < 0 ? n : end + 1;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !tag.at(i).isSpace() && tag.at(i) != QLatin1Char('>'))
                    ++i;
                value = tag.mid(valueStart, i - valueStart);
            }
        }
        if (attributeName.compare(wanted, Qt::CaseInsensitive) == 0)
            return value;
        if (attributeName.isEmpty())
            ++i; // a stray "=" or quote
    }
    return QString();
}

int number(const QString &text)
{
    return text.trimmed().toInt(); // 0 when it is no number
}

const QLatin1String anchorEnd("</A>");

// The anchor the builder puts into each cell to find it by: a link of the
// same address in the cell's own text or values is not it.
const QRegularExpression &builderAnchor()
{
    static const QRegularExpression anchor(QStringLiteral("<A HREF=\"Cell:(\\d+)\\.\">\\*</A>"),
                                           QRegularExpression::CaseInsensitiveOption);
    return anchor;
}

} // namespace

QString TableBuilder::startTag(const TableAttributes &a)
{
    QString tag
        = QStringLiteral("<TABLE BORDER=\"%1\" WIDTH=\"%2%\"  ALIGN=\"%3\"  CELLPADDING=\"%4\" "
                         " CELLSPACING=\"%5\" ")
              .arg(a.border)
              .arg(a.width)
              .arg(quoted(a.justification))
              .arg(a.padding)
              .arg(a.spacing);
    if (!a.tableColor.isEmpty())
        tag += QStringLiteral(" BGCOLOR=\"#") + quoted(a.tableColor) + QLatin1Char('"');
    if (!a.borderColor.isEmpty())
        tag += QStringLiteral(" BORDERCOLOR=\"#") + quoted(a.borderColor) + QLatin1Char('"');
    return tag + QLatin1Char('>');
}

QString TableBuilder::captionLine(const TableAttributes &a)
{
    const QString size = QString::number(a.captionSize);
    return QStringLiteral("<CAPTION ALIGN=\"") + quoted(a.location) + QStringLiteral("\"><H") + size
        + QLatin1Char('>') + oneLine(a.caption) + QStringLiteral("</H") + size
        + QStringLiteral("></CAPTION>");
}

QString TableBuilder::cellLine(const CellFields &c, int number)
{
    const QString kind = c.header ? QStringLiteral("TH") : QStringLiteral("TD");
    return QLatin1Char('<') + kind + QStringLiteral(" ROWSPAN=\"") + QString::number(c.rowSpan)
        + QStringLiteral("\" COLSPAN=\"") + QString::number(c.colSpan)
        + QStringLiteral("\" VALIGN=\"") + quoted(c.vertical) + QStringLiteral("\" ALIGN=\"")
        + quoted(c.horizontal) + QStringLiteral("\" BGCOLOR=\"") + quoted(colorValue(c.color))
        + QStringLiteral("\"><A HREF=\"Cell:") + QString::number(number)
        + QStringLiteral(".\">*</A>") + oneLine(c.text) + QStringLiteral("</") + kind
        + QLatin1Char('>');
}

TableAttributes TableBuilder::readAttributes(const QStringList &lines)
{
    TableAttributes a;
    const QString tag = lines.value(0);
    a.border = number(attribute(tag, "BORDER"));
    QString width = attribute(tag, "WIDTH");
    if (width.endsWith(QLatin1Char('%')))
        width.chop(1);
    a.width = number(width);
    a.justification = unquoted(attribute(tag, "ALIGN"));
    a.padding = number(attribute(tag, "CELLPADDING"));
    a.spacing = number(attribute(tag, "CELLSPACING"));
    a.tableColor = withoutHash(attribute(tag, "BGCOLOR"));
    a.borderColor = withoutHash(attribute(tag, "BORDERCOLOR"));

    const QString caption = lines.value(1);
    a.location = unquoted(caption.section(QLatin1Char('"'), 1, 1));
    const qsizetype heading = caption.indexOf(QLatin1String("<H"), 0, Qt::CaseInsensitive);
    if (heading >= 0) {
        a.captionSize = number(caption.mid(heading + 2, 1));
        const qsizetype end = caption.indexOf(QLatin1String("</H"), 0, Qt::CaseInsensitive);
        if (end >= heading + 4)
            a.caption = caption.mid(heading + 4, end - heading - 4);
    } else {
        a.captionSize = 0;
        a.caption.clear();
    }
    return a;
}

QString TableBuilder::anchorOf(const QString &address)
{
    static const QRegularExpression pattern(QStringLiteral("^cell:(\\d+)\\.$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(address);
    return match.hasMatch() ? QStringLiteral("Cell:") + match.captured(1) + QLatin1Char('.')
                            : QString();
}

bool TableBuilder::isCellLine(const QString &line)
{
    return line.contains(QLatin1String("<TD"), Qt::CaseInsensitive)
        || line.contains(QLatin1String("<TH"), Qt::CaseInsensitive);
}

QString TableBuilder::newCell(const QString &color)
{
    const int n = m_nextCell++;
    return QStringLiteral(
               "<TD ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"top\" ALIGN=\"left\" BGCOLOR=\"")
        + quoted(color) + QStringLiteral("\"><A HREF=\"Cell:") + QString::number(n)
        + QStringLiteral(".\">*</A>Cell:") + QString::number(n + 1) + QStringLiteral("</TD>");
}

void TableBuilder::build(int columns, int rows, const TableAttributes &attributes)
{
    columns = qBound(1, columns, maxColumns);
    rows = qBound(1, rows, maxRows);
    m_built = true;
    m_viewForm = false;
    m_lines.clear();
    m_selected = -1;
    m_nextCell = 0;
    m_lines.reserve(rows * (columns + 2) + 3);
    m_lines.append(startTag(attributes));
    m_lines.append(captionLine(attributes));
    for (int r = 0; r < rows; ++r) {
        m_lines.append(QStringLiteral("<TR>"));
        for (int c = 0; c < columns; ++c)
            m_lines.append(newCell(QString()));
        m_lines.append(QStringLiteral("</TR>"));
    }
    m_lines.append(QStringLiteral("</TABLE>"));
}

void TableBuilder::setAttributes(const TableAttributes &attributes)
{
    if (!m_built || m_lines.size() < 2)
        return;
    m_lines[0] = startTag(attributes);
    m_lines[1] = captionLine(attributes);
}

bool TableBuilder::selectCell(const QString &address)
{
    const QString anchor = anchorOf(address);
    if (anchor.isEmpty() || m_viewForm)
        return false;
    const QString href = QStringLiteral("<A HREF=\"") + anchor + QStringLiteral("\">*</A>");
    for (int i = 0; i < m_lines.size(); ++i) {
        if (isCellLine(m_lines.at(i)) && m_lines.at(i).contains(href, Qt::CaseInsensitive)) {
            m_selected = i;
            return true;
        }
    }
    return false;
}

CellFields TableBuilder::selectedCell() const
{
    CellFields c;
    if (m_selected < 0 || m_selected >= m_lines.size())
        return c;
    const QString line = m_lines.at(m_selected);
    c.header = line.contains(QLatin1String("<TH"), Qt::CaseInsensitive);
    const QStringList pieces = line.split(QLatin1Char('"'));
    c.rowSpan = number(pieces.value(1));
    c.colSpan = number(pieces.value(3));
    c.vertical = unquoted(pieces.value(5));
    c.horizontal = unquoted(pieces.value(7));
    c.color = withoutHash(pieces.value(9));
    const qsizetype start = line.indexOf(anchorEnd, 0, Qt::CaseInsensitive);
    const QLatin1String close(c.header ? "</TH" : "</TD");
    const qsizetype end = line.lastIndexOf(close, -1, Qt::CaseInsensitive);
    c.text = start >= 0 && end >= start + 4 ? line.mid(start + 4, end - start - 4) : QString();
    return c;
}

void TableBuilder::changeCell(const CellFields &cell)
{
    if (m_selected < 0 || m_selected >= m_lines.size() || m_viewForm)
        return;
    const QString line = m_lines.at(m_selected);
    const QRegularExpressionMatch match = builderAnchor().match(line);
    const QString anchor = match.hasMatch() ? match.captured(1) : QString();
    QString rebuilt = cellLine(cell, anchor.toInt());
    if (!match.hasMatch()) // keep whatever the line had, even no anchor
        rebuilt = withoutAnchor(rebuilt);
    m_lines[m_selected] = rebuilt;
}

QString TableBuilder::inPlaceCellAnchor(const QString &before) const
{
    if (m_selected < 0 || m_selected >= m_lines.size() || m_viewForm)
        return QString();
    // Exactly the builder's tags: the cell's own, its anchor's and the closing ones.
    const auto anchorNumber = [](const QString &line) {
        const bool wellFormed
            = (line.startsWith(QLatin1String("<TD ")) && line.endsWith(QLatin1String("</TD>")))
            || (line.startsWith(QLatin1String("<TH ")) && line.endsWith(QLatin1String("</TH>")));
        if (!wellFormed || line.count(QLatin1Char('<')) != 4)
            return QString();
        const QRegularExpressionMatch match = builderAnchor().match(line);
        return match.hasMatch() ? match.captured(1) : QString();
    };
    const QString number = anchorNumber(m_lines.at(m_selected));
    if (number.isEmpty() || anchorNumber(before) != number)
        return QString();
    const QString anchor = QStringLiteral("Cell:") + number + QLatin1Char('.');
    const QString href = QStringLiteral("HREF=\"") + anchor + QLatin1Char('"');
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (i != m_selected && m_lines.at(i).contains(href, Qt::CaseInsensitive))
            return QString();
    }
    return anchor;
}

void TableBuilder::addCell(bool before, const QString &tableColor)
{
    if (m_selected < 0 || m_viewForm)
        return;
    const QString cell = newCell(colorValue(tableColor));
    if (before) {
        m_lines.insert(m_selected, cell);
        ++m_selected; // still the same cell
    } else {
        m_lines.insert(m_selected + 1, cell);
    }
}

void TableBuilder::addRow(bool before, const QString &tableColor)
{
    if (m_selected < 0 || m_viewForm)
        return;
    qsizetype at = -1;
    if (before) {
        for (qsizetype i = m_selected; i >= 0 && at < 0; --i) {
            if (m_lines.at(i).contains(QLatin1String("<TR>"), Qt::CaseInsensitive))
                at = i;
        }
        if (at < 0)
            at = qMin<qsizetype>(2, m_lines.size());
    } else {
        for (qsizetype i = m_selected; i < m_lines.size() && at < 0; ++i) {
            if (m_lines.at(i).contains(QLatin1String("</TR>"), Qt::CaseInsensitive))
                at = i + 1;
        }
        if (at < 0)
            at = qMax<qsizetype>(0, m_lines.size() - 1); // before "</TABLE>"
    }
    const QStringList row { QStringLiteral("<TR>"), newCell(colorValue(tableColor)),
                            QStringLiteral("</TR>") };
    for (qsizetype i = 0; i < row.size(); ++i)
        m_lines.insert(at + i, row.at(i));
    if (at <= m_selected)
        m_selected += row.size(); // the selection keeps naming its cell
}

void TableBuilder::deleteCell()
{
    if (m_selected < 0 || m_selected >= m_lines.size() || m_viewForm)
        return;
    const int i = m_selected;
    m_lines.removeAt(i);
    if (i > 0 && i < m_lines.size() && m_lines.at(i) == QLatin1String("</TR>")
        && m_lines.at(i - 1) == QLatin1String("<TR>")) {
        m_lines.removeAt(i);
        m_lines.removeAt(i - 1);
    }
    m_selected = -1;
}

QString TableBuilder::withoutAnchor(const QString &line)
{
    // Only the builder's own anchors go: a link typed into the cell text stays.
    // Every one goes, so that a damaged file with two in one cell loads with
    // one anchor a cell, each found by its number.
    QString cleaned = line;
    // Taking one out can join the text around it into another.
    while (cleaned.contains(builderAnchor()))
        cleaned.remove(builderAnchor());
    return cleaned;
}

QStringList TableBuilder::viewLines() const
{
    if (m_viewForm)
        return m_lines;
    QStringList view = m_lines;
    for (QString &line : view) {
        if (isCellLine(line))
            line = withoutAnchor(line);
    }
    return view;
}

void TableBuilder::toViewForm(bool inserting)
{
    m_lines = viewLines();
    m_viewForm = true;
    m_selected = -1;
    if (inserting) {
        for (QString &line : m_lines)
            line.remove(QLatin1String("BGCOLOR=\"\""));
    }
}

void TableBuilder::toEditForm()
{
    m_selected = -1;
    m_nextCell = 0;
    for (QString &line : m_lines) {
        if (!isCellLine(line))
            continue;
        line = withoutAnchor(line);
        const qsizetype close = line.indexOf(QLatin1Char('>'));
        const QString anchor = QStringLiteral("<A HREF=\"Cell:") + QString::number(m_nextCell++)
            + QStringLiteral(".\">*</A>");
        if (close >= 0)
            line.insert(close + 1, anchor);
        else
            line.append(anchor);
    }
    m_viewForm = false;
}

void TableBuilder::load(const QStringList &lines)
{
    m_lines = lines;
    m_built = true;
    toEditForm();
}

} // namespace Tarnwick

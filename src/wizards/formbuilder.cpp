// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/formbuilder.h"

namespace Tarnwick {

namespace {

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// A value written into a double-quoted attribute.
QString quoted(const QString &value)
{
    return oneLine(value).replace(QLatin1Char('"'), QLatin1String("&quot;"));
}

QString wrap(const QString &s, const char *tag)
{
    const QLatin1String t(tag);
    return QLatin1Char('<') + t + QLatin1Char('>') + s + QStringLiteral("</") + t
        + QLatin1Char('>');
}

QString number(const QString &text)
{
    return QString::number(text.trimmed().toInt()); // 0 when it is no number
}

bool on(const QString &flag)
{
    return flag == QLatin1String("1");
}

const QString topCell = QStringLiteral("<TD VALIGN=\"TOP\">");
const QString nextCell = QStringLiteral("</TD><TD VALIGN=\"TOP\">");

QString selectLine(const QString &r)
{
    return QStringLiteral("   <SELECT NAME=\"") + quoted(FormBuilder::field(r, 1))
        + QLatin1Char('"')
        + (on(FormBuilder::field(r, 4)) ? QStringLiteral(" Multiple") : QString())
        + QStringLiteral(" Size=") + number(FormBuilder::field(r, 5)) + QLatin1Char('>');
}

void appendOptions(QStringList &lines, const QString &r)
{
    bool first = true;
    for (int k = 6;; ++k) {
        const QString entry = FormBuilder::field(r, k);
        if (entry.isEmpty())
            break;
        lines.append((first ? QStringLiteral("<OPTION SELECTED>") : QStringLiteral("<OPTION>"))
                     + oneLine(entry));
        first = false;
    }
    lines.append(QStringLiteral("</SELECT><BR>"));
}

} // namespace

const QStringList &FormBuilder::kinds()
{
    static const QStringList list { QStringLiteral("CB"), QStringLiteral("RG"),
                                    QStringLiteral("DE"), QStringLiteral("LB"),
                                    QStringLiteral("TA"), QStringLiteral("PT"),
                                    QStringLiteral("HD") };
    return list;
}

QString FormBuilder::field(const QString &record, int k)
{
    return record.section(QLatin1Char('|'), k, k);
}

QString FormBuilder::record(const QString &kind, const QStringList &values)
{
    QString r = kind;
    for (const QString &value : values)
        r += QLatin1Char('|') + oneLine(value);
    return r;
}

Result FormBuilder::checkValue(const QString &value)
{
    if (value.contains(QLatin1Char('|')))
        return Result::failure(
            QStringLiteral("The character \"|\" cannot be used in a form field: \"%1\"")
                .arg(value));
    return Result::success();
}

QStringList FormBuilder::fieldLines(const QString &r, const FormOptions &o)
{
    const QString kind = field(r, 0);
    QString s;
    if (kind == QLatin1String("CB") || kind == QLatin1String("RG")) {
        s = QStringLiteral("<INPUT TYPE=\"")
            + (kind == QLatin1String("CB") ? QStringLiteral("checkbox") : QStringLiteral("radio"))
            + QStringLiteral("\" NAME=\"") + quoted(field(r, 1)) + QStringLiteral("\" VALUE=\"")
            + quoted(field(r, 2)) + QLatin1Char('"')
            + (on(field(r, 4)) ? QStringLiteral(" CHECKED") : QString()) + QStringLiteral("> ")
            + oneLine(field(r, 3)) + QStringLiteral("<BR>");
        if (o.preformat)
            s = wrap(s, "PRE");
        if (o.tableFormat)
            s = wrap(QStringLiteral("<TD></TD>") + topCell + s + QStringLiteral("</TD>"), "TR");
        return { s };
    }
    if (kind == QLatin1String("HD")) {
        s = QStringLiteral("<INPUT TYPE=\"HIDDEN\" NAME=\"") + quoted(field(r, 1))
            + QStringLiteral("\" VALUE=\"") + quoted(field(r, 2)) + QStringLiteral("\">");
        return { o.preformat ? wrap(s, "PRE") : s };
    }
    if (kind == QLatin1String("DE") || kind == QLatin1String("TA")) {
        s = oneLine(field(r, 2));
        if (o.tableFormat)
            s += nextCell;
        if (kind == QLatin1String("DE"))
            s += QStringLiteral("  <INPUT TYPE=\"")
                + (on(field(r, 4)) ? QStringLiteral("password") : QStringLiteral("text"))
                + QStringLiteral("\" NAME=\"") + quoted(field(r, 1)) + QStringLiteral("\" SIZE=")
                + number(field(r, 3)) + QStringLiteral("><BR>");
        else
            s += QStringLiteral("<BR><TEXTAREA NAME=\"") + quoted(field(r, 1))
                + QStringLiteral("\" ROWS=") + number(field(r, 4)) + QStringLiteral(" COLS=")
                + number(field(r, 3)) + QStringLiteral("></TEXTAREA><BR><P>");
        if (o.preformat)
            s = wrap(s, "PRE");
        if (o.tableFormat)
            s = wrap(topCell + s + QStringLiteral("</TD>"), "TR");
        return { s };
    }
    if (kind == QLatin1String("PT")) {
        s = oneLine(field(r, 6));
        if (on(field(r, 1)))
            s = wrap(s, "B");
        if (on(field(r, 2)))
            s = wrap(s, "I");
        if (on(field(r, 3)))
            s = wrap(s, "U");
        if (on(field(r, 4)))
            s = wrap(s, "PRE");
        const int size = field(r, 5).trimmed().toInt();
        if (size > 0)
            s = QStringLiteral("<FONT SIZE=") + QString::number(size) + QLatin1Char('>') + s
                + QStringLiteral("</FONT>");
        s += QStringLiteral("<BR>");
        if (o.tableFormat)
            s = wrap(QStringLiteral("<TD COLSPAN=\"2\">") + s + QStringLiteral("</TD>"), "TR");
        return { s };
    }
    if (kind == QLatin1String("LB")) {
        QStringList lines;
        if (o.tableFormat)
            lines << QStringLiteral("<TR>") << topCell;
        lines.append((o.preformat ? QStringLiteral("<PRE>") : QString()) + oneLine(field(r, 2))
                     + (o.tableFormat ? nextCell : QString()) + selectLine(r));
        appendOptions(lines, r);
        if (o.preformat)
            lines.append(QStringLiteral("</PRE>"));
        if (o.tableFormat)
            lines.append(QStringLiteral("</TD></TR>"));
        return lines;
    }
    return {};
}

QStringList FormBuilder::fieldAlone(const QString &record, const FormOptions &options)
{
    if (field(record, 0) != QLatin1String("LB"))
        return fieldLines(record, options);
    QStringList lines { selectLine(record) };
    appendOptions(lines, record);
    return lines;
}

QStringList FormBuilder::build(const QStringList &records, const FormOptions &o)
{
    if (records.isEmpty())
        return {};
    QStringList lines { QStringLiteral("<FORM METHOD=\"POST\" ACTION=\"mailto:") + quoted(o.mailTo)
                        + QStringLiteral("\" >") };
    if (o.tableFormat)
        lines.append(QStringLiteral("<TABLE >"));
    for (const QString &record : records)
        lines.append(fieldLines(record, o));
    if (o.tableFormat)
        lines << QStringLiteral("<TR>") << QStringLiteral("<TD COLSPAN=\"2\">");
    lines << QStringLiteral("<P ALIGN=\"CENTER\">")
          << QStringLiteral("<INPUT TYPE=\"submit\" VALUE=\"") + quoted(o.submitText)
            + QStringLiteral("\">")
          << QStringLiteral("<INPUT TYPE=\"reset\" VALUE=\"") + quoted(o.resetText)
            + QStringLiteral("\">")
          << QStringLiteral("</P>");
    if (o.tableFormat)
        lines << QStringLiteral("</TD>") << QStringLiteral("</TR>") << QStringLiteral("</TABLE>");
    lines.append(QStringLiteral("</FORM>"));
    return lines;
}

} // namespace Tarnwick

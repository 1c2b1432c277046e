// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/templateslot.h"

namespace Tarnwick {

namespace {

QString quoted(QString value)
{
    return value.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')
        || c == QLatin1Char(':');
}

QString aligned(const QString &align)
{
    if (align.isEmpty() || align == QLatin1String("none"))
        return QString();
    return QStringLiteral(" ALIGN=\"") + quoted(align) + QLatin1Char('"');
}

QString wrapped(const QString &tag, const QString &text)
{
    return QLatin1Char('<') + tag + QLatin1Char('>') + text + QStringLiteral("</") + tag
        + QLatin1Char('>');
}

QString paragraph(const QString &align, const QString &text)
{
    if (align.isEmpty() || align == QLatin1String("none"))
        return text;
    return QStringLiteral("<P ALIGN=\"") + quoted(align) + QStringLiteral("\">") + text
        + QStringLiteral("</P>");
}

// The item of the list the value names, ignoring case; empty when none does.
QString item(const QStringList &items, const std::optional<QString> &value)
{
    if (!value)
        return QString();
    for (const QString &i : items) {
        if (i.compare(*value, Qt::CaseInsensitive) == 0)
            return i;
    }
    return QString();
}

int number(const std::optional<QString> &value, int otherwise)
{
    if (!value)
        return otherwise;
    bool ok = false;
    const int n = value->trimmed().toInt(&ok);
    return ok ? n : otherwise;
}

QChar charAt(const QString &text, qsizetype at)
{
    return at >= 0 && at < text.size() ? text.at(at) : QChar();
}

QString colour(const QString &value)
{
    return value.startsWith(QLatin1Char('#')) ? value.mid(1) : value;
}

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

QStringList TemplateSlot::alignments()
{
    return { QStringLiteral("none"), QStringLiteral("left"), QStringLiteral("center"),
             QStringLiteral("right") };
}

QStringList TemplateSlot::imageAlignments()
{
    return { QStringLiteral("none"),   QStringLiteral("top"),  QStringLiteral("middle"),
             QStringLiteral("bottom"), QStringLiteral("left"), QStringLiteral("right") };
}

QStringList TemplateSlot::docTypes()
{
    return { QStringLiteral("none"),
             QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//W3c//DTD HTML 3.2 Final//EN\">"),
             QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">"),
             QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
             QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\">") };
}

std::optional<QString> TemplateSlot::write(const Heading &fields)
{
    if (fields.text.isEmpty())
        return std::nullopt;
    const QString size = QString::number(fields.size);
    QString line = QStringLiteral("<H") + size + aligned(fields.align) + QLatin1Char('>')
        + oneLine(fields.text) + QStringLiteral("</H") + size + QLatin1Char('>');
    if (!fields.color.isEmpty())
        line = QStringLiteral("<FONT COLOR=\"#") + quoted(oneLine(fields.color))
            + QStringLiteral("\">") + line + QStringLiteral("</FONT>");
    return line;
}

std::optional<QString> TemplateSlot::write(const Text &fields)
{
    if (fields.text.isEmpty())
        return std::nullopt;
    QString line = oneLine(fields.text);
    if (fields.bold)
        line = wrapped(QStringLiteral("B"), line);
    if (fields.underline)
        line = wrapped(QStringLiteral("U"), line);
    if (fields.italics)
        line = wrapped(QStringLiteral("I"), line);
    return paragraph(fields.align, line);
}

QString TemplateSlot::write(const Image &fields)
{
    if (fields.file.isEmpty())
        return QString();
    QString line = QStringLiteral("<IMG SRC=\"") + quoted(oneLine(fields.file)) + QLatin1Char('"');
    if (fields.height > 0)
        line += QStringLiteral(" HEIGHT=\"") + QString::number(fields.height) + QLatin1Char('"');
    if (fields.width > 0)
        line += QStringLiteral(" WIDTH=\"") + QString::number(fields.width) + QLatin1Char('"');
    return line + aligned(fields.align) + QLatin1Char('>');
}

QString TemplateSlot::write(const Link &fields)
{
    if (fields.url.isEmpty())
        return QString();
    QString url = oneLine(fields.url);
    // A URL typed with its prefix gets it once.
    if (fields.mailto && !url.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        url.prepend(QLatin1String("mailto:"));
    QString line = QStringLiteral("<A HREF=\"") + quoted(url) + QStringLiteral("\">");
    if (!fields.imageLink)
        line += oneLine(fields.text);
    else if (!fields.graphic.isEmpty())
        line += QStringLiteral("<IMG SRC=\"") + quoted(oneLine(fields.graphic))
            + QStringLiteral("\">");
    return paragraph(fields.align, line + QStringLiteral("</A>"));
}

QString TemplateSlot::write(const Body &fields)
{
    QString line = QStringLiteral("<BODY ");
    if (!fields.background.isEmpty())
        line += QStringLiteral("BACKGROUND=\"") + quoted(oneLine(fields.background))
            + QLatin1Char('"');
    const std::pair<const char *, const QString *> colours[] = {
        { " TEXT=\"#", &fields.text },       { " LINK=\"#", &fields.link },
        { " VLINK=\"#", &fields.vlink },     { " ALINK=\"#", &fields.alink },
        { " BGCOLOR=\"#", &fields.bgcolor },
    };
    for (const auto &[name, value] : colours) {
        if (!value->isEmpty())
            line += QLatin1String(name) + quoted(oneLine(*value)) + QLatin1Char('"');
    }
    if (fields.leftMargin >= 0)
        line += QStringLiteral(" LEFTMARGIN=\"") + QString::number(fields.leftMargin)
            + QLatin1Char('"');
    if (fields.rightMargin >= 0)
        line += QStringLiteral(" RIGHTMARGIN=\"") + QString::number(fields.rightMargin)
            + QLatin1Char('"');
    if (fields.fixed)
        line += QStringLiteral(" BGPROPERTIES=\"FIXED\"");
    return line + QLatin1Char('>');
}

QStringList TemplateSlot::write(const Defaults &fields)
{
    return { QStringLiteral("<TITLE>") + oneLine(fields.title) + QStringLiteral("</TITLE>"),
             QStringLiteral("<META NAME=\"Keywords\" CONTENT=\"") + quoted(oneLine(fields.keywords))
                 + QStringLiteral("\">"),
             QStringLiteral("<META NAME=\"Description\" CONTENT=\"")
                 + quoted(oneLine(fields.description)) + QStringLiteral("\">") };
}

TemplateSlot::Heading TemplateSlot::readHeading(const QString &line)
{
    Heading fields;
    if (line.isEmpty())
        return fields;
    for (qsizetype at = line.indexOf(QLatin1String("<H"), 0, Qt::CaseInsensitive); at >= 0;
         at = line.indexOf(QLatin1String("<H"), at + 2, Qt::CaseInsensitive)) {
        const QChar size = charAt(line, at + 2);
        if (size >= QLatin1Char('1') && size <= QLatin1Char('6')) {
            fields.size = size.digitValue();
            break;
        }
    }
    fields.text = elementText(line);
    fields.align = item(alignments(), attributeValue(line, QStringLiteral("ALIGN")));
    if (const auto value = attributeValue(line, QStringLiteral("COLOR")))
        fields.color = colour(*value);
    return fields;
}

TemplateSlot::Text TemplateSlot::readText(const QString &line)
{
    Text fields;
    if (line.isEmpty())
        return fields;
    fields.text = line.contains(QLatin1Char('<')) ? elementText(line) : line;
    fields.align = item(alignments(), attributeValue(line, QStringLiteral("ALIGN")));
    fields.bold = hasTag(line, QStringLiteral("B"));
    fields.underline = hasTag(line, QStringLiteral("U"));
    fields.italics = hasTag(line, QStringLiteral("I"));
    return fields;
}

TemplateSlot::Image TemplateSlot::readImage(const QString &line)
{
    Image fields;
    if (line.isEmpty())
        return fields;
    fields.align = item(imageAlignments(), attributeValue(line, QStringLiteral("ALIGN")));
    fields.height = qMax(0, number(attributeValue(line, QStringLiteral("HEIGHT")), 0));
    fields.width = qMax(0, number(attributeValue(line, QStringLiteral("WIDTH")), 0));
    fields.file = attributeValue(line, QStringLiteral("SRC")).value_or(QString());
    return fields;
}

TemplateSlot::Link TemplateSlot::readLink(const QString &line, bool mailto)
{
    Link fields;
    fields.mailto = mailto;
    if (line.isEmpty())
        return fields;
    fields.align = item(alignments(), attributeValue(line, QStringLiteral("ALIGN")));
    fields.url = attributeValue(line, QStringLiteral("HREF")).value_or(QString());
    // A mail address keeps all it holds after the prefix, and ticks the box
    // so that writing it again keeps the prefix.
    if (fields.url.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        fields.url = fields.url.mid(7);
        fields.mailto = true;
    }
    if (const auto graphic = attributeValue(line, QStringLiteral("SRC"))) {
        fields.graphic = *graphic;
        fields.imageLink = true;
    } else {
        fields.text = elementText(line);
    }
    return fields;
}

TemplateSlot::Body TemplateSlot::readBody(const QString &line)
{
    Body fields;
    if (line.isEmpty())
        return fields;
    if (const auto value = attributeValue(line, QStringLiteral("BACKGROUND")))
        fields.background = *value;
    const std::pair<const char *, QString *> colours[] = {
        { "TEXT", &fields.text },   { "LINK", &fields.link },       { "VLINK", &fields.vlink },
        { "ALINK", &fields.alink }, { "BGCOLOR", &fields.bgcolor },
    };
    for (const auto &[name, value] : colours) {
        if (const auto read = attributeValue(line, QLatin1String(name)))
            *value = colour(*read);
    }
    fields.rightMargin = number(attributeValue(line, QStringLiteral("RIGHTMARGIN")), -1);
    fields.leftMargin = number(attributeValue(line, QStringLiteral("LEFTMARGIN")), -1);
    fields.fixed = attributeValue(line, QStringLiteral("BGPROPERTIES")).has_value();
    return fields;
}

TemplateSlot::Defaults TemplateSlot::readDefaults(const QStringList &lines)
{
    Defaults fields;
    const QString title = lines.value(0);
    const qsizetype open = title.indexOf(QLatin1Char('>'));
    if (open >= 0) {
        const qsizetype close = title.indexOf(QLatin1Char('<'), open + 1);
        fields.title = title.mid(open + 1, close < 0 ? -1 : close - open - 1);
    }
    for (int i = 1; i < 3; ++i) {
        const QString line = lines.value(i);
        const auto content = attributeValue(line, QStringLiteral("CONTENT"));
        const auto name = attributeValue(line, QStringLiteral("NAME"));
        if (!content || !name)
            continue;
        if (*name == QLatin1String("Keywords"))
            fields.keywords = *content;
        else if (*name == QLatin1String("Description"))
            fields.description = *content;
    }
    return fields;
}

std::optional<QString> TemplateSlot::attributeValue(const QString &line, const QString &name)
{
    const qsizetype size = line.size();
    bool inTag = false;
    bool afterBlank = false;
    QChar quote;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = line.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (!inTag) {
            inTag = c == QLatin1Char('<');
            afterBlank = false;
            continue;
        }
        if (c == QLatin1Char('>')) {
            inTag = false;
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            continue;
        }
        if (c.isSpace()) {
            afterBlank = true;
            continue;
        }
        const bool starts = afterBlank;
        afterBlank = false;
        if (!starts
            || QStringView(line).mid(i, name.size()).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        qsizetype at = i + name.size();
        if (at < size && isNameChar(line.at(at)))
            continue;
        while (at < size && line.at(at).isSpace())
            ++at;
        if (at >= size || line.at(at) != QLatin1Char('='))
            continue;
        ++at;
        while (at < size && line.at(at).isSpace())
            ++at;
        QString value;
        const QChar first = charAt(line, at);
        if (first == QLatin1Char('"') || first == QLatin1Char('\'')) {
            // An unclosed quote runs to the end of the tag.
            qsizetype close = line.indexOf(first, at + 1);
            if (close < 0)
                close = line.indexOf(QLatin1Char('>'), at + 1);
            value = line.mid(at + 1, close < 0 ? -1 : close - at - 1);
        } else {
            qsizetype end = at;
            while (end < size && !line.at(end).isSpace() && line.at(end) != QLatin1Char('>'))
                ++end;
            value = line.mid(at, end - at);
        }
        return value.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    }
    return std::nullopt;
}

QString TemplateSlot::elementText(const QString &line)
{
    const qsizetype count = line.count(QLatin1Char('>'));
    const qsizetype k = qMax<qsizetype>(1, count / 2);
    qsizetype at = -1;
    for (qsizetype i = 0; i < k; ++i) {
        at = line.indexOf(QLatin1Char('>'), at + 1);
        if (at < 0)
            return QString();
    }
    const qsizetype end = line.indexOf(QLatin1Char('<'), at + 1);
    return line.mid(at + 1, end < 0 ? -1 : end - at - 1);
}

bool TemplateSlot::hasTag(const QString &line, const QString &name)
{
    const QString open = QLatin1Char('<') + name;
    for (qsizetype at = line.indexOf(open, 0, Qt::CaseInsensitive); at >= 0;
         at = line.indexOf(open, at + 1, Qt::CaseInsensitive)) {
        const QChar after = charAt(line, at + open.size());
        if (after == QLatin1Char('>') || after == QLatin1Char('/') || after.isSpace())
            return true;
    }
    return false;
}

} // namespace Tarnwick

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

// Where the tag opening at `from` ends (its ">"), quoted values skipped; -1 when it runs on.
qsizetype tagEnd(const QString &line, qsizetype from)
{
    QChar quote;
    for (qsizetype i = from + 1; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return i;
        }
    }
    return -1;
}

// True when an opening tag of that name starts at `at` ("<B>", "<B CLASS=x>", not "<BR>").
bool opensTag(const QString &line, qsizetype at, const QString &name)
{
    if (charAt(line, at) != QLatin1Char('<')
        || QStringView(line).mid(at + 1, name.size()).compare(name, Qt::CaseInsensitive) != 0)
        return false;
    const QChar after = charAt(line, at + 1 + name.size());
    return after == QLatin1Char('>') || after == QLatin1Char('/') || after.isSpace();
}

struct Element
{
    QString openTag;
    QString inner;
};

// The element of that name when it wraps the whole line, its own kind nested
// inside it evenly: "<B>a</B> <B>b</B>" is not one bold element.
std::optional<Element> wrapping(const QString &line, const QString &name)
{
    const QString close = QStringLiteral("</") + name + QLatin1Char('>');
    if (!opensTag(line, 0, name) || !line.endsWith(close, Qt::CaseInsensitive))
        return std::nullopt;
    const qsizetype openEnd = tagEnd(line, 0);
    const qsizetype closeAt = line.size() - close.size();
    if (openEnd < 0 || openEnd >= closeAt)
        return std::nullopt;
    const QString inner = line.mid(openEnd + 1, closeAt - openEnd - 1);
    int depth = 0;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (opensTag(inner, i, name))
            ++depth;
        else if (QStringView(inner).mid(i, close.size()).compare(close, Qt::CaseInsensitive) == 0
                 && --depth < 0)
            return std::nullopt;
    }
    if (depth != 0)
        return std::nullopt;
    return Element { line.left(openEnd + 1), inner };
}

// What stands between the first opening tag of that name and the last closing
// one, inner markup and all; nullopt when the line holds no such pair.
std::optional<QString> contentOf(const QString &line, const QString &name)
{
    for (qsizetype at = line.indexOf(QLatin1Char('<')); at >= 0;
         at = line.indexOf(QLatin1Char('<'), at + 1)) {
        if (!opensTag(line, at, name))
            continue;
        const qsizetype openEnd = tagEnd(line, at);
        const qsizetype close
            = line.lastIndexOf(QStringLiteral("</") + name, -1, Qt::CaseInsensitive);
        if (openEnd < 0 || close <= openEnd)
            return std::nullopt;
        return line.mid(openEnd + 1, close - openEnd - 1);
    }
    return std::nullopt;
}

// A line in a form where only what changes the page is left: words with their
// blanks counted once, and each tag as its name and its attributes, names and
// values ignoring case, in any order and however quoted.
QStringList markupTokens(const QString &line)
{
    QStringList tokens;
    const QString text = line.trimmed();
    const qsizetype size = text.size();
    QString words;
    const auto endWords = [&] {
        if (!words.isEmpty())
            tokens.append(QLatin1Char(' ') + words);
        words.clear();
    };
    for (qsizetype i = 0; i < size;) {
        const QChar c = text.at(i);
        const QChar next = charAt(text, i + 1);
        if (c != QLatin1Char('<') || !(next.isLetter() || next == QLatin1Char('/'))) {
            if (!c.isSpace())
                words += c;
            else if (!words.endsWith(QLatin1Char(' ')))
                words += QLatin1Char(' ');
            ++i;
            continue;
        }
        endWords();
        qsizetype j = i + 1;
        QString name;
        if (text.at(j) == QLatin1Char('/'))
            name += text.at(j++);
        while (j < size && isNameChar(text.at(j)))
            name += text.at(j++);
        QStringList attributes;
        while (j < size) {
            if (text.at(j).isSpace() || text.at(j) == QLatin1Char('/')) {
                ++j;
                continue;
            }
            if (text.at(j) == QLatin1Char('>')) {
                ++j;
                break;
            }
            QString attribute;
            while (j < size && !text.at(j).isSpace() && text.at(j) != QLatin1Char('=')
                   && text.at(j) != QLatin1Char('>'))
                attribute += text.at(j++);
            if (attribute.isEmpty() && j < size && text.at(j) == QLatin1Char('='))
                attribute = QStringLiteral("=");
            qsizetype k = j;
            while (k < size && text.at(k).isSpace())
                ++k;
            if (k < size && text.at(k) == QLatin1Char('=') && attribute != QLatin1String("=")) {
                ++k;
                while (k < size && text.at(k).isSpace())
                    ++k;
                QString value;
                const QChar quote = charAt(text, k);
                if (quote == QLatin1Char('"') || quote == QLatin1Char('\'')) {
                    qsizetype close = text.indexOf(quote, k + 1);
                    if (close < 0)
                        close = text.indexOf(QLatin1Char('>'), k + 1);
                    if (close < 0)
                        close = size;
                    value = text.mid(k + 1, close - k - 1);
                    j = close < size && text.at(close) == quote ? close + 1 : close;
                } else {
                    j = k;
                    while (j < size && !text.at(j).isSpace() && text.at(j) != QLatin1Char('>'))
                        ++j;
                    value = text.mid(k, j - k);
                }
                value.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
                attribute = attribute.toUpper() + QLatin1Char('=') + value.toCaseFolded();
            } else {
                if (attribute == QLatin1String("="))
                    ++j;
                attribute = attribute.toUpper();
            }
            attributes.append(attribute);
        }
        attributes.sort();
        tokens.append(QLatin1Char('<') + name.toUpper() + QLatin1Char(' ')
                      + attributes.join(QLatin1Char(' ')) + QLatin1Char('>'));
        i = j;
    }
    endWords();
    return tokens;
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
    // The whole of the heading's text, words in other tags as well.
    const std::optional<QString> inner
        = contentOf(line, QStringLiteral("H") + QString::number(fields.size));
    fields.text = inner ? *inner : elementText(line);
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
    // Only wrappers around the whole line become styles; what they wrap is the
    // text, markup and all, so no word of it is lost.
    QString rest = line;
    for (bool unwrapped = true; unwrapped;) {
        unwrapped = false;
        for (const char *name : { "P", "I", "U", "B" }) {
            const std::optional<Element> element = wrapping(rest, QLatin1String(name));
            if (!element)
                continue;
            if (name[0] == 'P') {
                // A paragraph without an alignment of ours stays in the text.
                const QString align
                    = item(alignments(), attributeValue(element->openTag, QStringLiteral("ALIGN")));
                if (align.isEmpty() || align == QLatin1String("none") || !fields.align.isEmpty())
                    continue;
                fields.align = align;
            } else {
                bool &style = name[0] == 'B' ? fields.bold
                    : name[0] == 'U'         ? fields.underline
                                             : fields.italics;
                if (style)
                    continue;
                style = true;
            }
            rest = element->inner;
            unwrapped = true;
            break;
        }
    }
    fields.text = rest;
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
        const std::optional<QString> inner = contentOf(line, QStringLiteral("A"));
        fields.text = inner ? *inner : elementText(line);
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
    if (const std::optional<QString> inner = contentOf(title, QStringLiteral("TITLE"))) {
        fields.title = *inner;
    } else if (open >= 0) {
        const qsizetype close = title.indexOf(QLatin1Char('<'), open + 1);
        fields.title = title.mid(open + 1, close < 0 ? -1 : close - open - 1);
    }
    for (int i = 1; i < 3; ++i) {
        const QString line = lines.value(i);
        const auto content = attributeValue(line, QStringLiteral("CONTENT"));
        const auto name = attributeValue(line, QStringLiteral("NAME"));
        if (!content || !name)
            continue;
        // Names as hand-written pages spell them: "keywords" is "Keywords".
        if (name->compare(QLatin1String("Keywords"), Qt::CaseInsensitive) == 0)
            fields.keywords = *content;
        else if (name->compare(QLatin1String("Description"), Qt::CaseInsensitive) == 0)
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

bool TemplateSlot::sameMarkup(const QString &a, const QString &b)
{
    return markupTokens(a) == markupTokens(b);
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

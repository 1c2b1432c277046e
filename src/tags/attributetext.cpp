// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/attributetext.h"

#include "tags/markupbuilder.h"

namespace Tarnwick {

namespace {

bool endsName(QChar c)
{
    return c.isSpace() || c == u'=' || c == u'>' || c == u'/' || c == u'<';
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

qsizetype skipSpace(QStringView text, qsizetype i)
{
    while (i < text.size() && text[i].isSpace())
        ++i;
    return i;
}

} // namespace

AttributeText::Hit AttributeText::at(QStringView text, qsizetype offset)
{
    Hit none;
    if (offset < 0 || offset >= text.size())
        return none;
    // The tag around offset opens at the nearest "<" before it; quoted
    // values may hold ">", so the tag's end is found reading forward.
    qsizetype open = offset;
    while (open >= 0 && text[open] != u'<')
        --open;
    if (open < 0)
        return none;

    qsizetype i = open + 1;
    Hit hit;
    if (i < text.size() && text[i] == u'/') {
        hit.closingTag = true;
        ++i;
    }
    const qsizetype nameStart = i;
    while (i < text.size() && !endsName(text[i]))
        ++i;
    // Comments, declarations and script blocks have no attributes.
    if (i == nameStart || !text[nameStart].isLetter())
        return none;
    hit.tagName = text.sliced(nameStart, i - nameStart).toString();
    if (offset >= nameStart && offset < i) {
        hit.part = Part::TagName;
        hit.start = nameStart;
        hit.end = i;
        return hit;
    }
    if (offset < nameStart)
        return none; // the "<" or "/" itself

    while (i < text.size()) {
        i = skipSpace(text, i);
        if (i >= text.size() || text[i] == u'>' || text[i] == u'<')
            break;
        if (text[i] == u'/') {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && !endsName(text[i]))
            ++i;
        if (i == start) { // a stray "=": not an attribute
            ++i;
            continue;
        }
        QStringView name = text.sliced(start, i - start);
        qsizetype end = i;
        QStringView value;
        bool hasValue = false;
        const qsizetype equals = skipSpace(text, i);
        if (equals < text.size() && text[equals] == u'=') {
            hasValue = true;
            qsizetype v = skipSpace(text, equals + 1);
            if (v < text.size() && (text[v] == u'"' || text[v] == u'\'')) {
                const QChar quote = text[v];
                const qsizetype close = text.indexOf(quote, v + 1);
                const qsizetype valueEnd = close < 0 ? text.size() : close;
                value = text.sliced(v + 1, valueEnd - v - 1);
                end = close < 0 ? text.size() : close + 1;
            } else {
                const qsizetype valueStart = v;
                while (v < text.size() && !text[v].isSpace() && text[v] != u'>')
                    ++v;
                value = text.sliced(valueStart, v - valueStart);
                end = v;
            }
            i = end;
        }
        if (offset < start)
            return none; // blanks between attributes
        if (offset < end) {
            hit.part = Part::Attribute;
            hit.start = start;
            hit.end = end;
            hit.name = name.toString();
            hit.value = value.toString();
            hit.hasValue = hasValue;
            return hit;
        }
    }
    return none;
}

AttributeText::Kind AttributeText::kindOf(const Hit &hit)
{
    if (hit.part != Part::Attribute)
        return Kind::Other;
    const QString &name = hit.name;
    // Only colour attributes: HREF="#add" is an anchor, hex digits or not.
    if (hit.hasValue && hit.value.startsWith(u'#') && isColorAttribute(name))
        return colorValue(hit.value) ? Kind::Color : Kind::BadColor;
    const auto is = [&name](const char *other) {
        return name.compare(QLatin1String(other), Qt::CaseInsensitive) == 0;
    };
    if (is("BACKGROUND") || is("SRC") || is("LOWSRC"))
        return Kind::Image;
    if (is("ALIGN"))
        return Kind::Align;
    if (is("VALIGN"))
        return Kind::VAlign;
    if (is("SIZE"))
        return Kind::Size;
    return Kind::Other;
}

std::optional<QColor> AttributeText::colorValue(const QString &value)
{
    if (!value.startsWith(u'#'))
        return std::nullopt;
    QString digits = value.mid(1);
    if (digits.size() != 3 && digits.size() != 6)
        return std::nullopt;
    for (QChar c : std::as_const(digits))
        if (!isHexDigit(c))
            return std::nullopt;
    if (digits.size() == 3)
        digits = QString(digits[0]) + digits[0] + digits[1] + digits[1] + digits[2] + digits[2];
    const uint rgb = digits.toUInt(nullptr, 16);
    return QColor(int((rgb >> 16) & 0xff), int((rgb >> 8) & 0xff), int(rgb & 0xff));
}

bool AttributeText::isColorAttribute(const QString &name)
{
    for (const char *colorName : { "TEXT", "LINK", "VLINK", "ALINK" })
        if (name.compare(QLatin1String(colorName), Qt::CaseInsensitive) == 0)
            return true;
    return name.contains(QLatin1String("COLOR"), Qt::CaseInsensitive);
}

QString AttributeText::withColor(const QString &attribute, const QColor &color)
{
    const qsizetype equals = attribute.indexOf(u'=');
    const QString name = equals < 0 ? attribute + QLatin1Char('=') : attribute.left(equals + 1);
    return name + QStringLiteral("\"#") + MarkupBuilder::colorText(color) + QLatin1Char('"');
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/pagereferences.h"

#include "tags/attributevalue.h"

#include <optional>

namespace Tarnwick {

namespace {

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

// Tag names: letters, digits and the characters custom and namespaced names use.
bool isTagNameChar(QChar c)
{
    return isAsciiLetter(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char(':')
        || c == QLatin1Char('.');
}

bool endsAttributeName(QChar c)
{
    return isBlank(c) || c == QLatin1Char('=') || c == QLatin1Char('>') || c == QLatin1Char('/')
        || c == QLatin1Char('<') || c == QLatin1Char('"') || c == QLatin1Char('\'');
}

bool equalsLatin1(QStringView name, QLatin1String word)
{
    return name.compare(word, Qt::CaseInsensitive) == 0;
}

std::optional<PageReference::Kind> kindOf(QStringView tag, QStringView attribute)
{
    using Kind = PageReference::Kind;
    if (equalsLatin1(attribute, QLatin1String("src")))
        return Kind::Source;
    if (equalsLatin1(attribute, QLatin1String("background")))
        return Kind::Background;
    if (equalsLatin1(attribute, QLatin1String("id")))
        return Kind::Id;
    const bool anchor = equalsLatin1(tag, QLatin1String("a"));
    if (equalsLatin1(attribute, QLatin1String("name")))
        return anchor ? std::optional(Kind::Marker) : std::nullopt;
    if (equalsLatin1(attribute, QLatin1String("href"))
        && (anchor || equalsLatin1(tag, QLatin1String("area"))
            || equalsLatin1(tag, QLatin1String("link"))))
        return Kind::Link;
    return std::nullopt;
}

// Walks the text once, keeping the line and the start of the line, and
// hands each tag and attribute to the sink.
template<typename Sink>
class Scanner
{
public:
    Scanner(QStringView text, Sink &sink)
        : m_text(text)
        , m_sink(sink)
    {
    }

    void run()
    {
        const qsizetype n = m_text.size();
        while (m_at < n) {
            if (m_text[m_at] == QLatin1Char('<') && m_at + 1 < n && isAsciiLetter(m_text[m_at + 1])) {
                const int line = m_line;
                const int column = int(m_at - m_lineStart);
                m_sink.tagStart(line, column);
                readTag();
                m_sink.tagEnd();
            } else {
                advance();
            }
        }
    }

private:
    void advance()
    {
        if (m_text[m_at] == QLatin1Char('\n')) {
            ++m_line;
            m_lineStart = m_at + 1;
        }
        ++m_at;
    }

    void advanceTo(qsizetype to)
    {
        while (m_at < to)
            advance();
    }

    void readTag()
    {
        const qsizetype n = m_text.size();
        const qsizetype nameStart = ++m_at;
        while (m_at < n && isTagNameChar(m_text[m_at]))
            ++m_at;
        const QStringView tag = m_text.mid(nameStart, m_at - nameStart);
        m_sink.tagName(tag);
        while (m_at < n) {
            const QChar c = m_text[m_at];
            if (isBlank(c) || c == QLatin1Char('/')) {
                advance();
                continue;
            }
            if (c == QLatin1Char('>')) {
                ++m_at;
                return;
            }
            if (c == QLatin1Char('<'))
                return; // an unclosed tag: the next one starts here
            const qsizetype attributeStart = m_at;
            while (m_at < n && !endsAttributeName(m_text[m_at]))
                ++m_at;
            if (m_at == attributeStart) {
                ++m_at; // a stray "=" or quote
                continue;
            }
            const QStringView attribute = m_text.mid(attributeStart, m_at - attributeStart);
            AttributeValue value = AttributeValue::read(m_text, m_at);
            const qsizetype end = value.end;
            m_sink.attribute(tag, attribute, std::move(value), m_line,
                             int(attributeStart - m_lineStart));
            advanceTo(end);
        }
    }

    QStringView m_text;
    qsizetype m_at = 0;
    int m_line = 1;
    qsizetype m_lineStart = 0;
    Sink &m_sink;
};

// Keeps the attributes that are references.
struct ReferenceSink
{
    void tagStart(int, int) { }
    void tagName(QStringView) { }
    void tagEnd() { }
    void attribute(QStringView tag, QStringView name, AttributeValue &&value, int line, int column)
    {
        const std::optional<PageReference::Kind> kind = kindOf(tag, name);
        if (!kind)
            return;
        PageReference reference;
        reference.kind = *kind;
        reference.line = line;
        reference.column = column;
        reference.value = std::move(value.value);
        reference.hasValue = value.hasValue;
        found.append(std::move(reference));
    }

    QList<PageReference> found;
};

// Gathers each tag whole and hands it on.
struct TagSink
{
    void tagStart(int line, int column)
    {
        tag = PageTag();
        tag.line = line;
        tag.column = column;
    }
    void tagName(QStringView name) { tag.name = name; }
    void tagEnd() { visit(tag); }
    void attribute(QStringView, QStringView name, AttributeValue &&value, int line, int column)
    {
        tag.attributes.append({name, std::move(value.value), value.hasValue, line, column});
    }

    const std::function<void(const PageTag &)> &visit;
    PageTag tag;
};

} // namespace

QList<PageReference> PageReferences::parse(QStringView text)
{
    ReferenceSink sink;
    Scanner(text, sink).run();
    return std::move(sink.found);
}

void PageReferences::forEachTag(QStringView text, const std::function<void(const PageTag &)> &visit)
{
    TagSink sink{visit, {}};
    Scanner(text, sink).run();
}

const PageAttribute *PageTag::attribute(QLatin1String wanted) const
{
    for (const PageAttribute &a : attributes) {
        if (a.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &a;
    }
    return nullptr;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/completioncontext.h"

#include "tags/htmlvocabulary.h"

#include <QList>

namespace Tarnwick {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isTagNameChar(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_' || c == u':'
        || c == u'.';
}

bool isAttributeNameChar(QChar c)
{
    return !isBlank(c) && c != u'"' && c != u'\'' && c != u'<' && c != u'>' && c != u'/'
        && c != u'=';
}

bool startsWithIgnoringCase(QStringView text, QStringView prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

// Reads tags from the start of the text to its end and keeps what the end
// needs: where it stands, the open elements, the case the page writes tags in.
class Reader
{
public:
    enum class State {
        Text,
        TagName, // "<" and the name so far
        EndTagName, // "</" and the name so far
        InTag, // between attributes
        AttributeName,
        AfterAttributeName,
        BeforeValue,
        QuotedValue,
        UnquotedValue,
        Comment, // "<!--" up to "-->"
        Markup, // "<!" or "<?" up to ">"
        RawText, // the content of SCRIPT, STYLE, TEXTAREA, TITLE
    };

    explicit Reader(QStringView text)
        : m_text(text)
    {
    }

    void run();

    QStringView m_text;
    State m_state = State::Text;
    qsizetype m_tokenStart = 0; // of the name or value being read
    QStringView m_tagName;
    bool m_endTag = false;
    bool m_blankBefore = false; // a blank came before the attribute being read
    QStringView m_attribute;
    QList<QStringView> m_attributesInTag;
    QChar m_quote;
    QStringView m_rawTextElement;
    QList<QStringView> m_open; // the open elements, innermost last, as written
    int m_upper = 0;
    int m_lower = 0;

    void countCase(QStringView name);

private:
    void text(qsizetype &i);
    void endTagName(qsizetype i);
    void inTag(qsizetype i, QChar c);
    void finishTag(qsizetype i);
    void rawText(qsizetype &i);
};

void Reader::countCase(QStringView name)
{
    bool upper = false;
    bool lower = false;
    for (QChar c : name) {
        upper = upper || (c >= u'A' && c <= u'Z');
        lower = lower || (c >= u'a' && c <= u'z');
    }
    if (upper && !lower)
        ++m_upper;
    else if (lower && !upper)
        ++m_lower;
}

void Reader::run()
{
    const qsizetype size = m_text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = m_text[i];
        switch (m_state) {
        case State::Text:
            text(i);
            break;
        case State::TagName:
            if (isTagNameChar(c))
                break;
            m_tagName = m_text.sliced(m_tokenStart, i - m_tokenStart);
            countCase(m_tagName);
            m_attributesInTag.clear();
            m_state = State::InTag;
            m_blankBefore = false;
            inTag(i, c);
            break;
        case State::EndTagName:
            if (isTagNameChar(c))
                break;
            endTagName(i);
            m_state = State::InTag;
            m_blankBefore = false;
            inTag(i, c);
            break;
        case State::InTag:
            inTag(i, c);
            break;
        case State::AttributeName:
            if (isAttributeNameChar(c))
                break;
            m_attribute = m_text.sliced(m_tokenStart, i - m_tokenStart);
            m_attributesInTag.append(m_attribute);
            if (c == u'=') {
                m_state = State::BeforeValue;
            } else if (isBlank(c)) {
                m_state = State::AfterAttributeName;
            } else {
                m_state = State::InTag;
                inTag(i, c);
            }
            break;
        case State::AfterAttributeName:
            if (c == u'=') {
                m_state = State::BeforeValue;
            } else if (!isBlank(c)) {
                m_state = State::InTag;
                m_blankBefore = true;
                inTag(i, c);
            }
            break;
        case State::BeforeValue:
            if (c == u'"' || c == u'\'') {
                m_quote = c;
                m_tokenStart = i + 1;
                m_state = State::QuotedValue;
            } else if (c == u'>') {
                finishTag(i);
            } else if (!isBlank(c)) {
                m_state = State::UnquotedValue;
            }
            break;
        case State::QuotedValue:
            if (c == m_quote) {
                m_state = State::InTag;
                m_blankBefore = false;
            }
            break;
        case State::UnquotedValue:
            if (isBlank(c)) {
                m_state = State::InTag;
                m_blankBefore = true;
            } else if (c == u'>') {
                finishTag(i);
            }
            break;
        case State::Comment:
            if (c == u'-' && m_text.sliced(i).startsWith(u"-->")) {
                i += 2;
                m_state = State::Text;
            }
            break;
        case State::Markup:
            if (c == u'>')
                m_state = State::Text;
            break;
        case State::RawText:
            rawText(i);
            break;
        }
    }
}

void Reader::text(qsizetype &i)
{
    if (m_text[i] != u'<')
        return;
    const QStringView rest = m_text.sliced(i + 1);
    if (rest.startsWith(u"!--")) {
        m_state = State::Comment;
        i += 3;
    } else if (rest.startsWith(u'!') || rest.startsWith(u'?')) {
        m_state = State::Markup;
    } else if (rest.startsWith(u'/')) {
        // "</" at the end is the closing tag being typed.
        if (rest.size() == 1 || isAsciiLetter(rest[1])) {
            m_state = State::EndTagName;
            m_endTag = true;
            m_tokenStart = i + 2;
            i += 1;
        } else {
            m_state = State::Markup;
        }
    } else if (rest.isEmpty() || isAsciiLetter(rest[0])) {
        // "<" at the end is the start tag being typed.
        m_state = State::TagName;
        m_endTag = false;
        m_tokenStart = i + 1;
    }
}

void Reader::endTagName(qsizetype i)
{
    m_tagName = m_text.sliced(m_tokenStart, i - m_tokenStart);
    countCase(m_tagName);
}

void Reader::inTag(qsizetype i, QChar c)
{
    if (c == u'>') {
        finishTag(i);
    } else if (isBlank(c)) {
        m_blankBefore = true;
    } else if (isAttributeNameChar(c)) {
        m_state = State::AttributeName;
        m_tokenStart = i;
    } else {
        m_blankBefore = false;
    }
}

void Reader::finishTag(qsizetype i)
{
    m_state = State::Text;
    const QStringView name = m_tagName;
    if (m_endTag) {
        // Close the innermost element of that name and what is open inside it.
        for (qsizetype k = m_open.size() - 1; k >= 0; --k) {
            if (m_open[k].compare(name, Qt::CaseInsensitive) == 0) {
                m_open.resize(k);
                break;
            }
        }
        return;
    }
    const bool selfClosing = i > 0 && m_text[i - 1] == u'/';
    if (HtmlVocabulary::isVoid(name) || selfClosing)
        return;
    while (!m_open.isEmpty() && HtmlVocabulary::endsImplicitly(m_open.last(), name))
        m_open.removeLast();
    m_open.append(name);
    if (HtmlVocabulary::isRawText(name)) {
        m_rawTextElement = name;
        m_state = State::RawText;
    }
}

void Reader::rawText(qsizetype &i)
{
    // Only this element's own end tag ends it.
    const QStringView rest = m_text.sliced(i);
    if (!rest.startsWith(u"</"))
        return;
    const QStringView name = rest.sliced(2);
    const qsizetype length = m_rawTextElement.size();
    if (!startsWithIgnoringCase(name, m_rawTextElement))
        return;
    if (name.size() > length && isTagNameChar(name[length]))
        return;
    m_state = State::EndTagName;
    m_endTag = true;
    m_tokenStart = i + 2;
    i += 1;
}

QStringList matching(const QStringList &names, QStringView prefix, bool upperCase)
{
    QStringList entries;
    for (const QString &name : names)
        if (startsWithIgnoringCase(name, prefix))
            entries.append(upperCase ? name.toUpper() : name);
    return entries;
}

} // namespace

Completion CompletionContext::at(QStringView before)
{
    Reader reader(before);
    reader.run();
    const qsizetype end = before.size();

    Completion found;
    const auto prefixFrom = [&](qsizetype start) {
        found.start = start;
        found.prefix = before.sliced(start).toString();
    };
    using State = Reader::State;
    switch (reader.m_state) {
    case State::TagName: {
        const QStringView typed = before.sliced(reader.m_tokenStart);
        reader.countCase(typed);
        found.kind = Completion::Kind::ElementName;
        prefixFrom(reader.m_tokenStart);
        break;
    }
    case State::EndTagName:
        found.kind = Completion::Kind::ClosingTag;
        prefixFrom(reader.m_tokenStart);
        break;
    case State::InTag:
    case State::AfterAttributeName:
        if (reader.m_endTag || end == 0 || !isBlank(before[end - 1]))
            return {};
        found.kind = Completion::Kind::AttributeName;
        prefixFrom(end);
        break;
    case State::AttributeName:
        if (reader.m_endTag || !reader.m_blankBefore)
            return {};
        found.kind = Completion::Kind::AttributeName;
        prefixFrom(reader.m_tokenStart);
        break;
    case State::QuotedValue:
        if (reader.m_endTag)
            return {};
        found.kind = Completion::Kind::AttributeValue;
        found.attribute = reader.m_attribute.toString();
        found.quote = reader.m_quote;
        prefixFrom(reader.m_tokenStart);
        break;
    case State::RawText: {
        // "</" inside a script or style can only be its end tag.
        const qsizetype slash = before.lastIndexOf(u"</");
        if (slash < 0)
            return {};
        const QStringView typed = before.sliced(slash + 2);
        if (!startsWithIgnoringCase(reader.m_rawTextElement, typed))
            return {};
        found.kind = Completion::Kind::ClosingTag;
        prefixFrom(slash + 2);
        break;
    }
    default:
        return {};
    }

    found.upperCase = reader.m_upper > reader.m_lower;
    if (found.kind == Completion::Kind::AttributeName
        || found.kind == Completion::Kind::AttributeValue)
        found.element = reader.m_tagName.toString();

    switch (found.kind) {
    case Completion::Kind::ElementName:
        found.entries = matching(HtmlVocabulary::elements(), found.prefix, found.upperCase);
        break;
    case Completion::Kind::AttributeName: {
        QStringList names = HtmlVocabulary::attributes(found.element);
        names.removeIf([&](const QString &name) {
            for (QStringView written : std::as_const(reader.m_attributesInTag))
                if (written.compare(name, Qt::CaseInsensitive) == 0)
                    return true;
            return false;
        });
        found.entries = matching(names, found.prefix, found.upperCase);
        break;
    }
    case Completion::Kind::AttributeValue: {
        const HtmlVocabulary::Values values
            = HtmlVocabulary::values(found.element, found.attribute);
        found.entries = matching(values.names, found.prefix, found.upperCase && !values.keepCase);
        break;
    }
    case Completion::Kind::ClosingTag:
        // The element as its start tag was written.
        if (!reader.m_open.isEmpty() && startsWithIgnoringCase(reader.m_open.last(), found.prefix))
            found.entries = QStringList { reader.m_open.last().toString() };
        break;
    case Completion::Kind::None:
        break;
    }
    if (found.entries.isEmpty())
        return {};
    return found;
}

} // namespace Tarnwick

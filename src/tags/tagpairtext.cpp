// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagpairtext.h"

namespace Tarnwick {

namespace {

bool hasBracket(const QString &text)
{
    return text.contains(QLatin1Char('<')) || text.contains(QLatin1Char('>'));
}

// A half written without brackets gets them; one the user bracketed, or
// left empty, stays as written.
QString bracketed(const QString &half)
{
    if (hasBracket(half))
        return half;
    const QString name = half.trimmed();
    return name.isEmpty() ? QString() : QLatin1Char('<') + name + QLatin1Char('>');
}

bool endsTagName(QChar c)
{
    return c.isSpace() || c == QLatin1Char('>') || c == QLatin1Char('/');
}

// The ".." that parts the halves: the first one outside a quoted value
// (HREF="../index.htm"). A quote opens a value only right after "=" and
// blanks. With no such "..", an unclosed quote for one, the first ".." of
// the text, as it has always been.
qsizetype halvesSplit(const QString &text)
{
    QChar quote;
    QChar lastSeen; // last character outside a value that is not a blank
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if ((c == QLatin1Char('"') || c == QLatin1Char('\'')) && lastSeen == QLatin1Char('=')) {
            quote = c;
            lastSeen = QChar();
            continue;
        }
        if (c == QLatin1Char('.') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('.'))
            return i;
        if (!c.isSpace())
            lastSeen = c;
    }
    return text.indexOf(QLatin1String(".."));
}

} // namespace

QString TagPairText::closingTag(const QString &tag)
{
    if (tag.startsWith(QLatin1Char('<'))) {
        qsizetype end = 1;
        while (end < tag.size() && !endsTagName(tag.at(end)))
            ++end;
        if (end > 1)
            return QStringLiteral("</") + tag.mid(1, end - 1) + QLatin1Char('>');
    }
    // Not a tag with a name: "/" goes in after the first character.
    return tag.isEmpty() ? QString() : tag.left(1) + QLatin1Char('/') + tag.mid(1);
}

TagPair TagPairText::captionAsTag(const QString &caption)
{
    const qsizetype end = caption.indexOf(QLatin1Char('>'));
    if (end < 0)
        return { caption, QString() };
    return { caption.left(end + 1), caption.mid(end + 1) };
}

TagPair TagPairText::unevenTags(const QString &pairText)
{
    const qsizetype dots = halvesSplit(pairText);
    if (dots < 0)
        return firstWordTags(pairText);
    const QString open = pairText.left(dots);
    QString close = pairText.mid(dots + 2);
    // The free words follow the first " - ": a hyphen inside the close
    // ("-->") or inside a value (CLASS="a-b") belongs to the tag.
    const qsizetype words = close.indexOf(QLatin1String(" - "));
    if (words >= 0)
        close.truncate(words);
    return { bracketed(open), bracketed(close) };
}

TagPair TagPairText::firstWordTags(const QString &text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && !trimmed.at(end).isSpace())
        ++end;
    QString name = trimmed.left(end);
    // A word written as a tag, "<TT>", names the same tag as "TT".
    if (name.startsWith(QLatin1Char('<')))
        name.remove(0, 1);
    if (name.endsWith(QLatin1Char('>')))
        name.chop(1);
    if (name.isEmpty() || hasBracket(name))
        return {};
    const QString open = QLatin1Char('<') + name + QLatin1Char('>');
    return { open, closingTag(open) };
}

} // namespace Tarnwick

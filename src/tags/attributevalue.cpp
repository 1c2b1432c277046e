// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/attributevalue.h"

namespace Tarnwick {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

} // namespace

AttributeValue AttributeValue::read(QStringView text, qsizetype afterName)
{
    AttributeValue result;
    const qsizetype n = text.size();
    qsizetype i = qBound<qsizetype>(0, afterName, n);
    result.end = i;
    while (i < n && isBlank(text[i]))
        ++i;
    if (i >= n || text[i] != QLatin1Char('='))
        return result; // a name on its own: the end stays right after it
    ++i;
    while (i < n && isBlank(text[i]))
        ++i;
    result.hasValue = true;
    result.start = i;
    if (i < n && (text[i] == QLatin1Char('"') || text[i] == QLatin1Char('\''))) {
        const QChar quote = text[i];
        qsizetype j = ++i;
        while (j < n && text[j] != quote && !isLineBreak(text[j]))
            ++j;
        result.start = i;
        if (j < n && text[j] == quote) {
            result.value = text.mid(i, j - i).toString();
            result.end = j + 1;
            return result;
        }
        // Not closed on its line: the value ends as an unquoted one would,
        // or at another quote, so a lone quote is an empty value.
        j = i;
        while (j < n && !isBlank(text[j]) && text[j] != QLatin1Char('>')
               && text[j] != QLatin1Char('"') && text[j] != QLatin1Char('\''))
            ++j;
        result.value = text.mid(i, j - i).toString();
        result.end = j;
        return result;
    }
    qsizetype j = i;
    while (j < n && !isBlank(text[j]) && text[j] != QLatin1Char('>'))
        ++j;
    result.value = text.mid(i, j - i).toString();
    result.end = j;
    return result;
}

std::optional<QString> AttributeValue::find(QStringView tag, QStringView name)
{
    const qsizetype n = tag.size();
    qsizetype i = tag.startsWith(QLatin1Char('<')) ? 1 : 0;
    while (i < n && !isBlank(tag[i]) && tag[i] != QLatin1Char('>'))
        ++i; // the tag's own name
    while (i < n) {
        while (i < n && (isBlank(tag[i]) || tag[i] == QLatin1Char('/')))
            ++i;
        if (i >= n || tag[i] == QLatin1Char('>'))
            return std::nullopt;
        const qsizetype start = i;
        while (i < n && !isBlank(tag[i]) && tag[i] != QLatin1Char('=')
               && tag[i] != QLatin1Char('>'))
            ++i;
        if (i == start) // a stray "="
            ++i;
        const AttributeValue value = read(tag, i);
        if (value.hasValue && tag.mid(start, i - start).compare(name, Qt::CaseInsensitive) == 0)
            return value.value;
        i = qMax(i, value.end);
    }
    return std::nullopt;
}

} // namespace Tarnwick

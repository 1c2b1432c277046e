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

} // namespace Tarnwick

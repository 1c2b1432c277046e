// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/charsetdeclaration.h"

#include "platform/textfile.h"

namespace Tarnwick {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// The next place at or after `from` where `tag` (lower case, "<meta") opens
// a tag of that name, in any case: a blank, "/" or ">" follows the name, so
// "<header" is no "<head". -1 when there is none.
qsizetype findTag(QByteArrayView page, QByteArrayView tag, qsizetype from)
{
    for (qsizetype at = from; at + tag.size() <= page.size(); ++at) {
        qsizetype i = 0;
        while (i < tag.size() && lower(page[at + i]) == tag[i])
            ++i;
        if (i < tag.size())
            continue;
        const qsizetype after = at + tag.size();
        if (after == page.size())
            return -1;
        const char next = page[after];
        if (next == '>' || next == '/' || next == ' ' || next == '\t' || next == '\r'
            || next == '\n')
            return at;
    }
    return -1;
}

bool containsNoCase(QByteArrayView text, QByteArrayView word)
{
    for (qsizetype at = 0; at + word.size() <= text.size(); ++at) {
        qsizetype i = 0;
        while (i < word.size() && lower(text[at + i]) == word[i])
            ++i;
        if (i == word.size())
            return true;
    }
    return false;
}

} // namespace

QByteArray CharsetDeclaration::charsetOf(const QByteArray &page)
{
    return TextFile::decode(page).format.encoding == TextFileFormat::Encoding::Windows1252
        ? QByteArrayLiteral("windows-1252")
        : QByteArrayLiteral("utf-8");
}

bool CharsetDeclaration::declared(QByteArrayView page)
{
    for (qsizetype at = findTag(page, "<meta", 0); at >= 0; at = findTag(page, "<meta", at + 1)) {
        const qsizetype end = page.indexOf('>', at);
        const QByteArrayView tag = page.sliced(at, (end < 0 ? page.size() : end) - at);
        if (containsNoCase(tag, "charset"))
            return true;
    }
    return false;
}

QByteArray CharsetDeclaration::withDeclaration(const QByteArray &page, QByteArrayView charset)
{
    if (declared(page))
        return page;
    const qsizetype head = findTag(page, "<head", 0);
    if (head < 0)
        return page;
    const qsizetype close = page.indexOf('>', head);
    if (close < 0)
        return page;
    QByteArray lineEnd;
    if (page.sliced(close + 1).startsWith("\r\n"))
        lineEnd = "\r\n";
    else if (page.sliced(close + 1).startsWith("\n"))
        lineEnd = "\n";
    else if (page.sliced(close + 1).startsWith("\r"))
        lineEnd = "\r";
    QByteArray declaration("<meta charset=\"");
    declaration.append(charset).append("\">");
    QByteArray result = page;
    if (lineEnd.isEmpty())
        result.insert(close + 1, declaration);
    else
        result.insert(close + 1 + lineEnd.size(), declaration + lineEnd);
    return result;
}

} // namespace Tarnwick

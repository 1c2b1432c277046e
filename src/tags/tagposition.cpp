// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagposition.h"

#include <QString>

#include <algorithm>

namespace Tarnwick {

namespace {

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

// The next occurrence of a tag opening such as "<body" at or after from whose
// name ends there; -1 when there is none.
qsizetype findTag(QStringView text, QLatin1String opening, qsizetype from)
{
    while (from <= text.size()) {
        const qsizetype at = text.indexOf(opening, from, Qt::CaseInsensitive);
        if (at < 0)
            return -1;
        const qsizetype after = at + opening.size();
        if (after >= text.size() || !isNameCharacter(text[after]))
            return at;
        from = at + 1;
    }
    return -1;
}

} // namespace

bool TagPosition::InATag(QStringView lineText, int column)
{
    if (lineText.isEmpty())
        return false;
    const qsizetype caret = std::clamp<qsizetype>(column, 0, lineText.size());
    for (qsizetype i = caret; i < lineText.size(); ++i) {
        if (lineText[i] == u'>')
            return true;
        if (lineText[i] == u'<')
            break;
    }
    for (qsizetype i = caret - 1; i >= 0; --i) {
        if (lineText[i] == u'<')
            return true;
        if (lineText[i] == u'>')
            return false;
    }
    return false;
}

TagPosition::Body TagPosition::findBody(QStringView text)
{
    Body body;
    const qsizetype open = findTag(text, QLatin1String("<body"), 0);
    if (open < 0)
        return body;
    body.openFound = true;
    const qsizetype end = text.indexOf(u'>', open);
    const qsizetype openEnd = end < 0 ? text.size() : end + 1;
    body.openEnd = TextLines::lineColumnAt(text, openEnd);

    qsizetype close = -1;
    for (qsizetype from = openEnd; body.closings < 2;) {
        const qsizetype at = findTag(text, QLatin1String("</body"), from);
        if (at < 0)
            break;
        close = at;
        ++body.closings;
        from = at + 1;
    }
    if (close >= 0) {
        body.closeFound = true;
        body.closeStart = TextLines::lineColumnAt(text, close);
    }
    return body;
}

bool TagPosition::insideBody(const Body &body, LineColumn caret)
{
    if (!body.openFound || caret < body.openEnd)
        return false;
    return !body.closeFound || caret <= body.closeStart;
}

} // namespace Tarnwick

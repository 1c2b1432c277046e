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
    return *InATagWithin(lineText, column, true, true);
}

std::optional<bool> TagPosition::InATagWithin(QStringView window, int column, bool atStart,
                                              bool atEnd)
{
    const qsizetype caret = std::clamp<qsizetype>(column, 0, window.size());
    qsizetype i = caret;
    for (; i < window.size(); ++i) {
        if (window[i] == u'>')
            return true;
        if (window[i] == u'<')
            break;
    }
    if (i == window.size() && !atEnd)
        return std::nullopt;
    for (i = caret - 1; i >= 0; --i) {
        if (window[i] == u'<')
            return true;
        if (window[i] == u'>')
            return false;
    }
    if (!atStart)
        return std::nullopt;
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

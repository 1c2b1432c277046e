// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/pagetitle.h"

namespace Tarnwick {

namespace {

// The index of the next "<title" or "</title" (closing set) that is a whole tag name.
qsizetype findTag(QStringView text, qsizetype from, bool closing)
{
    const QLatin1String name = closing ? QLatin1String("</title") : QLatin1String("<title");
    for (qsizetype at = text.indexOf(name, from, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(name, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + name.size();
        if (after >= text.size())
            return -1;
        const QChar c = text[after];
        if (c == QLatin1Char('>') || c == QLatin1Char('/') || c.isSpace())
            return at;
    }
    return -1;
}

} // namespace

QString PageTitle::fromText(QStringView text)
{
    const qsizetype open = findTag(text, 0, false);
    if (open < 0)
        return {};
    const qsizetype openEnd = text.indexOf(QLatin1Char('>'), open);
    if (openEnd < 0)
        return {};
    if (findTag(text, openEnd + 1, true) < 0)
        return {};
    qsizetype end = text.indexOf(QLatin1Char('<'), openEnd + 1);
    return text.mid(openEnd + 1, end - openEnd - 1).toString().simplified();
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/entrytext.h"

namespace Tarnwick {

// The split counts on a blank either side of the hyphen and drops them blindly,
// so "a-b" gives description "" and target "" rather than reading past the ends.

QString EntryText::EntryDescription(const QString &text)
{
    const qsizetype hyphen = text.indexOf(QLatin1Char('-'));
    if (hyphen < 0)
        return {};
    return text.left(qMax<qsizetype>(0, hyphen - 1));
}

QString EntryText::EntryTarget(const QString &text)
{
    const qsizetype hyphen = text.indexOf(QLatin1Char('-'));
    if (hyphen < 0)
        return text.mid(1);
    const qsizetype start = hyphen + 2;
    return start < text.size() ? text.mid(start) : QString();
}

QString EntryText::compose(const QString &description, const QString &target)
{
    return description + QStringLiteral(" - ") + target;
}

} // namespace Tarnwick

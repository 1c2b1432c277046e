// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/sitefinding.h"

#include <QList>
#include <QString>

namespace Tarnwick {

// The markup problems HTML Tidy finds in a page that break it in a browser
// or on a validator: elements left open or closed in the wrong order, ids
// used twice, elements and attributes no HTML knows, attributes written
// twice. What Tidy would merely tidy (a missing DOCTYPE, the upper-case and
// presentational HTML 4 the generators write, implied tags) is not reported.
class MarkupCheck final
{
public:
    MarkupCheck() = delete;

    // text: the page as read, line ends as they are; path goes into each finding.
    static QList<SiteFinding> check(const QString &text, const QString &path);
};

} // namespace Tarnwick

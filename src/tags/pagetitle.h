// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace Tarnwick {

// The title of a page read from its text: the first TITLE element that is
// closed, its tag name in any case. The text between "<title ...>" and the
// next "<" is the title, its white space run together as a browser shows it.
class PageTitle final
{
public:
    PageTitle() = delete;

    // Empty when the page has no closed TITLE element.
    static QString fromText(QStringView text);
};

} // namespace Tarnwick

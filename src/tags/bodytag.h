// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "tags/bodysettings.h"

#include <QString>
#include <QStringView>

namespace Tarnwick {

// The page's BODY tag read into the remembered body settings and written
// from them.
class BodyTag final
{
public:
    BodyTag() = delete;

    // Fills settings from a BODY tag: margins and image are cleared first,
    // colours and the fixed flag keep their values unless the tag sets them.
    // Every value is checked before anything changes: a value that is not a
    // number fails naming it, and settings stay as they were.
    static Result SetBodyVars(QStringView tag, BodySettings &settings);

    // The tag the body dialog writes: image (file name only), the five
    // colours (active link before visited link), the margins that are set
    // and the fixed flag.
    static QString build(const BodySettings &settings);

    // The dialog's live sample: the words in their colours on the background
    // (an image without a directory is relative to the page).
    static QString samplePage(const BodySettings &settings);

    // Six upper-case hexadecimal digits, red first.
    static QString colorText(const QColor &color);
};

} // namespace Tarnwick

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

    // The tag the body dialog writes: image (file name only, a web address as
    // it stands), the five colours (active link before visited link; one not
    // set is written empty), the margins that are set and the fixed flag.
    static QString build(const BodySettings &settings);

    // The dialog's live sample: the words in their colours on the background
    // (an image without a directory is relative to the page).
    static QString samplePage(const BodySettings &settings);

    // True for a background named by a web address ("http://...", "//host/..."):
    // it is written as it stands and never copied.
    static bool isWebAddress(const QString &image);
    // What the tag names: a file by its name alone, a web address whole.
    static QString backgroundName(const QString &image);

    // Six upper-case hexadecimal digits, red first.
    static QString colorText(const QColor &color);
};

} // namespace Tarnwick

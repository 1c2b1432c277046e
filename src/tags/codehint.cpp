// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/codehint.h"

#include <QTextDocument>

namespace Tarnwick {

QString CodeHint::toolTip(const QString &code)
{
    // A tip is drawn as rich text when it looks like it; such a code is
    // escaped, its blanks kept and its line not wrapped.
    if (!Qt::mightBeRichText(code))
        return code;
    return QStringLiteral("<p style=\"white-space:pre\">") + code.toHtmlEscaped()
        + QStringLiteral("</p>");
}

} // namespace Tarnwick

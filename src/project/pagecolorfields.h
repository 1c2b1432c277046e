// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tarnwick {

// The five page colours as the forms that ask for them show them, in the
// order text, link, visited link, active link, background: the object name
// of each colour's field and of its button, and its caption.
struct PageColorField
{
    const char *name;
    const char *button;
    const char *caption;
};

inline constexpr int pageColorFieldCount = 5;
inline constexpr PageColorField pageColorFields[pageColorFieldCount] = {
    { "TextColor", "TextButton", "Text Color" },    { "LinkColor", "LinkButton", "Link Color" },
    { "vLinkColor", "vLinkButton", "VLink Color" }, { "ALinkColor", "ALinkButton", "ALink Color" },
    { "bgColor", "bgButton", "Background" },
};

} // namespace Tarnwick

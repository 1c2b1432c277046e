// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/latin1entities.h"

namespace Tarnwick {

namespace {

// From 192; empty for 215 and 247.
constexpr const char *names[64] = {
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig", "Ccedil",
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc", "Iuml",
    "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",  "",
    "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN", "szlig",
    "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig", "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc", "iuml",
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",  "",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn", "yuml",
};

} // namespace

QString Latin1Entities::entity(QChar character)
{
    const char16_t code = character.unicode();
    if (code < 192 || code > 255 || !*names[code - 192])
        return QString();
    return QLatin1Char('&') + QLatin1String(names[code - 192]) + QLatin1Char(';');
}

} // namespace Tarnwick

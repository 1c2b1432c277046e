// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

class QRandomGenerator;

namespace Tarnwick {

// Rainbow text: every character of a text in a FONT element of its own,
// coloured by a walk from a base colour or at random.
class Rainbow final
{
public:
    Rainbow() = delete;

    enum class Walk { Standard, Random };
    struct Options
    {
        bool useRandom = false;
        bool sixteenColors = false; // with useRandom: colour names, never "White"
        Walk walk = Walk::Standard;
    };

    static const QStringList &colorNames();

    // One step of the walk. Standard turns (R, G, B) into
    // ((B + 33) mod 256, G, (R + 34) mod 256); Random into one of
    // (B, G, (R + 34) mod 256), (B, G, R), ((B + 34) mod 256, G, R).
    static QColor step(const QColor &color, Walk walk, QRandomGenerator &random);
    // "#RRGGBB", upper case.
    static QString colorText(const QColor &color);

    // The first character already has the first step's colour. A surrogate
    // pair is one character.
    static QString CreateRainbow(const QString &text, const Options &options, const QColor &base,
                                 QRandomGenerator &random);
};

} // namespace Tarnwick

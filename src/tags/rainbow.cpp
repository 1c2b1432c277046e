// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/rainbow.h"

#include <QRandomGenerator>

namespace Tarnwick {

const QStringList &Rainbow::colorNames()
{
    static const QStringList names {
        QStringLiteral("Black"), QStringLiteral("Maroon"),  QStringLiteral("Green"),
        QStringLiteral("Olive"), QStringLiteral("Navy"),    QStringLiteral("Purple"),
        QStringLiteral("Teal"),  QStringLiteral("Gray"),    QStringLiteral("Silver"),
        QStringLiteral("Red"),   QStringLiteral("Lime"),    QStringLiteral("Yellow"),
        QStringLiteral("Blue"),  QStringLiteral("Fuchsia"), QStringLiteral("Aqua"),
        QStringLiteral("White"),
    };
    return names;
}

QColor Rainbow::step(const QColor &color, Walk walk, QRandomGenerator &random)
{
    const int r = color.red();
    const int g = color.green();
    const int b = color.blue();
    if (walk == Walk::Standard)
        return QColor((b + 33) % 256, g, (r + 34) % 256);
    switch (random.bounded(3)) {
    case 0:
        return QColor(b, g, (r + 34) % 256);
    case 1:
        return QColor(b, g, r);
    default:
        return QColor((b + 34) % 256, g, r);
    }
}

QString Rainbow::colorText(const QColor &color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString Rainbow::CreateRainbow(const QString &text, const Options &options, const QColor &base,
                               QRandomGenerator &random)
{
    QString result;
    result.reserve(text.size() * 30);
    QColor current = base;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        QString color;
        if (!options.useRandom) {
            current = step(current, options.walk, random);
            color = colorText(current);
        } else if (options.sixteenColors) {
            color = colorNames().at(int(random.bounded(15))); // "White" is left out
        } else {
            // Each component 0 to 254.
            const int blue = int(random.bounded(255));
            const int green = int(random.bounded(255));
            const int red = int(random.bounded(255));
            color = colorText(QColor(red, green, blue));
        }
        const qsizetype length
            = text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate() ? 2 : 1;
        result += QStringLiteral("<FONT COLOR=\"") + color + QStringLiteral("\">")
            + QStringView(text).mid(i, length) + QStringLiteral("</FONT>");
        i += length - 1;
    }
    return result;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/cellattributes.h"

namespace Tarnwick {

namespace {

QString value(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.replace(QLatin1Char('"'), QLatin1String("&quot;"));
}

QString size(const char *name, int n, bool percent)
{
    if (n <= 0)
        return QString();
    return QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + QString::number(n)
        + (percent ? QStringLiteral("%\"") : QStringLiteral("\""));
}

} // namespace

QString CellAttributes::text() const
{
    QString s;
    if (rows > 1)
        s += QStringLiteral(" ROWSPAN=\"") + QString::number(rows) + QLatin1Char('"');
    if (columns > 1)
        s += QStringLiteral(" COLSPAN=\"") + QString::number(columns) + QLatin1Char('"');
    if (vertical != QLatin1String("none"))
        s += QStringLiteral(" VALIGN=\"") + value(vertical) + QLatin1Char('"');
    if (horizontal != QLatin1String("none"))
        s += QStringLiteral(" ALIGN=\"") + value(horizontal) + QLatin1Char('"');
    if (!color.isEmpty())
        s += QStringLiteral(" BGCOLOR=\"") + value(color) + QLatin1Char('"');
    return s + size("HEIGHT", height, heightPercent) + size("WIDTH", width, widthPercent);
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/templatemarkers.h"

#include <QStringList>

#include <array>
#include <utility>

namespace Tarnwick {

QString TemplateMarkers::prefix()
{
    return QStringLiteral("<!--##");
}

TemplateMarkers::Kind TemplateMarkers::kindOf(const QString &line)
{
    if (!line.contains(prefix()))
        return Kind::None;
    static const std::array<std::pair<const char *, Kind>, 7> kinds { {
        { "<!--##Heading", Kind::Heading },
        { "<!--##Defaults", Kind::Defaults },
        { "<!--##Text", Kind::Text },
        { "<!--##Image", Kind::Image },
        { "<!--##Link", Kind::Link },
        { "<!--##MailLink", Kind::MailLink },
        { "<!--##Body", Kind::Body },
    } };
    for (const auto &[text, kind] : kinds) {
        if (line.contains(QLatin1String(text)))
            return kind;
    }
    return Kind::Invalid;
}

int TemplateMarkers::slotLines(Kind kind)
{
    switch (kind) {
    case Kind::None:
    case Kind::Invalid:
        return 0;
    case Kind::Defaults:
        return 3;
    default:
        return 1;
    }
}

int TemplateMarkers::next(const LineSource &line, int current, int lineCount)
{
    for (int n = qMax(current + 1, 1); n < lineCount; ++n) {
        if (line(n).contains(prefix()))
            return n;
    }
    return 0;
}

int TemplateMarkers::previous(const LineSource &line, int current)
{
    for (int n = current - 1; n >= 1; --n) {
        if (line(n).contains(prefix()))
            return n;
    }
    return 0;
}

} // namespace Tarnwick

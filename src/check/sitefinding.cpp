// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/sitefinding.h"

#include <tuple>

namespace Tarnwick {

QString SiteFinding::severityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return QStringLiteral("error");
    case Severity::Warning:
        return QStringLiteral("warning");
    case Severity::Note:
        break;
    }
    return QStringLiteral("note");
}

QString SiteFinding::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Missing:
        return QStringLiteral("missing");
    case Kind::LetterCase:
        return QStringLiteral("case");
    case Kind::Anchor:
        return QStringLiteral("anchor");
    case Kind::LocalPath:
        return QStringLiteral("local-path");
    case Kind::Outside:
        return QStringLiteral("outside");
    case Kind::Symlink:
        return QStringLiteral("symlink");
    case Kind::Charset:
        return QStringLiteral("charset");
    case Kind::Markup:
        return QStringLiteral("markup");
    case Kind::Title:
        return QStringLiteral("title");
    case Kind::Alt:
        return QStringLiteral("alt");
    case Kind::NotInProject:
        return QStringLiteral("not-in-project");
    case Kind::External:
        return QStringLiteral("external");
    case Kind::Orphan:
        return QStringLiteral("orphan");
    case Kind::Unreadable:
        break;
    }
    return QStringLiteral("unreadable");
}

QList<SiteFinding::Kind> SiteFinding::allKinds()
{
    return { Kind::Missing,      Kind::LetterCase, Kind::Anchor, Kind::LocalPath, Kind::Outside,
             Kind::Symlink,      Kind::Charset,    Kind::Markup, Kind::Title,     Kind::Alt,
             Kind::NotInProject, Kind::External,   Kind::Orphan, Kind::Unreadable };
}

QString SiteFinding::toLine() const
{
    QString place = path;
    if (line > 0) {
        place += QLatin1Char(':') + QString::number(line);
        if (column > 0)
            place += QLatin1Char(':') + QString::number(column);
    }
    return place + QStringLiteral(": ") + severityName(severity) + QStringLiteral(": ") + message
        + QStringLiteral(" [") + kindName(kind) + QLatin1Char(']');
}

QJsonObject SiteFinding::toJson() const
{
    return QJsonObject { { QStringLiteral("path"), path },
                         { QStringLiteral("line"), line },
                         { QStringLiteral("column"), column },
                         { QStringLiteral("severity"), severityName(severity) },
                         { QStringLiteral("kind"), kindName(kind) },
                         { QStringLiteral("message"), message } };
}

bool SiteFinding::lessThan(const SiteFinding &a, const SiteFinding &b)
{
    return std::tie(a.path, a.line, a.column, a.severity, a.message)
        < std::tie(b.path, b.line, b.column, b.severity, b.message);
}

} // namespace Tarnwick

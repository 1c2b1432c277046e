// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/sitecheckresults.h"

#include <QDir>

#include <algorithm>

namespace Tarnwick {

SiteCheckResults::SiteCheckResults(QString projectDir, const QList<SiteFinding> &findings)
    : m_projectDir(QDir::cleanPath(std::move(projectDir)))
{
    for (const SiteFinding &f : findings)
        m_byPath[f.path].append(f);
}

QStringList SiteCheckResults::paths(std::optional<SiteFinding::Kind> kind) const
{
    QStringList out;
    for (auto it = m_byPath.cbegin(); it != m_byPath.cend(); ++it) {
        if (!kind || std::any_of(it->begin(), it->end(), [&](const SiteFinding &f) {
                return f.kind == *kind;
            }))
            out << it.key();
    }
    return out;
}

QList<SiteFinding> SiteCheckResults::findings(const QString &path,
                                              std::optional<SiteFinding::Kind> kind) const
{
    QList<SiteFinding> out;
    for (const SiteFinding &f : m_byPath.value(path)) {
        if (!kind || f.kind == *kind)
            out << f;
    }
    return out;
}

QList<SiteFinding> SiteCheckResults::all() const
{
    QList<SiteFinding> out;
    for (const QList<SiteFinding> &list : m_byPath)
        out += list;
    return out;
}

qsizetype SiteCheckResults::count(std::optional<SiteFinding::Kind> kind) const
{
    qsizetype n = 0;
    for (const QList<SiteFinding> &list : m_byPath)
        n += std::count_if(list.begin(), list.end(),
                           [&](const SiteFinding &f) { return !kind || f.kind == *kind; });
    return n;
}

qsizetype SiteCheckResults::count(SiteFinding::Severity severity) const
{
    qsizetype n = 0;
    for (const QList<SiteFinding> &list : m_byPath)
        n += std::count_if(list.begin(), list.end(),
                           [&](const SiteFinding &f) { return f.severity == severity; });
    return n;
}

void SiteCheckResults::replacePage(const QString &path, const QList<SiteFinding> &findings)
{
    QList<SiteFinding> kept;
    for (const SiteFinding &f : m_byPath.value(path)) {
        if (f.kind == SiteFinding::Kind::Orphan)
            kept << f;
    }
    kept += findings;
    if (kept.isEmpty())
        m_byPath.remove(path);
    else
        m_byPath.insert(path, kept);
}

std::optional<QString> SiteCheckResults::relativePath(const QString &absolutePath) const
{
    const QString clean = QDir::cleanPath(absolutePath);
    if (m_projectDir.isEmpty() || !clean.startsWith(m_projectDir + QLatin1Char('/')))
        return std::nullopt;
    return clean.mid(m_projectDir.size() + 1);
}

QString SiteCheckResults::summary(qsizetype errors, qsizetype warnings, qsizetype notes)
{
    const auto n = [](qsizetype count, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
    };
    return n(errors, "error", "errors") + QStringLiteral(", ") + n(warnings, "warning", "warnings")
        + QStringLiteral(", ") + n(notes, "note", "notes");
}

QString SiteCheckResults::summary() const
{
    return summary(count(SiteFinding::Severity::Error), count(SiteFinding::Severity::Warning),
                   count(SiteFinding::Severity::Note));
}

} // namespace Tarnwick

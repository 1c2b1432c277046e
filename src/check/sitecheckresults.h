// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/sitefinding.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace Tarnwick {

// The findings of the last site check as the findings pane shows them:
// grouped by page in name order, filtered by kind, and brought up to date
// one page at a time when a page is checked again after it was saved.
class SiteCheckResults final
{
public:
    SiteCheckResults() = default;
    SiteCheckResults(QString projectDir, const QList<SiteFinding> &findings);

    const QString &projectDir() const { return m_projectDir; }
    bool isEmpty() const { return m_byPath.isEmpty(); }

    // The paths with findings of the kind (every kind when none is given), in order.
    QStringList paths(std::optional<SiteFinding::Kind> kind = std::nullopt) const;
    QList<SiteFinding> findings(const QString &path,
                                std::optional<SiteFinding::Kind> kind = std::nullopt) const;
    QList<SiteFinding> all() const;
    qsizetype count(std::optional<SiteFinding::Kind> kind = std::nullopt) const;
    qsizetype count(SiteFinding::Severity severity) const;

    // Puts the page's new findings in place of its old ones; findings about
    // the folder (files nothing uses) stay as they were.
    void replacePage(const QString &path, const QList<SiteFinding> &findings);
    // Whether a file, by its absolute path, is one of the project folder's.
    std::optional<QString> relativePath(const QString &absolutePath) const;

    // "12 errors, 3 warnings, 40 notes"
    static QString summary(qsizetype errors, qsizetype warnings, qsizetype notes);
    QString summary() const;

private:
    QString m_projectDir;
    QMap<QString, QList<SiteFinding>> m_byPath;
};

} // namespace Tarnwick

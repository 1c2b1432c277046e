// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// Looks up the files of a project folder as a case-sensitive server would,
// and finds the spelling on disk when only the letter case differs. Each
// folder is listed at most once, and only when a name is not found as written.
class SiteFiles final
{
public:
    explicit SiteFiles(QString root);

    enum class Found { Exists, OtherCase, Missing };
    struct Lookup
    {
        Found found = Found::Missing;
        QString actual; // with OtherCase: the path as it is spelt on disk, relative to the root
    };
    // relative: "/" between names, no "." or ".." left, not empty.
    Lookup find(const QString &relative) const;

    const QString &root() const { return m_root; }

private:
    // Lower-case name -> names in that folder with it.
    const QHash<QString, QStringList> &listing(const QString &folder) const;

    QString m_root;
    mutable QHash<QString, QHash<QString, QStringList>> m_listings;
};

} // namespace Tarnwick

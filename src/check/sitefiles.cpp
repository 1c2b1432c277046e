// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/sitefiles.h"

#include <QDir>
#include <QFileInfo>

namespace Tarnwick {

SiteFiles::SiteFiles(QString root)
    : m_root(QDir::cleanPath(std::move(root)))
{
}

const QHash<QString, QStringList> &SiteFiles::listing(const QString &folder) const
{
    auto found = m_listings.constFind(folder);
    if (found != m_listings.constEnd())
        return *found;
    QHash<QString, QStringList> names;
    const QDir dir(folder.isEmpty() ? m_root : m_root + QLatin1Char('/') + folder);
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        names[name.toLower()].append(name);
    return *m_listings.insert(folder, std::move(names));
}

SiteFiles::Lookup SiteFiles::find(const QString &relative) const
{
    const QString full = m_root + QLatin1Char('/') + relative;
    if (QFileInfo::exists(full))
        return { Found::Exists, {} };
    // Walk down the names, taking the folder's own spelling where only case differs.
    QString folder;
    bool otherCase = false;
    for (const QString &name : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QHash<QString, QStringList> &names = listing(folder);
        QString actual;
        const QStringList spellings = names.value(name.toLower());
        if (spellings.contains(name)) {
            actual = name;
        } else if (!spellings.isEmpty()) {
            actual = spellings.first();
            otherCase = true;
        } else {
            return { Found::Missing, {} };
        }
        folder = folder.isEmpty() ? actual : folder + QLatin1Char('/') + actual;
    }
    // Found as written but absent before: a link that points nowhere.
    if (!otherCase)
        return { Found::Missing, {} };
    return { Found::OtherCase, folder };
}

} // namespace Tarnwick

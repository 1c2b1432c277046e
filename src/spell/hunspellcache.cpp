// SPDX-License-Identifier: GPL-3.0-or-later
#include "hunspellcache.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Tarnwick {

HunspellCache::HunspellCache(const QString &home)
    : m_folder(QDir(home).filePath(QStringLiteral("dictionaries")) + QLatin1Char('/'))
{
}

QString HunspellCache::folder() const
{
    return m_folder;
}

QString HunspellCache::fileName(const QString &name)
{
    return name + QStringLiteral(".DCT");
}

QString HunspellCache::filePath(const QString &name) const
{
    return m_folder + fileName(name);
}

QString HunspellCache::stampPath(const QString &name) const
{
    return m_folder + name + QStringLiteral(".stamp");
}

QByteArray HunspellCache::stampOf(const HunspellLanguages::Language &language)
{
    QByteArray stamp;
    for (const QString &path : { language.dicPath, language.affPath }) {
        const QFileInfo file(path); // a link's target decides
        stamp += file.canonicalFilePath().toUtf8() + ' ' + QByteArray::number(file.size()) + ' '
            + QByteArray::number(file.lastModified().toMSecsSinceEpoch()) + '\n';
    }
    return stamp;
}

bool HunspellCache::isFresh(const HunspellLanguages::Language &language) const
{
    if (!QFileInfo(filePath(language.name)).isFile())
        return false;
    QFile stamp(stampPath(language.name));
    return stamp.open(QIODevice::ReadOnly) && stamp.readAll() == stampOf(language);
}

Result HunspellCache::build(const HunspellLanguages::Language &language,
                            const HunspellPair::Progress &progress) const
{
    if (!QDir().mkpath(m_folder))
        return Result::failure(
            failureText(language, QStringLiteral("Cannot create the folder %1.").arg(m_folder)));
    // Taken before reading, so a pair changed while it is read counts as stale.
    const QByteArray stamp = stampOf(language);
    const Expected<DctBuilder::Statistics> built = HunspellPair::buildDictionary(
        language.dicPath, language.affPath, filePath(language.name), progress);
    if (!built)
        return Result::failure(failureText(language, built.error()));
    QSaveFile file(stampPath(language.name));
    if (!file.open(QIODevice::WriteOnly) || file.write(stamp) != stamp.size() || !file.commit())
        return Result::failure(failureText(
            language, QStringLiteral("Cannot write %1.").arg(stampPath(language.name))));
    return Result::success();
}

QString HunspellCache::buildingText(const HunspellLanguages::Language &language)
{
    return QStringLiteral("Building the %1 dictionary...").arg(language.displayName);
}

QString HunspellCache::failureText(const HunspellLanguages::Language &language, const QString &why)
{
    return QStringLiteral("The %1 dictionary could not be built. %2")
        .arg(language.displayName, why);
}

} // namespace Tarnwick

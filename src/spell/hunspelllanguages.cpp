// SPDX-License-Identifier: GPL-3.0-or-later
#include "hunspelllanguages.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace Tarnwick {

QStringList HunspellLanguages::defaultFolders()
{
    const QString fromEnvironment = qEnvironmentVariable("TARNWICK_HUNSPELL_DIRS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return { QStringLiteral("/usr/share/hunspell") };
}

HunspellLanguages::HunspellLanguages(const QStringList &folders)
    : m_folders(folders)
{
}

QString HunspellLanguages::displayName(const QString &name)
{
    // "de_DE", "de-DE", "fr", "en_GB-large": language, territory, variant.
    const QString code = name.section(QLatin1Char('-'), 0, 0);
    const QStringList parts = code.split(QLatin1Char('_'));
    const QLocale locale(code);
    if (parts.isEmpty() || locale.language() == QLocale::C
        || QLocale::languageToCode(locale.language()) != parts.first().toLower())
        return name;
    QString text = QLocale::languageToString(locale.language());
    if (parts.size() > 1) {
        const QLocale::Territory territory = QLocale::codeToTerritory(parts.at(1));
        if (territory == QLocale::AnyTerritory)
            return name;
        text += QStringLiteral(" (") + QLocale::territoryToString(territory) + QLatin1Char(')');
    }
    return text;
}

QList<HunspellLanguages::Language> HunspellLanguages::languages() const
{
    struct Found
    {
        Language language;
        bool real; // neither file is a symbolic link
    };
    QList<Found> found;
    QSet<QString> names; // an earlier folder's name hides a later one's
    QHash<QString, qsizetype> byTarget; // the real .dic file behind a name
    for (const QString &folder : m_folders) {
        const QDir dir(folder);
        const QFileInfoList dics = dir.entryInfoList({ QStringLiteral("*.dic") },
                                                     QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo &dic : dics) {
            const QString name = dic.completeBaseName();
            const QFileInfo aff(dir.filePath(name + QStringLiteral(".aff")));
            if (name.isEmpty() || names.contains(name) || !aff.isFile())
                continue;
            const QString target = dic.canonicalFilePath();
            const bool real = !dic.isSymLink() && !aff.isSymLink();
            Found entry {
                { name, displayName(name), dic.absoluteFilePath(), aff.absoluteFilePath() }, real
            };
            names.insert(name);
            const auto same = byTarget.constFind(target);
            if (same == byTarget.constEnd()) {
                byTarget.insert(target, found.size());
                found.append(entry);
            } else if (real && !found.at(*same).real) {
                found[*same] = entry; // the real files' own name, not a link's
            }
        }
    }
    QList<Language> result;
    for (const Found &entry : found)
        result.append(entry.language);
    std::sort(result.begin(), result.end(), [](const Language &a, const Language &b) {
        const int byDisplay = QString::localeAwareCompare(a.displayName, b.displayName);
        return byDisplay != 0 ? byDisplay < 0 : a.name < b.name;
    });
    return result;
}

std::optional<HunspellLanguages::Language> HunspellLanguages::find(const QString &name) const
{
    for (const Language &language : languages())
        if (language.name == name)
            return language;
    return std::nullopt;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Tarnwick {

// The Hunspell dictionaries installed on the desktop: every NAME.dic with a
// NAME.aff beside it in the folders searched. Distributions offer one word
// list under several names through symbolic links (de_BE and de_LU to
// de_DE); such a list is offered once, under the name of its real files.
class HunspellLanguages final
{
public:
    struct Language
    {
        QString name; // the file name without its extension: "de_DE"
        QString displayName; // "German (Germany)"
        QString dicPath;
        QString affPath;
    };

    // The folders of TARNWICK_HUNSPELL_DIRS (separated by ":") when it is set,
    // else the desktop's /usr/share/hunspell.
    static QStringList defaultFolders();

    // An earlier folder wins over a later one for the same name.
    explicit HunspellLanguages(const QStringList &folders = defaultFolders());

    // Sorted by display name, then name; read from the folders at each call.
    QList<Language> languages() const;
    std::optional<Language> find(const QString &name) const;

    // "German (Germany)" for de_DE, "French" for fr; the name itself when it
    // names no language.
    static QString displayName(const QString &name);

private:
    QStringList m_folders;
};

} // namespace Tarnwick

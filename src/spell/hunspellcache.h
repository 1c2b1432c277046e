// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hunspelllanguages.h"
#include "hunspellpair.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace Tarnwick {

// The spell checker's dictionaries built from installed Hunspell pairs, kept
// in the "dictionaries" folder of the Tarnwick home: NAME.DCT, and beside it
// NAME.stamp naming the size and time of the files it was built from, so an
// update of the installed pair makes it stale.
class HunspellCache final
{
public:
    explicit HunspellCache(const QString &home);

    // Ends with "/", as the checker's dictionary path does.
    QString folder() const;
    static QString fileName(const QString &name); // "de_DE.DCT"
    QString filePath(const QString &name) const;

    // True when the dictionary exists and was built from the pair as it is now.
    bool isFresh(const HunspellLanguages::Language &language) const;
    // Builds the dictionary; the stamp is written only after the dictionary
    // was. A failure leaves what was in the folder untouched.
    Result build(const HunspellLanguages::Language &language,
                 const HunspellPair::Progress &progress = {}) const;

    static QString buildingText(const HunspellLanguages::Language &language);
    static QString failureText(const HunspellLanguages::Language &language, const QString &why);

private:
    QString stampPath(const QString &name) const;
    static QByteArray stampOf(const HunspellLanguages::Language &language);

    QString m_folder;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dctbuilder.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace Tarnwick {

// A Hunspell dictionary as the desktop installs them: NAME.aff holds the
// affix rules and NAME.dic the stems with their flags. Expanding the pair
// gives every word it accepts without compounding; the spell checker's own
// dictionary files are built from that list.
class HunspellPair final
{
public:
    HunspellPair() = delete;

    // More words than this after expansion is not a dictionary a person can
    // use; such a pair is refused with a message instead of filling the disk.
    static constexpr qint64 MaxWords = 8'000'000;

    // Told now and then how far the work is (0 to 100); returning false
    // stops it, and the call fails with "Cancelled.".
    using Progress = std::function<bool(int percent)>;
    // Receives each expanded word once or more, as Unicode text.
    using WordSink = std::function<void(const QString &word)>;

    // Expands the pair read from memory (the fuzz harness and tests use this).
    static Result expand(const QByteArray &dic, const QByteArray &aff, const WordSink &sink,
                         const Progress &progress = {}, qint64 maxWords = MaxWords);
    // Expands the pair read from files; a file that cannot be read fails with
    // its path named.
    static Result expandFiles(const QString &dicPath, const QString &affPath, const WordSink &sink,
                              const Progress &progress = {}, qint64 maxWords = MaxWords);

    // Expands the pair and writes the spell checker's dictionary file at
    // outPath atomically (an existing file stays untouched on failure). Fails
    // too when most words hold letters the dictionary file cannot store.
    static Expected<DctBuilder::Statistics>
    buildDictionary(const QString &dicPath, const QString &affPath, const QString &outPath,
                    const Progress &progress = {}, qint64 maxWords = MaxWords);
};

} // namespace Tarnwick

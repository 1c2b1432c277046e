// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// What the user chose for a word the dictionary does not know.
enum class SpellingAction { Replace, ReplaceAll, SkipOnce, SkipAll, Add, Cancel };

// The spelling dialog as the check run sees it: shown with a misspelled
// word, it returns the user's choice and, for the replace actions, the
// replacement. Add answers are handled by the run, which then asks again.
class SpellingAsker
{
public:
    virtual ~SpellingAsker() = default;
    virtual SpellingAction ask(const QString &word, QString *replacement) = 0;
    // The last word is answered: the run goes on to save and report.
    virtual void finished() { }
};

} // namespace Tarnwick

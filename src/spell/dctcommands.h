// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace Tarnwick {

// The look-up commands of the dictionary tool: answers go to out, errors to
// err; the return value is the process exit code (0 success, 1 failure).
class DctCommands final
{
public:
    DctCommands() = delete;

    static constexpr int DefaultSuggestions = 10;

    // One line per word: the word, a tab, "yes" or "no".
    static int check(const QString &dctPath, const QStringList &words, QTextStream &out, QTextStream &err);
    // The suggestions for word, one a line. n must be 1 to 255.
    static int suggest(const QString &dctPath, const QString &word, int n, QTextStream &out, QTextStream &err);
};

} // namespace Tarnwick

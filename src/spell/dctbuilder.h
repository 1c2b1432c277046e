// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace Tarnwick {

// Builds a main dictionary file from a word list. Identical lists of letters
// (the same letters, word ends and followers) are written once, so the tree
// becomes a minimal letter graph: the file stays small and the reader walks
// it exactly like a plain tree. Sibling letters are kept in ascending byte
// order, which is the order suggestions rely on for ties.
class DctBuilder final
{
public:
    struct Statistics
    {
        int words = 0; // distinct words in the dictionary
        int skipped = 0; // words with a character outside code page 437
        int tooLong = 0; // words longer than a look-up ever reads
        int cells = 0;
        qint64 bytes = 0;
    };

    // Words are lower-cased; duplicates merge; blank lines are ignored.
    // Words longer than TDictionary::MaxWordLength are refused: no look-up
    // could find them.
    void addWord(const QString &word);
    void addWords(const QStringList &words);
    // Reads a UTF-8 word list, one word a line.
    Result addWordList(const QString &path);

    const Statistics &statistics() const { return m_statistics; }

    // Told now and then how far the build is (0 to 100); returning false
    // stops it, and it fails with "Cancelled.".
    using Progress = std::function<bool(int percent)>;

    // The file's bytes; fails on an empty list or one too big for the cell format.
    Expected<QByteArray> build(const Progress &progress = {});
    // Builds and writes the file atomically.
    Result write(const QString &path, const Progress &progress = {});

private:
    QList<QByteArray> m_words;
    Statistics m_statistics;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace Tarnwick {

class TDCTFile;

// Every word of a dictionary file within a few plain edits of a given word
// (insertions, deletions, substitutions and swaps of neighbouring letters,
// anywhere in the word), found by one walk of the letter tree that leaves a
// branch as soon as no word below it can come close enough.
class NearWords final
{
public:
    static constexpr int MaxEdits = 2;

    struct Found
    {
        QByteArray word;
        int edits = 0;
    };

    // budget bounds the cells read, so a damaged file whose lists loop back
    // cannot hold the caller up.
    NearWords(const TDCTFile &file, qint64 budget)
        : m_file(file)
        , m_budget(budget)
    {
    }

    // The words in tree order. word is lower-case code page 437.
    QList<Found> find(QByteArrayView word, int maxEdits = MaxEdits);

    qint64 cellsRead() const { return m_cellsRead; }
    // A cell could not be read or the budget ran out: what was found stays.
    bool failed() const { return m_failed; }

private:
    const TDCTFile &m_file;
    qint64 m_budget;
    qint64 m_cellsRead = 0;
    bool m_failed = false;
};

} // namespace Tarnwick

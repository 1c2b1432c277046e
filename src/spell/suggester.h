// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Tarnwick {

class TDCTFile;
class TDictionary;
class TSuggestList;

// Replacement proposals for a word the dictionary does not know.
class Suggester final
{
public:
    static constexpr int MaxSuggestions = 255;
    // Cells one call may read from one dictionary file, for both of its
    // walks (the close words and the sound-alike ones). A walk of a sound
    // file reads each letter of the unfolded tree below one first letter at
    // most once (121,000 in the biggest shipped list, about 10,000 read in
    // practice); one whose child lists loop back would go on for hours.
    // Scoring a candidate counts as reading as many cells as the word has
    // letters, which is about what it costs. A walk that needs more reports
    // the file as damaged and keeps what it found.
    static constexpr qint64 MaxCellsPerWalk = qint64(1) << 22;
    // Sound-alike words the phonetic walk keeps at least, whatever is asked:
    // the ranking by edits picks from them.
    static constexpr int MinSoundAlike = 20;
    // Close words that keep the first letter and may go before two words run
    // together.
    static constexpr int MaxBeforeSplits = 4;

    explicit Suggester(TDictionary &dictionary, qint64 maxCellsPerWalk = MaxCellsPerWalk)
        : m_dictionary(dictionary)
        , m_maxCellsPerWalk(maxCellsPerWalk)
    {
    }

    // At most n words that look and sound like word, best first: the words
    // within two edits and the words that sound alike, ranked by what the
    // edits cost a typist, with the word split in two known words after the
    // best close ones that keep its first letter. Recased like word.
    QStringList suggest(const QString &word, int n);

    // At most n dictionary words that continue prefix, in tree order, recased
    // like prefix. The prefix itself is not offered.
    QStringList quickSuggest(const QString &prefix, int n);

    // Cells read by the last call; shows how much of the tree a call walked.
    qint64 cellsRead() const { return m_cellsRead; }

private:
    void walk(const TDCTFile &file, const QByteArray &word, const QByteArray &code,
              TSuggestList &list, qint64 budget);
    void collect(const TDCTFile &file, quint32 list, const QByteArray &base, int n,
                 QList<QByteArray> &out);

    TDictionary &m_dictionary;
    qint64 m_maxCellsPerWalk;
    qint64 m_cellsRead = 0;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggester.h"

#include "codepage437.h"
#include "dctformat.h"
#include "nearwords.h"
#include "phoneticcode.h"
#include "similarity.h"
#include "spellcase.h"
#include "spellingcost.h"
#include "tdictionary.h"
#include "tsuggestlist.h"

#include <QSet>

#include <algorithm>
#include <optional>
#include <vector>

namespace Tarnwick {

using namespace DctFormat;

namespace {

// Reads cells of one file within the walk's budget and counts them; remembers
// a failed read.
class CellReader
{
public:
    CellReader(const TDCTFile &file, qint64 &count, qint64 budget)
        : m_file(file)
        , m_count(count)
        , m_budget(budget)
    {
    }

    std::optional<quint32> operator()(quint32 n)
    {
        if (!charge(1))
            return std::nullopt;
        ++m_count;
        const std::optional<quint32> c = m_file.cell(n);
        if (!c)
            m_failed = true;
        return c;
    }

    // The cell of letter in the list starting at list; 0 when absent or on failure.
    quint32 find(quint32 list, quint8 letter)
    {
        for (quint32 n = list;; ++n) {
            const std::optional<quint32> c = (*this)(n);
            if (!c)
                return 0;
            if (letterOf(*c) == letter)
                return n;
            if (isLastSibling(*c))
                return 0;
        }
    }

    // Takes work worth that many cells from the budget; false when it is spent.
    bool charge(qint64 cells)
    {
        m_spent += cells;
        if (m_spent > m_budget)
            m_failed = true;
        return !m_failed;
    }

    bool failed() const { return m_failed; }

private:
    const TDCTFile &m_file;
    qint64 &m_count;
    const qint64 m_budget;
    qint64 m_spent = 0;
    bool m_failed = false;
};

struct Level
{
    quint32 number;
    quint32 cell;
};

} // namespace

void Suggester::walk(const TDCTFile &file, const QByteArray &word, const QByteArray &code,
                     TSuggestList &list, qint64 budget)
{
    CellReader read(file, m_cellsRead, budget);
    const qsizetype minLength = word.size() - 2;
    const qsizetype maxLength = word.size() + 2;
    const quint32 first = read.find(1, quint8(word[0]));
    if (first == 0) {
        if (read.failed())
            m_dictionary.reportIoError(file);
        return;
    }

    std::vector<Level> path;
    QByteArray prefix;
    const auto enter = [&](quint32 n) {
        const std::optional<quint32> c = read(n);
        if (!c)
            return false;
        path.push_back({ n, *c });
        prefix += char(letterOf(*c));
        return true;
    };
    const auto failed = [&] { m_dictionary.reportIoError(file); };

    if (!enter(first))
        return failed();
    for (;;) {
        const quint32 c = path.back().cell;
        const bool promising = prefix.size() <= maxLength
            && PhoneticCode::matchesBeginning(PhoneticCode::of(prefix, false), code);
        if (promising) {
            if (isEndOfWord(c) && prefix.size() >= minLength) {
                if (!read.charge(word.size()))
                    return failed();
                list.insert(prefix, Similarity::score(word, prefix));
            }
            if (childOf(c) != 0) {
                if (!enter(childOf(c)))
                    return failed();
                continue;
            }
        }
        // Next sibling, going up as far as needed; never beyond the first letter.
        for (;;) {
            if (path.size() == 1)
                return;
            if (!isLastSibling(path.back().cell)) {
                const quint32 next = path.back().number + 1;
                path.pop_back();
                prefix.chop(1);
                if (!enter(next))
                    return failed();
                break;
            }
            path.pop_back();
            prefix.chop(1);
        }
    }
}

QStringList Suggester::suggest(const QString &word, int n)
{
    m_cellsRead = 0;
    QStringList result;
    const QString lower = TDictionary::normalise(word);
    const std::optional<QByteArray> bytes = TDictionary::dictionaryBytes(lower);
    if (lower.isEmpty() || n < 1)
        return result;

    QStringList splits;
    for (qsizetype split = 1; split < lower.size() && splits.size() < n; ++split) {
        const QString left = lower.left(split);
        const QString right = lower.mid(split);
        if (m_dictionary.isWord(left) && m_dictionary.isWord(right))
            splits << left + QLatin1Char(' ') + right;
    }
    if (!bytes) {
        for (QString &entry : splits)
            entry = SpellCase::recase(entry, word);
        return splits;
    }

    // Candidates: the words that sound alike (the phonetic walk) and every
    // word within two edits anywhere in the word. Ranked by what the edits
    // cost a typist; the likeness score breaks ties, then the order found.
    struct Candidate
    {
        QByteArray word;
        int cost = 0;
        int likeness = 0;
        bool near = false;
    };
    QList<Candidate> candidates;
    QSet<QByteArray> seen;
    const auto consider = [&](const QByteArray &candidate, bool near) {
        if (seen.contains(candidate) || candidate == *bytes)
            return;
        seen.insert(candidate);
        const QString text = CodePage437::toUnicode(candidate);
        // A word the check itself would stop at (the exclusion list) is no help.
        if (!m_dictionary.isWord(text))
            return;
        candidates.append({ candidate, SpellingCost::between(*bytes, candidate),
                            Similarity::score(*bytes, candidate), near });
    };

    // Both walks of one file share its budget of cells.
    const QByteArray code = PhoneticCode::of(*bytes, true);
    TSuggestList alike(std::max(n, MinSoundAlike));
    for (const auto &file : m_dictionary.mainFiles()) {
        NearWords nearWords(*file, m_maxCellsPerWalk);
        for (const NearWords::Found &found : nearWords.find(*bytes))
            consider(found.word, true);
        m_cellsRead += nearWords.cellsRead();
        if (nearWords.failed()) {
            m_dictionary.reportIoError(*file);
            continue;
        }
        walk(*file, *bytes, code, alike, m_maxCellsPerWalk - nearWords.cellsRead());
    }
    for (const QString &userWord : m_dictionary.userWords()) {
        const std::optional<QByteArray> candidate = CodePage437::fromUnicode(userWord);
        if (!candidate || candidate->size() < bytes->size() - 2
            || candidate->size() > bytes->size() + 2)
            continue;
        if (SpellingCost::edits(*bytes, *candidate) <= NearWords::MaxEdits)
            consider(*candidate, true);
        else if (PhoneticCode::matchesBeginning(PhoneticCode::of(*candidate, false), code))
            alike.insert(*candidate, Similarity::score(*bytes, *candidate));
    }
    for (const TSuggestion &entry : alike.entries())
        consider(entry.word, false);

    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) {
                         if (a.cost != b.cost)
                             return a.cost < b.cost;
                         return a.likeness > b.likeness;
                     });

    // Two known words run together go after the close words that keep the
    // first letter (people seldom get that one wrong): "clubb" is "club"
    // before "club b", while "alot" is "a lot" when no close word starts with
    // a. Running two words together is a common slip too, so they never go
    // below the best few of those: "alot" keeps "a lot" among its first five.
    qsizetype splitsAt = 0;
    qsizetype keepingFirstLetter = 0;
    for (qsizetype i = 0; i < candidates.size() && keepingFirstLetter < MaxBeforeSplits; ++i) {
        const Candidate &c = candidates.at(i);
        if (c.near && c.word.front() == bytes->front()) {
            splitsAt = i + 1;
            ++keepingFirstLetter;
        }
    }
    for (qsizetype i = 0; i < candidates.size() && i < n; ++i)
        result << CodePage437::toUnicode(candidates.at(i).word);
    for (qsizetype i = 0; i < splits.size(); ++i)
        result.insert(std::min(splitsAt + i, result.size()), splits.at(i));
    result.resize(std::min<qsizetype>(result.size(), n));

    for (QString &entry : result)
        entry = SpellCase::recase(entry, word);
    return result;
}

void Suggester::collect(const TDCTFile &file, quint32 list, const QByteArray &base, int n,
                        QList<QByteArray> &out)
{
    CellReader read(file, m_cellsRead, m_maxCellsPerWalk);
    // Depth-first in tree order; words never grow past the longest word, and
    // the cell budget stops a damaged file whose children loop back.
    std::vector<Level> path;
    QByteArray below;
    const auto enter = [&](quint32 number) {
        const std::optional<quint32> c = read(number);
        if (!c)
            return false;
        path.push_back({ number, *c });
        below += char(letterOf(*c));
        return true;
    };
    if (!enter(list))
        return m_dictionary.reportIoError(file);
    for (;;) {
        const quint32 c = path.back().cell;
        if (isEndOfWord(c)) {
            out << base + below;
            if (out.size() >= n)
                return;
        }
        if (childOf(c) != 0 && base.size() + below.size() < TDictionary::MaxWordLength) {
            if (!enter(childOf(c)))
                return m_dictionary.reportIoError(file);
            continue;
        }
        for (;;) {
            if (!isLastSibling(path.back().cell)) {
                const quint32 next = path.back().number + 1;
                path.pop_back();
                below.chop(1);
                if (!enter(next))
                    return m_dictionary.reportIoError(file);
                break;
            }
            path.pop_back();
            below.chop(1);
            if (path.empty())
                return;
        }
    }
}

QStringList Suggester::quickSuggest(const QString &prefix, int n)
{
    m_cellsRead = 0;
    QStringList result;
    const std::optional<QByteArray> typed
        = CodePage437::fromUnicode(prefix.left(TDictionary::MaxWordLength));
    const std::optional<QByteArray> lower
        = TDictionary::dictionaryBytes(TDictionary::normalise(prefix));
    if (prefix.isEmpty() || n < 1 || !typed || !lower)
        return result;

    QList<QByteArray> found;
    for (const auto &file : m_dictionary.mainFiles()) {
        if (found.size() >= n)
            break;
        const std::optional<quint32> last = file->findPath(*lower);
        if (!last) {
            m_dictionary.reportIoError(*file);
            continue;
        }
        if (*last == 0)
            continue;
        const quint32 children = childOf(*file->cell(*last));
        if (children != 0)
            collect(*file, children, *typed, n, found);
    }
    for (const QByteArray &entry : found)
        result << SpellCase::recase(CodePage437::toUnicode(entry), prefix);
    return result;
}

} // namespace Tarnwick

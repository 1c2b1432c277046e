// SPDX-License-Identifier: GPL-3.0-or-later
#include "dctbuilder.h"

#include "codepage437.h"
#include "dctformat.h"
#include "platform/fileops.h"
#include "tdictionary.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cstring>
#include <vector>

namespace Tarnwick {

namespace {

using namespace DctFormat;

// One letter of a list: the letter, whether a word ends there, and the
// canonical list that follows it (0 = none).
quint64 entryKey(quint8 letter, bool endOfWord, quint32 list)
{
    return quint64(list) << 9 | quint64(endOfWord) << 8 | letter;
}

struct TrieNode
{
    std::vector<std::pair<quint8, int>> children; // ascending letters
    bool endOfWord = false;
};

class GraphBuilder
{
public:
    GraphBuilder() { m_nodes.emplace_back(); }

    // Canonical list number of the root's children.
    quint32 minimise()
    {
        m_lists.emplace_back(); // list 0: none
        return canonical(0);
    }

    const std::vector<std::vector<quint64>> &lists() const { return m_lists; }

    // Words must come in sorted order.
    void insert(const QByteArray &word)
    {
        int node = 0;
        for (char c : word) {
            const quint8 letter = quint8(c);
            auto &children = m_nodes[node].children;
            // Words arrive sorted, so a new letter always goes last.
            if (!children.empty() && children.back().first == letter) {
                node = children.back().second;
                continue;
            }
            m_nodes.emplace_back();
            const int child = int(m_nodes.size()) - 1;
            m_nodes[node].children.emplace_back(letter, child);
            node = child;
        }
        m_nodes[node].endOfWord = true;
    }

private:
    quint32 canonical(int node)
    {
        if (m_nodes[node].children.empty())
            return 0;
        std::vector<quint64> entries;
        entries.reserve(m_nodes[node].children.size());
        for (const auto &[letter, child] : m_nodes[node].children)
            entries.push_back(entryKey(letter, m_nodes[child].endOfWord, canonical(child)));
        const QByteArray key(reinterpret_cast<const char *>(entries.data()),
                             qsizetype(entries.size() * sizeof(quint64)));
        auto found = m_index.constFind(key);
        if (found != m_index.constEnd())
            return *found;
        m_lists.push_back(std::move(entries));
        const quint32 number = quint32(m_lists.size() - 1);
        m_index.insert(key, number);
        return number;
    }

    std::vector<TrieNode> m_nodes;
    std::vector<std::vector<quint64>> m_lists;
    QHash<QByteArray, quint32> m_index;
};

} // namespace

void DctBuilder::addWord(const QString &word)
{
    const QString lower = word.trimmed().toLower();
    if (lower.isEmpty())
        return;
    const std::optional<QByteArray> bytes = CodePage437::fromUnicode(lower);
    if (!bytes || bytes->contains('\0')) {
        ++m_statistics.skipped;
        return;
    }
    // Also keeps the graph's recursion as shallow as the longest word.
    if (bytes->size() > TDictionary::MaxWordLength) {
        ++m_statistics.tooLong;
        return;
    }
    m_words.append(*bytes);
}

void DctBuilder::addWords(const QStringList &words)
{
    for (const QString &word : words)
        addWord(word);
}

Result DctBuilder::addWordList(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    const QByteArray data = file.readAll();
    for (const QByteArray &line : data.split('\n'))
        addWord(QString::fromUtf8(line));
    return Result::success();
}

Expected<QByteArray> DctBuilder::build(const Progress &progress)
{
    const auto cancelled = [&progress](int percent) { return progress && !progress(percent); };
    const auto stopped = [] { return Expected<QByteArray>::failure(QStringLiteral("Cancelled.")); };
    std::sort(m_words.begin(), m_words.end());
    m_words.erase(std::unique(m_words.begin(), m_words.end()), m_words.end());
    m_statistics.words = int(m_words.size());
    if (m_words.isEmpty())
        return Expected<QByteArray>::failure(QStringLiteral("The word list holds no words."));
    if (cancelled(20))
        return stopped();

    // Sorting, building the tree and merging its equal lists take about the
    // same time each for a large list.
    GraphBuilder graph;
    const qsizetype step = std::max<qsizetype>(1, m_words.size() / 20);
    for (qsizetype i = 0; i < m_words.size(); ++i) {
        graph.insert(m_words.at(i));
        if ((i + 1) % step == 0 && cancelled(20 + int(40 * (i + 1) / m_words.size())))
            return stopped();
    }
    const quint32 root = graph.minimise();
    if (cancelled(95))
        return stopped();
    const auto &lists = graph.lists();

    // Lay the lists out with the root list first, at cell 1.
    std::vector<quint32> firstCell(lists.size(), 0);
    std::vector<quint32> order;
    order.reserve(lists.size());
    order.push_back(root);
    for (quint32 i = 1; i < lists.size(); ++i)
        if (i != root)
            order.push_back(i);
    quint64 next = 1;
    for (quint32 list : order) {
        firstCell[list] = quint32(next);
        next += lists[list].size();
    }
    const quint64 cells = next - 1;
    if (cells > ChildMask)
        return Expected<QByteArray>::failure(
            QStringLiteral("The word list needs %1 cells; a dictionary file can address only %2.")
                .arg(cells)
                .arg(ChildMask));

    QByteArray out(CellsOffset + qsizetype(cells) * CellSize, '\0');
    std::memcpy(out.data() + SignatureOffset, Signature, SignatureLength);
    char *cell = out.data() + CellsOffset;
    for (quint32 list : order) {
        const auto &entries = lists[list];
        for (size_t i = 0; i < entries.size(); ++i) {
            const quint64 e = entries[i];
            const quint32 child = quint32(e >> 9);
            const quint32 value = makeCell(quint8(e & 0xFF), i + 1 == entries.size(), (e >> 8) & 1,
                                           child ? firstCell[child] : 0);
            for (int b = 0; b < CellSize; ++b)
                *cell++ = char((value >> (8 * b)) & 0xFF);
        }
    }
    m_statistics.cells = int(cells);
    m_statistics.bytes = out.size();
    if (cancelled(100))
        return stopped();
    return out;
}

Result DctBuilder::write(const QString &path, const Progress &progress)
{
    Expected<QByteArray> bytes = build(progress);
    if (!bytes)
        return Result::failure(bytes.error());
    return FileOps::writeFileAtomic(path, *bytes);
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes small dictionary files for tests: a plain letter tree laid out list
// after list, or cells placed by hand where a test needs them at a given number.

#include "spell/codepage437.h"
#include "spell/dctformat.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <deque>
#include <map>
#include <memory>
#include <vector>

namespace Tarnwick::DctTestFile {

inline QByteArray header()
{
    QByteArray bytes(DctFormat::CellsOffset, '\0');
    bytes.replace(DctFormat::SignatureOffset, DctFormat::SignatureLength,
                  QByteArray(DctFormat::Signature, DctFormat::SignatureLength));
    return bytes;
}

inline QByteArray fileOf(const std::vector<quint32> &cells)
{
    QByteArray bytes = header();
    for (const quint32 cell : cells) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes += char((cell >> shift) & 0xFF);
    }
    return bytes;
}

// Cells of a tree holding words (lower-cased, code page 437). Lists are laid
// out breadth first, so the root list starts at cell 1.
inline std::vector<quint32> treeOf(const QStringList &words)
{
    struct Node
    {
        std::map<quint8, std::unique_ptr<Node>> children;
        bool end = false;
    };
    Node root;
    for (const QString &word : words) {
        const QByteArray bytes = CodePage437::fromUnicode(word.toLower()).value();
        Node *node = &root;
        for (const char ch : bytes) {
            auto &child = node->children[quint8(ch)];
            if (!child)
                child = std::make_unique<Node>();
            node = child.get();
        }
        node->end = true;
    }
    std::vector<quint32> cells;
    std::deque<std::pair<const Node *, size_t>> pending; // list owner, index of the parent cell (or npos)
    pending.push_back({&root, size_t(-1)});
    while (!pending.empty()) {
        const auto [node, parent] = pending.front();
        pending.pop_front();
        const quint32 first = quint32(cells.size() + 1);
        if (parent != size_t(-1))
            cells[parent] |= first;
        size_t i = 0;
        for (const auto &[letter, child] : node->children) {
            ++i;
            cells.push_back(DctFormat::makeCell(letter, i == node->children.size(), child->end, 0));
            if (!child->children.empty())
                pending.push_back({child.get(), cells.size() - 1});
        }
    }
    return cells;
}

inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline bool writeWords(const QString &path, const QStringList &words)
{
    return write(path, fileOf(treeOf(words)));
}

} // namespace Tarnwick::DctTestFile

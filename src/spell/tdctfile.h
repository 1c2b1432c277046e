// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

namespace Tarnwick {

// One main dictionary file, opened read-only: the letter tree of DctFormat.
// The whole file is read at open, so a look-up never touches the disk again;
// a cell beyond the end of a truncated file is an I/O failure, never a read
// past the data.
class TDCTFile final
{
public:
    // Fails with "Dictionary not found : " + path or "Dictionary Corrupt.".
    // A name that is missing as written is looked for whatever its case in its
    // directory ("English.dct" finds ENGLISH.DCT).
    static Expected<std::unique_ptr<TDCTFile>> open(const QString &path);

    // The path as asked for and the file really read.
    QString path() const { return m_path; }
    QString filePath() const { return m_filePath; }

    // Cell n, counted from 1; nullopt when the file holds no such cell.
    std::optional<quint32> cell(quint32 n) const
    {
        if (n == 0 || n > m_cellCount)
            return std::nullopt;
        const auto *p = reinterpret_cast<const uchar *>(m_cells.constData()) + qsizetype(n - 1) * 4;
        return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
    }
    quint32 cellCount() const { return m_cellCount; }

    // Number of the cell carrying letter in the list starting at cell list,
    // 0 when the list has no such letter, nullopt on an I/O failure.
    std::optional<quint32> findInList(quint32 list, quint8 letter) const;

    // Whether the tree holds the word (code page 437 bytes, already lower
    // case); nullopt on an I/O failure. The empty word is never a word.
    std::optional<bool> contains(QByteArrayView word) const;

    // The cell at the end of the path spelling prefix (0 when the tree has no
    // such path), nullopt on an I/O failure.
    std::optional<quint32> findPath(QByteArrayView prefix) const;

    QString ioErrorText() const;

private:
    TDCTFile() = default;

    QString m_path;
    QString m_filePath;
    QByteArray m_cells; // the file from the first cell on
    quint32 m_cellCount = 0;
};

} // namespace Tarnwick

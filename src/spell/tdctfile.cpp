// SPDX-License-Identifier: GPL-3.0-or-later
#include "tdctfile.h"

#include "dctformat.h"
#include "spellpaths.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

namespace Tarnwick {

using namespace DctFormat;

Expected<std::unique_ptr<TDCTFile>> TDCTFile::open(const QString &path)
{
    using Opened = Expected<std::unique_ptr<TDCTFile>>;
    const QString filePath = SpellPaths::resolveCase(path);
    QFile file(filePath);
    if (filePath.isEmpty() || !QFileInfo(filePath).isFile())
        return Opened::failure(QStringLiteral("Dictionary not found : ") + path);
    if (!file.open(QIODevice::ReadOnly))
        return Opened::failure(QStringLiteral("Dictionary not found : ") + path);

    const QByteArray header = file.read(CellsOffset);
    const QByteArray expected = QByteArray(Signature, SignatureLength)
        + QByteArray(SignatureFieldLength - SignatureLength, '\0');
    if (header.size() < SignatureOffset + SignatureFieldLength
        || header.mid(SignatureOffset, SignatureFieldLength) != expected)
        return Opened::failure(QStringLiteral("Dictionary Corrupt."));

    std::unique_ptr<TDCTFile> dct(new TDCTFile);
    dct->m_path = path;
    dct->m_filePath = filePath;
    if (header.size() == CellsOffset) {
        dct->m_cells = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return Opened::failure(QStringLiteral("Error reading dictionary ") + path + QStringLiteral(": ")
                                   + file.errorString());
    }
    // A trailing partial cell is not a cell.
    const qsizetype cells = dct->m_cells.size() / CellSize;
    dct->m_cellCount = quint32(qMin<qsizetype>(cells, std::numeric_limits<quint32>::max()));
    return Opened(std::move(dct));
}

std::optional<quint32> TDCTFile::findInList(quint32 list, quint8 letter) const
{
    for (quint32 n = list;; ++n) {
        const std::optional<quint32> c = cell(n);
        if (!c)
            return std::nullopt;
        if (letterOf(*c) == letter)
            return n;
        if (isLastSibling(*c))
            return 0u;
    }
}

std::optional<quint32> TDCTFile::findPath(QByteArrayView prefix) const
{
    quint32 list = 1;
    quint32 found = 0;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (i > 0) {
            list = childOf(*cell(found));
            if (list == 0)
                return 0u;
        }
        const std::optional<quint32> n = findInList(list, quint8(prefix[i]));
        if (!n || *n == 0)
            return n;
        found = *n;
    }
    return found;
}

std::optional<bool> TDCTFile::contains(QByteArrayView word) const
{
    if (word.isEmpty())
        return false;
    const std::optional<quint32> n = findPath(word);
    if (!n)
        return std::nullopt;
    return *n != 0 && isEndOfWord(*cell(*n));
}

QString TDCTFile::ioErrorText() const
{
    return QStringLiteral("Error reading dictionary ") + m_path
        + QStringLiteral(": the file is damaged or shorter than its letter tree");
}

} // namespace Tarnwick

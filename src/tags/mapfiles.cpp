// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/mapfiles.h"

#include "platform/fileops.h"
#include "tags/mapgrid.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringList>

namespace Tarnwick {

namespace {

QByteArray joinLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace

QString MapFiles::mapFileHeader()
{
    return QStringLiteral("#This file should be pointed to by an entry in IMAGEMAP.CNF");
}

QByteArray MapFiles::mapFileText(const MapGrid &grid)
{
    QStringList lines { mapFileHeader() };
    const int last = grid.lastFilledRow();
    for (int row = 1; row <= last; ++row) {
        QString line = grid.cell(row, 0).trimmed() + QStringLiteral("  ") + grid.cell(row, 1)
            + QLatin1Char(' ');
        for (int column = MapGrid::firstCoordinate; column + 1 < MapGrid::columnCount;
             column += 2) {
            if (grid.cell(row, column).isEmpty())
                break;
            line += QLatin1Char(' ') + grid.cell(row, column).trimmed() + QLatin1Char(',')
                + grid.cell(row, column + 1).trimmed();
        }
        lines.append(line);
    }
    return joinLines(lines);
}

QByteArray MapFiles::coordinateText(const MapGrid &grid)
{
    QStringList lines;
    for (int row = 1; row < MapGrid::rowCount; ++row) {
        // Each row starts with its type: a row without one cannot be read back.
        if (!MapGrid::isMapType(grid.cell(row, 0)))
            continue;
        for (int column = 0; column < MapGrid::columnCount && !grid.cell(row, column).isEmpty();
             ++column)
            lines.append(column == 0 ? grid.cell(row, 0).trimmed() : grid.cell(row, column));
    }
    return joinLines(lines);
}

Expected<MapFiles::Loaded> MapFiles::readCoordinates(const QByteArray &bytes, MapGrid &grid)
{
    using Failure = Expected<Loaded>;
    if (bytes.contains('\0'))
        return Failure::failure(QStringLiteral("it is not a text file."));
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        text = QString::fromLatin1(bytes); // an older file written in an 8-bit code page
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return Failure::failure(QStringLiteral("the file is empty."));
    if (!MapGrid::isMapType(lines.first()))
        return Failure::failure(
            QStringLiteral("its first line is not a map type (rect, poly, circle or default)."));

    QList<QStringList> rows;
    for (int i = 0; i < lines.size(); ++i) {
        if (MapGrid::isMapType(lines[i])) {
            rows.append({ lines[i].trimmed() });
            continue;
        }
        if (rows.constLast().size() >= MapGrid::columnCount)
            return Failure::failure(
                QStringLiteral("line %1 would make a row of more than %2 cells.")
                    .arg(i + 1)
                    .arg(MapGrid::columnCount));
        rows.last().append(lines[i]);
    }

    Loaded loaded;
    loaded.rows = qMin(int(rows.size()), MapGrid::rowCount - 1);
    loaded.rowsLeftOut = int(rows.size()) - loaded.rows;
    grid.clearData();
    for (int r = 0; r < loaded.rows; ++r)
        for (int column = 0; column < rows[r].size(); ++column)
            grid.setCell(r + 1, column, rows[r][column]);
    return loaded;
}

Result MapFiles::saveMapFile(const QString &path, const MapGrid &grid)
{
    return FileOps::writeFileAtomic(path, mapFileText(grid));
}

Result MapFiles::saveCoordinateFile(const QString &path, const MapGrid &grid)
{
    return FileOps::writeFileAtomic(path, coordinateText(grid));
}

Expected<MapFiles::Loaded> MapFiles::loadCoordinateFile(const QString &path, MapGrid &grid)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Expected<Loaded>::failure(QStringLiteral("Unable to read ") + shown
                                         + QStringLiteral(": ") + file.errorString());
    if (file.size() > maxFileSize)
        return Expected<Loaded>::failure(shown
                                         + QStringLiteral(" is not a Tarnwick coordinate file: "
                                                          "it is too large."));
    const QByteArray bytes = file.readAll();
    Expected<Loaded> loaded = readCoordinates(bytes, grid);
    if (!loaded)
        return Expected<Loaded>::failure(
            shown + QStringLiteral(" is not a Tarnwick coordinate file: ") + loaded.error());
    return loaded;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/frameset.h"

#include "platform/textfile.h"

#include <QFileInfo>
#include <QtEndian>

namespace Tarnwick {

namespace {

QString quoted(const QString &value)
{
    QString text = value;
    return text.replace(QLatin1Char('"'), QLatin1String("&quot;"));
}

TextFileFormat cp1252()
{
    TextFileFormat format;
    format.encoding = TextFileFormat::Encoding::Windows1252;
    return format;
}

QString errorAt(const QString &fileName, int line, const QString &what)
{
    return QStringLiteral("%1, line %2: %3")
        .arg(QFileInfo(fileName).fileName())
        .arg(line)
        .arg(what);
}

void putText(QByteArray &record, int at, const QString &text)
{
    const QByteArray bytes = TextFile::encode(text, cp1252()).left(FrameSet::MaxText);
    record[at] = char(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        record[at + 1 + i] = bytes.at(i);
}

void putInt(QByteArray &record, int at, qint32 value)
{
    qToLittleEndian(value, record.data() + at);
}

// Where the unused bytes of a record lie: after the source, after the
// margins, after the name, after the resize flag.
constexpr std::array<std::pair<int, int>, 4> reservedRanges {
    { { 81, 11 }, { 100, 2 }, { 183, 1 }, { 189, 3 } }
};

} // namespace

QString FrameSet::frameLine(const FrameRecord &f)
{
    QString line = QStringLiteral("<FRAME SRC=\"") + quoted(f.source) + QLatin1Char('"');
    if (!f.name.isEmpty())
        line += QStringLiteral(" NAME=\"") + quoted(f.name) + QLatin1Char('"');
    if (f.marginWidth != -1)
        line += QStringLiteral(" MARGINWIDTH=\"") + QString::number(f.marginWidth)
            + QLatin1Char('"');
    if (f.marginHeight != -1)
        line += QStringLiteral(" MARGINHEIGHT=\"") + QString::number(f.marginHeight)
            + QLatin1Char('"');
    if (!f.resize)
        line += QStringLiteral(" NORESIZE");
    if (f.scrollBars == 1)
        line += QStringLiteral(" SCROLLING=\"YES\"");
    else if (f.scrollBars == 2)
        line += QStringLiteral(" SCROLLING=\"NO\"");
    return line + QLatin1Char('>');
}

QStringList FrameSet::generate(const FrameLayout &layout, const FrameRecords &frames,
                               const QString &title, bool noFrames, const QString &charset)
{
    const QString primary = layout.byColumns ? QStringLiteral("COLS") : QStringLiteral("ROWS");
    const QString secondary = layout.byColumns ? QStringLiteral("ROWS") : QStringLiteral("COLS");
    QStringList lines { QStringLiteral("<HTML>"), QStringLiteral("<HEAD>"),
                        QStringLiteral("<meta charset=\"") + charset + QStringLiteral("\">"),
                        QStringLiteral("<TITLE>") + title + QStringLiteral("</TITLE>"),
                        QStringLiteral("</HEAD>") };
    const int b1 = layout.bars[0][0];
    const int b2 = layout.bars[0][1];
    QString frameset = QStringLiteral("<FRAMESET ") + primary + QStringLiteral("=\"")
        + (b1 < 98 ? QString::number(b1) + QLatin1Char('%') : QStringLiteral("100%"));
    if (b1 < 98 || b2 < 98)
        frameset += b2 < 98 ? QStringLiteral(",*,") + QString::number(100 - b2) + QLatin1Char('%')
                            : QStringLiteral(",*");
    lines.append(frameset + QStringLiteral("\">"));
    // A row is written exactly when the frameset line declares it.
    const bool rowShown[3] = { true, b1 < 98, b2 < 98 };
    for (int row = 0; row < 3; ++row) {
        if (!rowShown[row])
            continue;
        const int k = row * 3;
        const int c1 = layout.bars[row + 1][0];
        const int c2 = layout.bars[row + 1][1];
        if (c1 >= 98) {
            lines.append(frameLine(frames[k]));
            continue;
        }
        lines.append(QStringLiteral("<FRAMESET ") + secondary + QStringLiteral("=\"")
                     + QString::number(c1) + QLatin1Char('%')
                     + (c2 < 98
                            ? QStringLiteral(",*,") + QString::number(100 - c2) + QLatin1Char('%')
                            : QStringLiteral(",*"))
                     + QStringLiteral("\">"));
        lines.append(frameLine(frames[k]));
        lines.append(frameLine(frames[k + 1]));
        if (c2 < 98)
            lines.append(frameLine(frames[k + 2]));
        lines.append(QStringLiteral("</FRAMESET>"));
    }
    lines.append(QStringLiteral("</FRAMESET>"));
    if (noFrames)
        lines << QStringLiteral("<NOFRAMES>") << QStringLiteral("<BODY >")
              << QStringLiteral("<!-- Anything inserted between the NOFRAMES tags will appear-->")
              << QStringLiteral("<!-- in a browser that does not support frames.             -->")
              << QStringLiteral("This site makes use of frames.<BR>")
              << QStringLiteral("For your viewing pleasure you should use Netscape or Internet "
                                "Explorer.<br>")
              << QStringLiteral("</BODY>") << QStringLiteral("</NOFRAMES>");
    lines.append(QStringLiteral("</HTML>"));
    return lines;
}

Result FrameSet::checkText(const QString &text)
{
    if (!TextFile::unheldCharacters(text, cp1252()).isEmpty())
        return Result::failure(
            QStringLiteral("\"%1\" holds characters a frame settings file cannot store.")
                .arg(text));
    if (TextFile::encode(text, cp1252()).size() > MaxText)
        return Result::failure(
            QStringLiteral("\"%1\" is longer than %2 characters.").arg(text).arg(MaxText));
    return Result::success();
}

QByteArray FrameSet::encodeLayout(const FrameLayout &layout)
{
    QByteArray bytes = layout.byColumns ? "1\r\n" : "0\r\n";
    for (const auto &split : layout.bars)
        bytes += QByteArray::number(split[1]) + "\r\n" + QByteArray::number(split[0]) + "\r\n";
    return bytes;
}

Expected<FrameLayout> FrameSet::decodeLayout(const QByteArray &bytes, const QString &fileName)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    int values[9] = {};
    for (int i = 0; i < 9; ++i) {
        bool ok = false;
        values[i] = i < lines.size() ? lines.at(i).trimmed().toInt(&ok) : 0;
        if (!ok)
            return Expected<FrameLayout>::failure(
                errorAt(fileName, i + 1, QStringLiteral("a number is expected.")));
        const int low = 0;
        const int high = i == 0 ? 1 : 100;
        if (values[i] < low || values[i] > high)
            return Expected<FrameLayout>::failure(
                errorAt(fileName, i + 1, QStringLiteral("%1 is out of range.").arg(values[i])));
    }
    if (lines.size() > 9)
        return Expected<FrameLayout>::failure(
            errorAt(fileName, 10, QStringLiteral("the file has more than nine lines.")));
    FrameLayout layout;
    layout.byColumns = values[0] == 1;
    for (int split = 0; split < 4; ++split) {
        layout.bars[split][1] = values[1 + 2 * split];
        layout.bars[split][0] = values[2 + 2 * split];
        if (layout.bars[split][0] >= layout.bars[split][1])
            return Expected<FrameLayout>::failure(
                errorAt(fileName, 3 + 2 * split,
                        QStringLiteral("the first bar must stand before the second.")));
    }
    return layout;
}

QByteArray FrameSet::encodeRecords(const FrameRecords &frames)
{
    QByteArray bytes;
    for (const FrameRecord &f : frames) {
        QByteArray record(RecordSize, '\0');
        putText(record, 0, f.source);
        putInt(record, 92, f.marginWidth);
        putInt(record, 96, f.marginHeight);
        putText(record, 102, f.name);
        putInt(record, 184, f.scrollBars);
        record[188] = f.resize ? 1 : 0;
        int r = 0;
        for (const auto &[at, size] : reservedRanges) {
            for (int i = 0; i < size; ++i)
                record[at + i] = f.reserved.at(r++);
        }
        bytes += record;
    }
    return bytes;
}

Expected<FrameRecords> FrameSet::decodeRecords(const QByteArray &bytes, const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    if (bytes.size() != 9 * RecordSize)
        return Expected<FrameRecords>::failure(
            QStringLiteral("%1: a frame attribute file holds %2 bytes, not %3.")
                .arg(name)
                .arg(9 * RecordSize)
                .arg(bytes.size()));
    FrameRecords frames;
    for (int n = 0; n < 9; ++n) {
        const QByteArray record = bytes.mid(n * RecordSize, RecordSize);
        FrameRecord &f = frames[n];
        const int sourceLength = quint8(record.at(0));
        const int nameLength = quint8(record.at(102));
        if (sourceLength > MaxText || nameLength > MaxText)
            return Expected<FrameRecords>::failure(
                QStringLiteral("%1: the record of frame %2 holds a text longer than %3 "
                               "characters.")
                    .arg(name)
                    .arg(n + 1)
                    .arg(MaxText));
        f.source = TextFile::decode(record.mid(1, sourceLength)).text;
        f.name = TextFile::decode(record.mid(103, nameLength)).text;
        f.marginWidth = qFromLittleEndian<qint32>(record.constData() + 92);
        f.marginHeight = qFromLittleEndian<qint32>(record.constData() + 96);
        f.scrollBars = qFromLittleEndian<qint32>(record.constData() + 184);
        f.resize = record.at(188) != 0;
        f.reserved.clear();
        for (const auto &[at, size] : reservedRanges)
            f.reserved += record.mid(at, size);
    }
    return frames;
}

QString FrameSet::recordsPath(const QString &settingsPath)
{
    const QFileInfo info(settingsPath);
    const QString base = info.suffix().isEmpty()
        ? settingsPath
        : settingsPath.left(settingsPath.size() - info.suffix().size() - 1);
    return base + QLatin1String(".par");
}

} // namespace Tarnwick

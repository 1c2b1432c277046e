// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>

namespace Tarnwick::TestPictures {

// A GIF of one colour: Qt reads GIF but does not write it. The picture data
// is stored without compression (a clear code before the code table would
// grow past nine bits), which every GIF reader takes.
inline QByteArray gif(QSize size, QColor color = Qt::red)
{
    QByteArray out("GIF89a");
    const auto le16 = [&out](int v) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    };
    le16(size.width());
    le16(size.height());
    out.append(char(0xF7)); // global colour table of 256 entries
    out.append('\0');
    out.append('\0');
    QByteArray palette(768, '\0');
    palette[0] = char(color.red());
    palette[1] = char(color.green());
    palette[2] = char(color.blue());
    out.append(palette);
    out.append(',');
    le16(0);
    le16(0);
    le16(size.width());
    le16(size.height());
    out.append('\0');
    out.append(char(8)); // minimum code size

    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto put = [&](int code) {
        bits |= quint32(code) << count;
        count += 9;
        while (count >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    const int clear = 256, end = 257;
    const qint64 pixels = qint64(size.width()) * size.height();
    for (qint64 i = 0; i < pixels; ++i) {
        if (i % 250 == 0)
            put(clear);
        put(0);
    }
    put(end);
    if (count > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append('\0');
    out.append(';');
    return out;
}

// A picture in a format Qt writes ("PNG", "JPEG", "BMP"), or a GIF.
inline QByteArray encoded(const char *format, QSize size = { 88, 31 }, QColor color = Qt::red)
{
    if (QByteArray(format).compare("GIF", Qt::CaseInsensitive) == 0)
        return gif(size, color);
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace Tarnwick::TestPictures

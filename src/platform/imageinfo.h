// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace Tarnwick {

// What the tools need of a picture file: its pixel size, read from the header
// alone, and the picture itself for drawing on. The format is told by the
// file's content, never by its name.
class ImageInfo final
{
public:
    ImageInfo() = delete;

    // Width and height in pixels of a GIF, JPEG, BMP or PNG file; 0 x 0 when
    // the file is missing, unreadable or of another kind.
    static QSize pixelSize(const QString &path);

    // The whole picture, or a text naming the file and why it cannot be shown.
    static Expected<QImage> picture(const QString &path);

    // Pictures above this many pixels are refused rather than decoded.
    static constexpr qint64 maxPixels = 40'000'000;
};

} // namespace Tarnwick

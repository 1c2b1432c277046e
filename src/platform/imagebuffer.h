// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

namespace Tarnwick {

// Pixel memory for pictures of many megapixels. Fresh memory is handed out
// page by page as it is first written, and for a picture of tens of
// megabytes that costs more than decoding into it; a large buffer is asked
// of the system in huge pages where it has them, so it is handed out in a
// few steps instead of thousands.
class ImageBuffer final
{
public:
    ImageBuffer() = delete;

    // An image of that size and format whose pixels are not yet set, as
    // QImage(size, format) gives it; a null image when there is no memory.
    static QImage blank(QSize size, QImage::Format format);
    // An image of picture's size and format, holding its pixels and sharing
    // nothing with it. An unshared target of that size and format is written
    // in place, without new memory.
    static void copyInto(const QImage &picture, QImage &target);

    // Images below this many bytes are ordinary images.
    static constexpr qsizetype largeBytes = 4 * 1024 * 1024;
};

} // namespace Tarnwick

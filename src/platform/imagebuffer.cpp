// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/imagebuffer.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace Tarnwick {

namespace {

#ifdef Q_OS_LINUX
void release(void *memory)
{
    std::free(memory);
}

constexpr size_t hugePage = 2 * 1024 * 1024;
#endif

} // namespace

QImage ImageBuffer::blank(QSize size, QImage::Format format)
{
    if (size.isEmpty() || format == QImage::Format_Invalid)
        return QImage();
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    // Rows aligned to 32 bits, as QImage lays them out itself.
    const qint64 bytesPerLine = ((qint64(size.width()) * depth + 31) >> 5) << 2;
    const qint64 bytes = bytesPerLine * size.height();
#ifdef Q_OS_LINUX
    // Indexed formats need a colour table that only QImage's own constructor sets up.
    if (bytes >= largeBytes && depth >= 16 && bytesPerLine <= std::numeric_limits<int>::max()) {
        const size_t rounded = (size_t(bytes) + hugePage - 1) / hugePage * hugePage;
        if (void *memory = std::aligned_alloc(hugePage, rounded)) {
            // Only advice: without huge pages the memory is ordinary memory.
            (void)madvise(memory, rounded, MADV_HUGEPAGE);
            return QImage(static_cast<uchar *>(memory), size.width(), size.height(),
                          qsizetype(bytesPerLine), format, release, memory);
        }
        return QImage();
    }
#endif
    return QImage(size, format);
}

void ImageBuffer::copyInto(const QImage &picture, QImage &target)
{
    // Pixels target shares with another image stay that image's.
    const bool inPlace = !picture.isNull() && picture.colorCount() == 0 && target.isDetached()
        && target.size() == picture.size() && target.format() == picture.format()
        && target.bytesPerLine() == picture.bytesPerLine();
    if (!inPlace) {
        QImage fresh
            = picture.colorCount() == 0 ? blank(picture.size(), picture.format()) : QImage();
        if (fresh.isNull() || fresh.bytesPerLine() != picture.bytesPerLine()) {
            target = picture.copy();
            return;
        }
        target = std::move(fresh);
    }
    std::memcpy(target.bits(), picture.constBits(), size_t(picture.sizeInBytes()));
    target.setDotsPerMeterX(picture.dotsPerMeterX());
    target.setDotsPerMeterY(picture.dotsPerMeterY());
    target.setDevicePixelRatio(picture.devicePixelRatio());
}

} // namespace Tarnwick

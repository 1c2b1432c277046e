// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/imageinfo.h"

#include "platform/imagebuffer.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace Tarnwick {

namespace {

bool knownFormat(const QByteArray &format)
{
    return format == "gif" || format == "jpeg" || format == "jpg" || format == "bmp"
        || format == "png";
}

} // namespace

QSize ImageInfo::pixelSize(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return { 0, 0 };
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (!knownFormat(format))
        return { 0, 0 };
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return { 0, 0 };
    return size;
}

Expected<QImage> ImageInfo::picture(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const auto failure = [&shown](const QString &reason) {
        return Expected<QImage>::failure(QStringLiteral("Cannot show the picture ") + shown
                                         + QStringLiteral(": ") + reason);
    };
    if (!QFileInfo(path).isFile())
        return failure(QStringLiteral("the file does not exist."));
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!knownFormat(reader.format()))
        return failure(QStringLiteral("it is not a GIF, JPEG, BMP or PNG picture."));
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return failure(QStringLiteral("its size cannot be read."));
    if (qint64(size.width()) * size.height() > maxPixels)
        return failure(QStringLiteral("at %1 x %2 pixels it is too large.")
                           .arg(size.width())
                           .arg(size.height()));
    // A large picture is read straight into memory of its own making, when
    // its format is known beforehand.
    const QImage::Format format = reader.imageFormat();
    QImage image;
    if (format != QImage::Format_Invalid && QImage::toPixelFormat(format).bitsPerPixel() >= 16
        && qint64(size.width()) * size.height() * 4 >= ImageBuffer::largeBytes)
        image = ImageBuffer::blank(size, format);
    if (!reader.read(&image) || image.isNull())
        return failure(reader.errorString() + QLatin1Char('.'));
    return image;
}

} // namespace Tarnwick

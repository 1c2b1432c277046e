// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/imagebuffer.h"

#include <QImage>
#include <QTest>

using namespace Tarnwick;

class ImageBufferTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void blank_data();
    void blank();
    void copyInto_data();
    void copyInto();
    void sharedTargetKeepsItsPixels();
};

namespace {

QImage pattern(QSize size, QImage::Format format)
{
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgba(x % 251, y % 241, (x + y) % 239, 128 + (x % 2) * 127));
    return image.convertToFormat(format);
}

} // namespace

void ImageBufferTest::blank_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QImage::Format>("format");
    QTest::addRow("small") << QSize(88, 31) << QImage::Format_RGB32;
    QTest::addRow("large") << QSize(3001, 1001) << QImage::Format_RGB32;
    QTest::addRow("large, three bytes a pixel") << QSize(3001, 1001) << QImage::Format_RGB888;
    QTest::addRow("large, indexed") << QSize(4001, 1001) << QImage::Format_Indexed8;
    QTest::addRow("empty") << QSize(0, 10) << QImage::Format_RGB32;
}

// Laid out as QImage lays out an image of its own, so readers and painters
// that write into it find what they expect.
void ImageBufferTest::blank()
{
    QFETCH(QSize, size);
    QFETCH(QImage::Format, format);
    QImage image = ImageBuffer::blank(size, format);
    const QImage ordinary(size, format);
    QCOMPARE(image.isNull(), ordinary.isNull());
    if (image.isNull())
        return;
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), format);
    QCOMPARE(image.bytesPerLine(), ordinary.bytesPerLine());
    // Every byte of it is there to write.
    uchar *last = image.scanLine(size.height() - 1);
    last[image.bytesPerLine() - 1] = 0x5a;
    QCOMPARE(image.constScanLine(size.height() - 1)[image.bytesPerLine() - 1], uchar(0x5a));
}

void ImageBufferTest::copyInto_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<QSize>("targetSize"); // of the image target held before

    const QSize small(88, 31), large(2100, 700);
    QTest::addRow("small into nothing") << small << QImage::Format_RGB32 << QSize();
    QTest::addRow("large into nothing") << large << QImage::Format_RGB32 << QSize();
    QTest::addRow("large into its own size") << large << QImage::Format_RGB32 << large;
    QTest::addRow("large into another size") << large << QImage::Format_RGB32 << small;
    QTest::addRow("with alpha") << large << QImage::Format_ARGB32 << large;
    QTest::addRow("indexed") << small << QImage::Format_Indexed8 << small;
}

void ImageBufferTest::copyInto()
{
    QFETCH(QSize, size);
    QFETCH(QImage::Format, format);
    QFETCH(QSize, targetSize);
    const QImage picture = pattern(size, format);
    QImage target
        = targetSize.isValid() ? ImageBuffer::blank(targetSize, QImage::Format_RGB32) : QImage();
    const bool sameMemory = targetSize == size && format == QImage::Format_RGB32;
    const uchar *before = target.constBits();
    ImageBuffer::copyInto(picture, target);
    QCOMPARE(target, picture);
    QCOMPARE(target.colorTable(), picture.colorTable());
    QVERIFY(target.constBits() != picture.constBits());
    if (sameMemory)
        QCOMPARE(target.constBits(), before);
    // Drawing on the copy leaves the picture as it was.
    target.setPixel(0, 0, 0);
    QCOMPARE(picture, pattern(size, format));
}

void ImageBufferTest::sharedTargetKeepsItsPixels()
{
    const QImage picture = pattern({ 2100, 700 }, QImage::Format_RGB32);
    QImage target = pattern({ 2100, 700 }, QImage::Format_RGB32);
    target.setPixel(5, 5, qRgb(1, 2, 3));
    const QImage other = target;
    ImageBuffer::copyInto(picture, target);
    QCOMPARE(target, picture);
    QCOMPARE(other.pixel(5, 5), qRgb(1, 2, 3));
}

QTEST_GUILESS_MAIN(ImageBufferTest)
#include "tst_imagebuffer.moc"

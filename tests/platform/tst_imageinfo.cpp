// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/imageinfo.h"

#include "testenvironment.h"
#include "testpictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;
using TestPictures::encoded;

class ImageInfoTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void pixelSize_data();
    void pixelSize();
    void picture_data();
    void picture();
    void largePicture_data();
    void largePicture();

private:
    QTemporaryDir m_dir;
};

void ImageInfoTest::pixelSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // empty: no file
    QTest::addColumn<QSize>("expected");

    const QSize banner(88, 31);
    QTest::addRow("GIF") << "a.gif" << encoded("GIF") << banner;
    QTest::addRow("JPEG") << "a.jpg" << encoded("JPEG") << banner;
    QTest::addRow("BMP") << "a.bmp" << encoded("BMP") << banner;
    QTest::addRow("PNG") << "a.png" << encoded("PNG") << banner;
    QTest::addRow("upper-case name") << "PHOTO.GIF" << encoded("GIF") << banner;
    QTest::addRow("PNG named .gif: told by content") << "b.gif" << encoded("PNG") << banner;
    QTest::addRow("JPEG named .bmp") << "c.bmp" << encoded("JPEG", { 5, 700 }) << QSize(5, 700);
    QTest::addRow("header cut short") << "d.png" << encoded("PNG").left(12) << QSize(0, 0);
    QTest::addRow("GIF cut inside its header") << "e.gif" << encoded("GIF").left(7) << QSize(0, 0);
    QTest::addRow("text named .jpg")
        << "f.jpg" << QByteArray("<html>not a picture</html>\n") << QSize(0, 0);
    QTest::addRow("empty file") << "g.gif" << QByteArray("") << QSize(0, 0);
    QTest::addRow("missing") << "missing.gif" << QByteArray() << QSize(0, 0);
    QTest::addRow("a directory") << "folder.gif" << QByteArray() << QSize(0, 0);
}

void ImageInfoTest::pixelSize()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, expected);
    const QString path = m_dir.filePath(name);
    if (name == QLatin1String("folder.gif"))
        QVERIFY(QDir().mkpath(path));
    else if (!bytes.isNull())
        QVERIFY(TestEnvironment::writeFile(path, bytes));
    QCOMPARE(ImageInfo::pixelSize(path), expected);
}

void ImageInfoTest::picture_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error"); // part of the message; empty: the picture

    QTest::addRow("PNG") << encoded("PNG") << QString();
    QTest::addRow("GIF") << encoded("GIF") << QString();
    QTest::addRow("text") << QByteArray("GIF? no.") << "is not a GIF, JPEG, BMP or PNG picture";
    QTest::addRow("missing") << QByteArray() << "does not exist";
    // A header that claims 20000 x 20000 pixels is refused before decoding.
    QByteArray huge = encoded("BMP", { 4, 4 });
    const qint32 side = 20000;
    memcpy(huge.data() + 18, &side, 4);
    memcpy(huge.data() + 22, &side, 4);
    QTest::addRow("too large") << huge << "too large";
}

void ImageInfoTest::picture()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const QString path
        = m_dir.filePath(QStringLiteral("picture_%1.gif").arg(QTest::currentDataTag()));
    if (!bytes.isNull())
        QVERIFY(TestEnvironment::writeFile(path, bytes));
    const Expected<QImage> picture = ImageInfo::picture(path);
    if (error.isEmpty()) {
        QVERIFY2(picture.ok(), qPrintable(picture.error()));
        QCOMPARE(picture->size(), QSize(88, 31));
        return;
    }
    QVERIFY(!picture.ok());
    QVERIFY2(picture.error().contains(error), qPrintable(picture.error()));
    QVERIFY2(picture.error().contains(path), qPrintable(picture.error()));
}

void ImageInfoTest::largePicture_data()
{
    QTest::addColumn<QByteArray>("format");
    for (const char *format : { "PNG", "JPEG", "BMP" })
        QTest::addRow("%s", format) << QByteArray(format);
}

// A picture of many megabytes is read into memory of its own making: every
// pixel must still come out as the ordinary reader gives it.
void ImageInfoTest::largePicture()
{
    QFETCH(QByteArray, format);
    QImage drawn(1500, 1000, QImage::Format_RGB32);
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            drawn.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    const QString path = m_dir.filePath(QStringLiteral("large.") + QString::fromLatin1(format));
    QVERIFY(drawn.save(path, format.constData()));
    const Expected<QImage> picture = ImageInfo::picture(path);
    QVERIFY2(picture.ok(), qPrintable(picture.error()));
    const QImage expected(path);
    QCOMPARE(picture->format(), expected.format());
    QCOMPARE(*picture, expected);
}

QTEST_GUILESS_MAIN(ImageInfoTest)
#include "tst_imageinfo.moc"

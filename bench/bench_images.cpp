// SPDX-License-Identifier: GPL-3.0-or-later
// Times the image tools: the pixel size of 1,000 images (GIF, JPEG, BMP and
// PNG in turn), the image list and the gallery page of a 1,000-image
// category, and the image-map window opened on a 4000 x 3000 picture with a
// Refresh drawing 19 shapes. Every figure is the median and the fastest of
// the repetitions, in milliseconds; the files are in a temporary directory.
// Usage: bench_images [repetitions]   (runs offscreen unless told otherwise)

#include "benchtiming.h"
#include "platform/imageinfo.h"
#include "scriptedprompter.h"
#include "tags/imagelibrary.h"
#include "tags/tsimpleform.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

using namespace Tarnwick;

namespace {

QByteArray encoded(const char *format, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const QString category = dir.filePath(QStringLiteral("photos/"));
    QDir().mkpath(category);
    const char *formats[] = { "GIF", "JPEG", "BMP", "PNG" };
    const char *suffixes[] = { "gif", "jpg", "bmp", "png" };
    QStringList paths;
    for (int i = 0; i < 1000; ++i) {
        const QString path
            = category + QStringLiteral("image %1.%2").arg(i).arg(QLatin1String(suffixes[i % 4]));
        write(path, encoded(formats[i % 4], QSize(88 + i % 7, 31 + i % 5)));
        paths.append(path);
    }

    std::printf("%-40s %8s %8s\n", "images (ms)", "median", "fastest");
    qint64 total = 0;
    BenchTiming::print("size of 1,000 images",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               for (const QString &path : std::as_const(paths))
                                   total += ImageInfo::pixelSize(path).width();
                           }));
    QStringList names;
    BenchTiming::print("image list of 1,000 images",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               names = ImageLibrary::filesWithExtensions(
                                   category, QStringLiteral("gif,jpg,bmp,png"));
                           }));
    QString page;
    BenchTiming::print("list and gallery page of 1,000",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               names = ImageLibrary::filesWithExtensions(
                                   category, QStringLiteral("gif,jpg,bmp,png"));
                               page = ImageLibrary::galleryPage(category, names);
                           }));

    const QString big = dir.filePath(QStringLiteral("big.png"));
    write(big, encoded("PNG", QSize(4000, 3000)));
    ScriptedPrompter prompter;
    std::unique_ptr<TSimpleForm> form;
    BenchTiming::print(
        "map window open, 4000 x 3000",
        BenchTiming::timeIt(
            repetitions, [&] { form.reset(); }, [&] { form = TSimpleForm::open(big, &prompter); }));
    if (!form)
        return 1;
    const char *types[] = { "rect", "circle", "poly" };
    for (int row = 1; row <= 19; ++row) {
        MapGrid &grid = form->grid();
        grid.setCell(row, 0, QLatin1String(types[row % 3]));
        const int x = 100 + row * 180, y = 100 + row * 140;
        const int points = row % 3 == 2 ? 24 : 2;
        for (int p = 0; p < points; ++p) {
            grid.setCell(row, 2 + 2 * p, QString::number(x + (p * 37) % 400));
            grid.setCell(row, 3 + 2 * p, QString::number(y + (p * 53) % 300));
        }
    }
    BenchTiming::print("Refresh with 19 shapes, 4000 x 3000",
                       BenchTiming::timeIt(
                           repetitions, [] {}, [&] { form->RefreshClick(); }));
    BenchTiming::print("open plus Refresh, 4000 x 3000",
                       BenchTiming::timeIt(
                           repetitions, [&] { form.reset(); },
                           [&] {
                               form = TSimpleForm::open(big, &prompter);
                               for (int row = 1; row <= 19; ++row) {
                                   form->grid().setCell(row, 0, QLatin1String(types[row % 3]));
                                   form->grid().setCell(row, 2, QString::number(row * 100));
                                   form->grid().setCell(row, 3, QString::number(row * 100));
                                   form->grid().setCell(row, 4, QString::number(row * 100 + 150));
                                   form->grid().setCell(row, 5, QString::number(row * 100 + 90));
                               }
                               form->RefreshClick();
                           }));
    std::printf("(%lld, %d names, %lld characters)\n", total, int(names.size()),
                qint64(page.size()));
    return 0;
}

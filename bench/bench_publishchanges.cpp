// SPDX-License-Identifier: GPL-3.0-or-later
// Times what a publish adds before the first file goes out when it sends only
// what changed: reading the record of sent files, hashing every file of the
// plan and choosing, and saving the record after the send. Two sites: 200
// pages and 300 images (4.4 MB), and 20 large files of 5 MB (100 MB). In the
// same run, sha256sum over the same files for comparison.
// Usage: bench_publishchanges [repetitions]

#include "benchtiming.h"
#include "publish/publishchanges.h"
#include "publish/publishmanifest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace Tarnwick;

namespace {

bool write(const QString &path, qsizetype size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(bytes.data()),
                                          bytes.size() / 4);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QList<PublishFile> makeSite(const QString &dir, int count, qsizetype size, const char *pattern)
{
    QList<PublishFile> files;
    for (int i = 0; i < count; ++i) {
        PublishFile f;
        f.remoteName = QString::fromLatin1(pattern).arg(i, 3, 10, QLatin1Char('0'));
        f.localPath = dir + QLatin1Char('/') + f.remoteName;
        if (!write(f.localPath, size))
            return {};
        f.size = size;
        files.append(f);
    }
    return files;
}

void run(const char *title, const QList<PublishFile> &files, const QString &home, int repetitions)
{
    const PublishDestination where = PublishDestination::make(
        QStringLiteral("ftp"), QStringLiteral("example.org"), 21, QStringLiteral("ann"), {});
    const QString path = PublishManifest::pathIn(home);
    QFile::remove(path);
    // The first publish records every file; the next ones find all unchanged.
    {
        PublishManifest manifest = PublishManifest::load(path, where);
        const PublishChanges changes = PublishChanges::decide(files, manifest, {}, false);
        QList<PublishSender::FileResult> results;
        for (const PublishFile &f : files)
            results.append({ f, true, {} });
        changes.update(manifest, results);
        if (!manifest.save())
            std::printf("record not saved\n");
    }
    std::printf("%s (%lld files, %lld bytes), ms: median fastest\n", title, qlonglong(files.size()),
                qlonglong(PublishPlan::bytes(files)));
    BenchTiming::print("  load the record",
                       BenchTiming::timeIt(
                           repetitions, [] {}, [&] { PublishManifest::load(path, where); }));
    const PublishManifest manifest = PublishManifest::load(path, where);
    int unchanged = 0;
    BenchTiming::print(
        "  hash and choose",
        BenchTiming::timeIt(
            repetitions, [] {},
            [&] {
                unchanged
                    = int(PublishChanges::decide(files, manifest, {}, false).unchanged.size());
            }));
    if (unchanged != files.size())
        std::printf("  only %d files found unchanged\n", unchanged);
    BenchTiming::print("  save the record",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               if (!manifest.save())
                                   std::printf("record not saved\n");
                           }));
    QStringList arguments;
    for (const PublishFile &f : files)
        arguments << f.localPath;
    BenchTiming::print("  sha256sum, same files",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               QProcess process;
                               process.start(QStringLiteral("sha256sum"), arguments);
                               process.waitForFinished(-1);
                           }));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? QByteArray(argv[1]).toInt() : 7;
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    QList<PublishFile> small
        = makeSite(dir.filePath(QStringLiteral("a")), 200, 4 * 1024, "page%1.htm");
    small += makeSite(dir.filePath(QStringLiteral("a")), 300, 12 * 1024, "img/pic%1.gif");
    run("200 pages, 300 images", small, home, repetitions);
    const QList<PublishFile> large
        = makeSite(dir.filePath(QStringLiteral("b")), 20, 5 * 1024 * 1024, "video%1.mp4");
    run("20 files of 5 MB", large, home, repetitions);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "testenvironment.h"
#include "wizards/imageindex.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestImageIndex final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void twoFilesGiveFourLinesAndAnEmptyOne()
    {
        QCOMPARE(ImageIndex::entryText(ImageIndex::directoryPrefix("/home/ann/pics"),
                                       { "a.gif", "b.gif" }),
                 QStringLiteral("File location: /home/ann/pics/a.gif><br>\r"
                                "<img src=\"/home/ann/pics/a.gif\"><br>\r"
                                "File location: /home/ann/pics/b.gif><br>\r"
                                "<img src=\"/home/ann/pics/b.gif\"><br>\r"
                                "\r"));
        QCOMPARE(ImageIndex::entryText("/x/", {}), QStringLiteral("\r"));
    }

    void directoryPrefix_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("prefix");
        QTest::addRow("plain directory") << "/home/ann"
                                         << "/home/ann/";
        QTest::addRow("already with slash") << "/home/ann/"
                                            << "/home/ann/";
        QTest::addRow("the root") << "/"
                                  << "/";
    }

    void directoryPrefix()
    {
        QFETCH(QString, directory);
        QFETCH(QString, prefix);
        QCOMPARE(ImageIndex::directoryPrefix(directory), prefix);
        QCOMPARE(ImageIndex::pagePath(directory), prefix + "images.htm");
    }

    void sourceAddress_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("address");
        QTest::addRow("plain") << "/p/a b.gif"
                               << "/p/a b.gif";
        QTest::addRow("hash would start a fragment") << "/p/no#1.gif"
                                                     << "/p/no%231.gif";
        QTest::addRow("question mark would start a query") << "/p/why?.jpg"
                                                           << "/p/why%3F.jpg";
        QTest::addRow("percent sign would start an escape") << "/p/50%25.gif"
                                                            << "/p/50%2525.gif";
        QTest::addRow("quote would end the value") << "/p/say\"hi\".gif"
                                                   << "/p/say%22hi%22.gif";
        QTest::addRow("in a directory name too") << "/p#q/a.gif"
                                                 << "/p%23q/a.gif";
    }

    void sourceAddress()
    {
        QFETCH(QString, path);
        QFETCH(QString, address);
        QCOMPARE(ImageIndex::sourceAddress(path), address);
        // The location line keeps the name as it is; only the address is encoded.
        const QString text = ImageIndex::entryText(QString(), { path });
        QVERIFY(text.startsWith("File location: " + path + "><br>\r<img src=\"" + address
                                + "\"><br>\r"));
    }

    void masksIgnoreCase_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QStringList>("files");
        QTest::addRow("both kinds")
            << "*.gif;*.jpg" << QStringList { "a.GIF", "b.jpg", "C.Jpg", "d.gif" };
        QTest::addRow("GIF only") << "*.gif" << QStringList { "a.GIF", "d.gif" };
        QTest::addRow("blanks around masks") << " *.jpg ; " << QStringList { "b.jpg", "C.Jpg" };
        QTest::addRow("no mask, no files") << ";" << QStringList {};
    }

    void masksIgnoreCase()
    {
        QFETCH(QString, mask);
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        for (const char *name : { "a.GIF", "b.jpg", "C.Jpg", "d.gif", "e.png", "f.gif.txt" })
            QVERIFY(TestEnvironment::writeFile(dir.filePath(name), "x"));
        QVERIFY(QDir(dir.path()).mkdir("sub.gif")); // a directory is no image
        QCOMPARE(ImageIndex::imageFiles(dir.path(), mask), files);
    }

    void createPage()
    {
        QTemporaryDir dir;
        const QString path = ImageIndex::pagePath(dir.path());
        QVERIFY(ImageIndex::createPage(path).ok());
        QCOMPARE(TestEnvironment::readFile(path),
                 QByteArray("<CENTER><H2>Image Index</H2></CENTER>\n"));
        // An index already there keeps what earlier runs appended.
        QVERIFY(TestEnvironment::writeFile(path, "kept\n"));
        QVERIFY(ImageIndex::createPage(path).ok());
        QCOMPARE(TestEnvironment::readFile(path), QByteArray("kept\n"));
        // A directory that is not there gives a failure with a reason.
        const Result failed = ImageIndex::createPage(dir.filePath("gone/images.htm"));
        QVERIFY(!failed.ok());
        QVERIFY(!failed.error().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestImageIndex)
#include "tst_imageindex.moc"

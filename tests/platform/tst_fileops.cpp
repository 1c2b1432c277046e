// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fileops.h"
#include "platform/writelimit.h"

#include "support/filesizelimit.h"
#include "support/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace Tarnwick;

namespace {

// A child process of this test replaces a file, by writing or by copying,
// while the system lets it write at most fileSizeLimit bytes a file.
const char underLimitRole[] = "--under-limit";
constexpr int fileSizeLimit = 4096;

int replaceUnderLimit(const QString &how, const QString &source, const QString &target)
{
    WriteLimit::failWritesInsteadOfEnding(); // as every program of ours does first
    const QByteArray bytes = TestEnvironment::readFile(source);
    const Result result = how == QLatin1String("write")
        ? FileOps::writeFileAtomic(target, bytes)
        : FileOps::copyFileOverwrite(source, target);
    std::fputs(qPrintable(result.error()), stdout);
    return result ? 1 : 0; // 0: it failed, as it must
}

} // namespace

class TestFileOps final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void copyFile_data();
    void copyFile();
    void copyFileOverwriteReplacesAndKeepsTarget();
    void moveFile_data();
    void moveFile();
    void deleteFile();
    void moveToTrash();
    void fileSize();
    void readAtMost_data();
    void readAtMost();
    void writeFileAtomicFailureKeepsOldFile();
    void writeFileAtomicKeepsSymbolicLink();
    void replaceBeyondTheFileSizeLimit_data();
    void replaceBeyondTheFileSizeLimit();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestFileOps::copyFile_data()
{
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<bool>("sourceExists");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("targetAfter");

    QTest::addRow("plain copy to a new name")
        << false << true << false << true << QByteArray("new");
    QTest::addRow("plain copy refuses an existing target")
        << true << true << false << false << QByteArray("old");
    QTest::addRow("overwrite copy to a new name")
        << false << true << true << true << QByteArray("new");
    QTest::addRow("overwrite copy replaces the target")
        << true << true << true << true << QByteArray("new");
    QTest::addRow("missing source, target untouched")
        << true << false << true << false << QByteArray("old");
}

void TestFileOps::copyFile()
{
    QFETCH(bool, targetExists);
    QFETCH(bool, sourceExists);
    QFETCH(bool, overwrite);
    QFETCH(bool, ok);
    QFETCH(QByteArray, targetAfter);

    const QString tag
        = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'));
    const QString src = path(tag + QStringLiteral(".src"));
    const QString dst = path(tag + QStringLiteral(".dst"));
    if (sourceExists)
        QVERIFY(TestEnvironment::writeFile(src, "new"));
    if (targetExists)
        QVERIFY(TestEnvironment::writeFile(dst, "old"));

    const Result r = overwrite ? FileOps::copyFileOverwrite(src, dst) : FileOps::copyFile(src, dst);
    QCOMPARE(r.ok(), ok);
    if (!ok)
        QVERIFY(r.error().contains(dst));
    QCOMPARE(TestEnvironment::readFile(dst), targetAfter);
    if (sourceExists)
        QCOMPARE(TestEnvironment::readFile(src), QByteArray("new"));
}

void TestFileOps::copyFileOverwriteReplacesAndKeepsTarget()
{
    // A large source copies whole, and no temporary is left beside the target.
    QTemporaryDir dir;
    QByteArray big(300 * 1024, 'x');
    big[big.size() - 1] = 'y';
    QVERIFY(TestEnvironment::writeFile(dir.filePath(QStringLiteral("a")), big));
    QVERIFY(TestEnvironment::writeFile(dir.filePath(QStringLiteral("b")), "short"));
    QVERIFY(FileOps::copyFileOverwrite(dir.filePath(QStringLiteral("a")),
                                       dir.filePath(QStringLiteral("b"))));
    QCOMPARE(TestEnvironment::readFile(dir.filePath(QStringLiteral("b"))), big);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    // A target that is a directory is refused and left alone.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    QVERIFY(!FileOps::copyFileOverwrite(dir.filePath(QStringLiteral("a")),
                                        dir.filePath(QStringLiteral("sub"))));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());
}

void TestFileOps::moveFile_data()
{
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<bool>("ok");

    QTest::addRow("to a new name") << false << true;
    QTest::addRow("never over an existing file") << true << false;
}

void TestFileOps::moveFile()
{
    QFETCH(bool, targetExists);
    QFETCH(bool, ok);

    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("page.htm"));
    const QString dst = dir.filePath(QStringLiteral("sub/moved.htm"));
    QVERIFY(TestEnvironment::writeFile(src, "page"));
    if (targetExists)
        QVERIFY(TestEnvironment::writeFile(dst, "other"));
    else
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));

    const Result r = FileOps::moveFile(src, dst);
    QCOMPARE(r.ok(), ok);
    QCOMPARE(QFileInfo::exists(src), !ok);
    QCOMPARE(TestEnvironment::readFile(dst), QByteArray(ok ? "page" : "other"));
}

void TestFileOps::deleteFile()
{
    const QString file = path(QStringLiteral("gone.htm"));
    QVERIFY(TestEnvironment::writeFile(file, "x"));
    QVERIFY(FileOps::deleteFile(file));
    QVERIFY(!QFileInfo::exists(file));
    const Result again = FileOps::deleteFile(file);
    QVERIFY(!again);
    QVERIFY(again.error().contains(file));
}

// The file lands in the user's trash, also when the data folder that holds
// the trash is not there yet; nothing lands in the working directory.
void TestFileOps::moveToTrash()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir(data).removeRecursively();
    const QString file = path("trashed.txt");
    QVERIFY(TestEnvironment::writeFile(file, "keep me"));
    QVERIFY(FileOps::moveToTrash(file));
    QVERIFY(!QFileInfo::exists(file));
    QCOMPARE(TestEnvironment::readFile(data + "/Trash/files/trashed.txt"), QByteArray("keep me"));
    QVERIFY(!QFileInfo::exists(QDir::currentPath() + "/files/trashed.txt"));
    const Result again = FileOps::moveToTrash(file);
    QCOMPARE(again.error(), "Unable to move " + file + " to the trash: the file does not exist");
}

void TestFileOps::fileSize()
{
    const QString file = path(QStringLiteral("sized.htm"));
    QVERIFY(TestEnvironment::writeFile(file, "12345"));
    QCOMPARE(FileOps::fileSize(file), qint64(5));
    QCOMPARE(FileOps::fileSize(path(QStringLiteral("missing.htm"))), qint64(-1));
    QCOMPARE(FileOps::fileSize(m_dir.path()), qint64(-1));
}

void TestFileOps::readAtMost_data()
{
    QTest::addColumn<QString>("name"); // in the test folder, or an absolute path
    QTest::addColumn<QByteArray>("content"); // written first unless the name is absolute
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("tooLarge");
    QTest::addColumn<bool>("error");
    QTest::addRow("under the limit")
        << "a.txt" << QByteArray("abc") << QByteArray("abc") << false << false;
    QTest::addRow("exactly the limit")
        << "b.txt" << QByteArray("abcde") << QByteArray("abcde") << false << false;
    QTest::addRow("one byte over")
        << "c.txt" << QByteArray("abcdef") << QByteArray() << true << false;
    QTest::addRow("empty") << "d.txt" << QByteArray() << QByteArray() << false << false;
    QTest::addRow("missing") << "" << QByteArray() << QByteArray() << false << true;
    QTest::addRow("a device without end")
        << "/dev/zero" << QByteArray() << QByteArray() << true << false;
    QTest::addRow("a folder") << "/" << QByteArray() << QByteArray() << false << true;
}

void TestFileOps::readAtMost()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, tooLarge);
    QFETCH(bool, error);
    QString file = name.startsWith(u'/') ? name : path(name);
    if (name.isEmpty())
        file = path(QStringLiteral("missing.txt"));
    else if (!name.startsWith(u'/'))
        QVERIFY(TestEnvironment::writeFile(file, content));
    const FileOps::BoundedRead read = FileOps::readAtMost(file, 5);
    QCOMPARE(read.bytes, bytes);
    QCOMPARE(read.tooLarge, tooLarge);
    QCOMPARE(!read.error.isEmpty(), error);
}

void TestFileOps::writeFileAtomicFailureKeepsOldFile()
{
    // The parent "directory" is a regular file, so even root cannot write there.
    const QString blocker = path(QStringLiteral("blocker"));
    QVERIFY(TestEnvironment::writeFile(blocker, "keep"));
    const Result r = FileOps::writeFileAtomic(blocker + QStringLiteral("/x.dat"), "data");
    QVERIFY(!r);
    QVERIFY(r.error().startsWith(QStringLiteral("Unable to write to ") + blocker));
    QCOMPARE(TestEnvironment::readFile(blocker), QByteArray("keep"));

    const QString target = path(QStringLiteral("atomic.dat"));
    QVERIFY(FileOps::writeFileAtomic(target, "one"));
    QVERIFY(FileOps::writeFileAtomic(target, "two"));
    QCOMPARE(TestEnvironment::readFile(target), QByteArray("two"));
}

void TestFileOps::writeFileAtomicKeepsSymbolicLink()
{
    // Menus and project files may be links into a shared folder: the link stays.
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("shared")));
    const QString target = path(QStringLiteral("shared/menu.mnu"));
    QVERIFY(TestEnvironment::writeFile(target, "old"));
    const QString link = path(QStringLiteral("menu.mnu"));
    QVERIFY(QFile::link(target, link));
    QVERIFY(FileOps::writeFileAtomic(link, "new"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(TestEnvironment::readFile(target), QByteArray("new"));
}

void TestFileOps::replaceBeyondTheFileSizeLimit_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("size");
    // Qt writes small amounts at the end, in the last flush, and large ones at once.
    QTest::addRow("atomic write, small") << "write" << 10000;
    QTest::addRow("atomic write, large") << "write" << 100000;
    QTest::addRow("overwriting copy, small") << "copy" << 10000;
    QTest::addRow("overwriting copy, large") << "copy" << 100000;
}

void TestFileOps::replaceBeyondTheFileSizeLimit()
{
    QFETCH(QString, how);
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.dat"));
    QVERIFY(TestEnvironment::writeFile(source, QByteArray(size, 'x')));
    QDir(dir.path()).mkdir(QStringLiteral("out"));
    const QString target = dir.filePath(QStringLiteral("out/target.dat"));
    QVERIFY(TestEnvironment::writeFile(target, "old"));

    const FileSizeLimit::Child child = FileSizeLimit::runChild(
        { QString::fromLatin1(underLimitRole), how, source, target }, fileSizeLimit);
    QVERIFY(child.finished);
    const QString error = QString::fromLocal8Bit(child.output);
    QVERIFY2(child.exitCode == 0, qPrintable("it did not fail: " + error));
    QVERIFY2(error.contains(target), qPrintable(error));
    QVERIFY2(error.contains(QString::fromLocal8Bit(std::strerror(EFBIG))), qPrintable(error));
    QCOMPARE(TestEnvironment::readFile(target), QByteArray("old"));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
             QStringList { QStringLiteral("target.dat") });
}

int main(int argc, char *argv[])
{
    if (argc == 5 && std::strcmp(argv[1], underLimitRole) == 0)
        return replaceUnderLimit(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                                 QString::fromLocal8Bit(argv[4]));
    QCoreApplication application(argc, argv);
    TestFileOps test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_fileops.moc"

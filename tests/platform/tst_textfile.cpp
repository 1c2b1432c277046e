// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"
#include "support/filesizelimit.h"
#include "support/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Tarnwick;
using namespace Qt::StringLiterals;

namespace {

using Format = TextFileFormat;

Format format(Format::Encoding encoding, Format::LineEnd lineEnd, bool bom = false)
{
    Format f;
    f.encoding = encoding;
    f.lineEnd = lineEnd;
    f.utf8Bom = bom;
    return f;
}

const Format utf8Lf = format(Format::Encoding::Utf8, Format::LineEnd::LF);

// What Windows-1252 shows for 0x80..0x9F, undefined bytes as the C1 control
// of the same value.
const char16_t cp1252High[] = u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021"
                              u"\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
                              u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014"
                              u"\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";

QByteArray bytes80to9F()
{
    QByteArray bytes;
    for (int b = 0x80; b <= 0x9F; ++b)
        bytes.append(char(b));
    return bytes;
}

// A child process of this test writes `size` characters to a file while the
// system lets it write at most fileSizeLimit bytes a file.
const char writeUnderLimitRole[] = "--write-under-limit";
constexpr int fileSizeLimit = 4096;

int writeUnderLimit(const char *path, const char *size)
{
    const Result result
        = TextFile::write(QString::fromLocal8Bit(path), QString(std::atoi(size), u'x'), utf8Lf);
    std::fputs(qPrintable(result.error()), stdout);
    return result ? 1 : 0; // 0: it failed, as it must
}

// The names of a directory, hidden ones too: a temporary file left behind shows.
QStringList entries(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot
                                     | QDir::System);
}

} // namespace

class TextFileTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }

    void decode_data();
    void decode();
    void roundTripKeepsEveryByte_data();
    void roundTripKeepsEveryByte();
    void encodeLineEnds_data();
    void encodeLineEnds();
    void unrepresentableCharactersFallBackToUtf8();
    void writeAndReadBack();
    void readFailureNamesThePath();
    void writeFailureNamesThePath();
    void failedWriteKeepsTheOldFile();
    void writeBeyondTheFileSizeLimit_data();
    void writeBeyondTheFileSizeLimit();
    void writeThroughSymbolicLink_data();
    void writeThroughSymbolicLink();
    void writeIntoRemovedDirectory();
};

void TextFileTest::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Format>("expected");

    using E = Format::Encoding;
    using L = Format::LineEnd;
    QTest::addRow("empty file") << QByteArray() << QString() << utf8Lf;
    QTest::addRow("ascii without line break") << QByteArray("<p>") << u"<p>"_s << utf8Lf;
    QTest::addRow("utf-8") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC\n") << u"café €\n"_s << utf8Lf;
    QTest::addRow("utf-8 with bom")
        << QByteArray("\xEF\xBB\xBFx\n") << u"x\n"_s << format(E::Utf8, L::LF, true);
    QTest::addRow("second bom is text")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << u"\uFEFFx"_s << format(E::Utf8, L::LF, true);
    QTest::addRow("four-byte utf-8") << QByteArray("\xF0\x9F\x98\x80") << u"\U0001F600"_s << utf8Lf;
    QTest::addRow("latin-1 byte is 1252")
        << QByteArray("caf\xE9") << u"café"_s << format(E::Windows1252, L::LF);
    QTest::addRow("1252 bytes 0x80-0x9F")
        << bytes80to9F() << QString::fromUtf16(cp1252High) << format(E::Windows1252, L::LF);
    QTest::addRow("overlong utf-8 is 1252")
        << QByteArray("\xC0\xAF") << u"À¯"_s << format(E::Windows1252, L::LF);
    QTest::addRow("encoded surrogate is 1252")
        << QByteArray("\xED\xA0\x80") << u"í\u00A0\u20AC"_s << format(E::Windows1252, L::LF);
    QTest::addRow("truncated utf-8 at end is 1252")
        << QByteArray("a\xE2\x82") << u"aâ\u201A"_s << format(E::Windows1252, L::LF);
    QTest::addRow("crlf") << QByteArray("a\r\nb\r\n") << u"a\nb\n"_s << format(E::Utf8, L::CRLF);
    QTest::addRow("cr") << QByteArray("a\rb\r") << u"a\nb\n"_s << format(E::Utf8, L::CR);
    QTest::addRow("mixed, crlf dominant")
        << QByteArray("a\r\nb\r\nc\nd\re") << u"a\nb\nc\nd\ne"_s << format(E::Utf8, L::CRLF);
    QTest::addRow("mixed, cr dominant")
        << QByteArray("a\rb\rc\r\nd") << u"a\nb\nc\nd"_s << format(E::Utf8, L::CR);
    QTest::addRow("nul bytes") << QByteArray("GIF\0\0x", 6) << QString(u"GIF\0\0x"_s) << utf8Lf;
}

void TextFileTest::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(Format, expected);

    const TextFileContent content = TextFile::decode(bytes);
    QCOMPARE(content.text, text);
    QCOMPARE(content.format.encoding, expected.encoding);
    QCOMPARE(content.format.lineEnd, expected.lineEnd);
    QCOMPARE(content.format.utf8Bom, expected.utf8Bom);
}

void TextFileTest::roundTripKeepsEveryByte_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QByteArray everyByte;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r')
            everyByte.append(char(b));
    }
    QTest::addRow("every byte but CR (1252)") << everyByte;
    QTest::addRow("1252 with crlf") << QByteArray("\x80\x81\x8D\x8F\x90\x9D\r\n\xFF\r\n");
    QTest::addRow("utf-8 with bom and cr") << QByteArray("\xEF\xBB\xBF\xC3\xA9\r\xC3\xA8\r");
    QTest::addRow("binary with nul") << QByteArray("\x89PNG\0\0\x1A\n\0", 9);
}

void TextFileTest::roundTripKeepsEveryByte()
{
    QFETCH(QByteArray, bytes);
    const TextFileContent content = TextFile::decode(bytes);
    QCOMPARE(TextFile::encode(content.text, content.format), bytes);
}

void TextFileTest::encodeLineEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Format>("format");
    QTest::addColumn<QByteArray>("bytes");

    using E = Format::Encoding;
    using L = Format::LineEnd;
    QTest::addRow("lf") << u"a\nb\n"_s << utf8Lf << QByteArray("a\nb\n");
    QTest::addRow("crlf") << u"a\nb\n"_s << format(E::Utf8, L::CRLF) << QByteArray("a\r\nb\r\n");
    QTest::addRow("cr") << u"a\nb"_s << format(E::Utf8, L::CR) << QByteArray("a\rb");
    QTest::addRow("stray cr in text is a line break")
        << u"a\rb\r\nc"_s << format(E::Utf8, L::CRLF) << QByteArray("a\r\nb\r\nc");
    QTest::addRow("bom written back")
        << u"é"_s << format(E::Utf8, L::LF, true) << QByteArray("\xEF\xBB\xBF\xC3\xA9");
    QTest::addRow("1252") << u"€é\n"_s << format(E::Windows1252, L::CRLF)
                          << QByteArray("\x80\xE9\r\n");
}

void TextFileTest::encodeLineEnds()
{
    QFETCH(QString, text);
    QFETCH(Format, format);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TextFile::encode(text, format), bytes);
}

void TextFileTest::unrepresentableCharactersFallBackToUtf8()
{
    const Format cp1252 = format(Format::Encoding::Windows1252, Format::LineEnd::CRLF);
    const QString text = u"€ Ω\n"_s;

    const Format used = TextFile::effectiveFormat(text, cp1252);
    QCOMPARE(used.encoding, Format::Encoding::Utf8);
    QCOMPARE(used.lineEnd, Format::LineEnd::CRLF);
    QCOMPARE(TextFile::encode(text, cp1252), QByteArray("\xE2\x82\xAC \xCE\xA9\r\n"));
    // Read back, nothing was lost.
    QCOMPARE(TextFile::decode(TextFile::encode(text, cp1252)).text, text);

    // U+0080 is not a 1252 character either (0x80 is the euro sign).
    QCOMPARE(TextFile::effectiveFormat(u"\u0080"_s, cp1252).encoding, Format::Encoding::Utf8);
    QCOMPARE(TextFile::effectiveFormat(u"\u0081é"_s, cp1252).encoding,
             Format::Encoding::Windows1252);
}

void TextFileTest::writeAndReadBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.htm"_s);
    const Format cp1252 = format(Format::Encoding::Windows1252, Format::LineEnd::CRLF);
    QVERIFY(TextFile::write(path, u"<p>café</p>\n"_s, cp1252));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("<p>caf\xE9</p>\r\n"));

    const auto content = TextFile::read(path);
    QVERIFY(content);
    QCOMPARE(content->text, u"<p>café</p>\n"_s);
    QVERIFY(content->format == cp1252);
}

void TextFileTest::readFailureNamesThePath()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"missing.htm"_s);
    const auto content = TextFile::read(missing);
    QVERIFY(!content);
    QVERIFY2(content.error().contains(missing), qPrintable(content.error()));

    const auto directory = TextFile::read(dir.path());
    QVERIFY(!directory);
    QVERIFY2(directory.error().contains(dir.path()), qPrintable(directory.error()));
}

void TextFileTest::writeFailureNamesThePath()
{
    QTemporaryDir dir;
    const QString notADirectory = dir.filePath(u"plain.txt"_s);
    QVERIFY(TestEnvironment::writeFile(notADirectory, "x"));
    const QString path = notADirectory + u"/page.htm"_s;

    const Result result = TextFile::write(path, u"text"_s, utf8Lf);
    QVERIFY(!result);
    QVERIFY2(result.error().contains(path), qPrintable(result.error()));
    QCOMPARE(TestEnvironment::readFile(notADirectory), QByteArray("x"));
}

void TextFileTest::failedWriteKeepsTheOldFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.htm"_s);
    QVERIFY(TestEnvironment::writeFile(path, "old contents"));

    Result result = Result::success();
    {
        FileSizeLimit limit(4096);
        if (!limit.active())
            QSKIP("cannot limit the file size here");
        result = TextFile::write(path, QString(100000, u'x'), utf8Lf);
    }
    QVERIFY(!result);
    QVERIFY2(result.error().contains(path), qPrintable(result.error()));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("old contents"));
    // No temporary file is left behind either.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"page.htm"_s });
#else
    QSKIP("needs a file size limit");
#endif
}

void TextFileTest::writeBeyondTheFileSizeLimit_data()
{
    QTest::addColumn<int>("size");
    // Qt writes small amounts at the end, in the last flush, and large ones at once.
    QTest::addRow("held back until the end") << 10000;
    QTest::addRow("written at once") << 100000;
}

void TextFileTest::writeBeyondTheFileSizeLimit()
{
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.htm"_s);
    QVERIFY(TestEnvironment::writeFile(path, "old contents"));

    const FileSizeLimit::Child child = FileSizeLimit::runChild(
        { QString::fromLatin1(writeUnderLimitRole), path, QString::number(size) }, fileSizeLimit);
    QVERIFY(child.finished);
    const QString error = QString::fromLocal8Bit(child.output);
    QVERIFY2(child.exitCode == 0, qPrintable("the write did not fail: " + error));
    // A clear error: the file and the cause.
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY2(error.contains(QString::fromLocal8Bit(std::strerror(EFBIG))), qPrintable(error));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("old contents"));
    QCOMPARE(entries(dir.path()), QStringList { u"page.htm"_s });
}

void TextFileTest::writeThroughSymbolicLink_data()
{
    QTest::addColumn<QString>("linkTarget"); // as the link names it
    QTest::addColumn<QString>("written"); // the file that gets the text
    QTest::addRow("absolute link") << u"%1/real/page.htm"_s << u"real/page.htm"_s;
    QTest::addRow("relative link") << u"real/page.htm"_s << u"real/page.htm"_s;
    QTest::addRow("link to a link") << u"link2.htm"_s << u"real/page.htm"_s;
    QTest::addRow("dangling link") << u"real/new.htm"_s << u"real/new.htm"_s;
}

void TextFileTest::writeThroughSymbolicLink()
{
    QFETCH(QString, linkTarget);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"real"_s));
    QVERIFY(TestEnvironment::writeFile(dir.filePath(u"real/page.htm"_s), "old"));
    QVERIFY(QFile::link(u"real/page.htm"_s, dir.filePath(u"link2.htm"_s)));
    const QString link = dir.filePath(u"page.htm"_s);
    QVERIFY(
        QFile::link(linkTarget.contains(u"%1"_s) ? linkTarget.arg(dir.path()) : linkTarget, link));

    QVERIFY(TextFile::write(link, u"new text\n"_s, utf8Lf));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(TestEnvironment::readFile(dir.filePath(written)), QByteArray("new text\n"));
    QVERIFY(QFileInfo(dir.filePath(u"link2.htm"_s)).isSymLink());
    // Nothing else appeared beside the link or the file.
    QCOMPARE(entries(dir.path()), (QStringList { u"link2.htm"_s, u"page.htm"_s, u"real"_s }));
}

void TextFileTest::writeIntoRemovedDirectory()
{
    QTemporaryDir dir;
    const QString site = dir.filePath(u"site"_s);
    const QString path = site + u"/page.htm"_s;
    QVERIFY(TestEnvironment::writeFile(path, "old"));
    QVERIFY(QDir(site).removeRecursively());

    const Result result = TextFile::write(path, u"text"_s, utf8Lf);
    QVERIFY(!result);
    QVERIFY2(result.error().contains(path), qPrintable(result.error()));
    // The folder is not made again behind the user's back.
    QVERIFY(!QFileInfo::exists(site));
}

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], writeUnderLimitRole) == 0)
        return writeUnderLimit(argv[2], argv[3]);
    QCoreApplication application(argc, argv);
    TextFileTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_textfile.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"
#include "platform/writelimit.h"
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
    WriteLimit::failWritesInsteadOfEnding(); // as every program of ours does first
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
    void lineEndsFollowEdits_data();
    void lineEndsFollowEdits();
    void writtenFormatIsTheNextStart();
    void unrepresentableCharactersFallBackToUtf8();
    void windows1252ThatWouldReadAsUtf8IsWrittenAsUtf8();
    void charactersToReference_data();
    void charactersToReference();
    void characterReferences_data();
    void characterReferences();
    void looksLikeText_data();
    void looksLikeText();
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
    for (int i = 0; i < 2048; ++i)
        everyByte.append(char(i * 7 % 256)); // CR and LF in every neighbourhood
    QTest::addRow("every byte (1252)") << everyByte;
    QTest::addRow("1252 with crlf") << QByteArray("\x80\x81\x8D\x8F\x90\x9D\r\n\xFF\r\n");
    QTest::addRow("utf-8 with bom and cr") << QByteArray("\xEF\xBB\xBF\xC3\xA9\r\xC3\xA8\r");
    QTest::addRow("binary with nul") << QByteArray("\x89PNG\r\n\x1A\n\0\0\r", 12);
    QTest::addRow("crlf page with one bare lf")
        << QByteArray("<html>\r\n<body>\r\n<p>one</p>\n<p>two</p>\r\n</body>\r\n");
    QTest::addRow("lf page with a lone cr") << QByteArray("<p>\n<b>x</b>\r<i>y</i>\n</p>\n");
    QTest::addRow("mixed, no final line end") << QByteArray("a\r\nb\nc\rd\r\ne");
    QTest::addRow("only line ends") << QByteArray("\r\n\n\r\r\n\n\n\r");
    QTest::addRow("cr before crlf") << QByteArray("a\r\r\nb\r\r\nc\n");
    QTest::addRow("1252 with mixed line ends") << QByteArray("caf\xE9\r\n\x93q\x94\n\xFF\r");
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
    QTest::addRow("text starting with U+FEFF gets a mark before it")
        << u"\uFEFFx"_s << utf8Lf << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx");
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

void TextFileTest::lineEndsFollowEdits_data()
{
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QByteArray>("written");

    QTest::addRow("unchanged lines keep their ends below an inserted line")
        << QByteArray("a\r\nb\nc\r\n") << u"new\na\nb\nc\n"_s << QByteArray("new\r\na\r\nb\nc\r\n");
    QTest::addRow("typed line gets the main end")
        << QByteArray("a\r\nb\nc\r\nd\r\n") << u"a\nb\nx\nc\nd\n"_s
        << QByteArray("a\r\nb\nx\r\nc\r\nd\r\n");
    QTest::addRow("deleted line takes its end along")
        << QByteArray("a\r\nb\nc\r\n") << u"a\nc\n"_s << QByteArray("a\r\nc\r\n");
    QTest::addRow("line changed in place keeps its end")
        << QByteArray("a\r\nb\nc\r\n") << u"a\nB!\nc\n"_s << QByteArray("a\r\nB!\nc\r\n");
    QTest::addRow("edits at both ends keep the middle")
        << QByteArray("one\r\ntwo\nthree\r\nfour\rfive\r\n")
        << u"ONE\nzero\ntwo\nthree\nfour\nFIVE\nsix\n"_s
        << QByteArray("ONE\r\nzero\r\ntwo\nthree\r\nfour\rFIVE\r\nsix\r\n");
    QTest::addRow("repeated blank lines keep their ends")
        << QByteArray("a\r\n\n\nb\r\nc\r\n") << u"A\n\n\nb\nc\n"_s
        << QByteArray("A\r\n\n\nb\r\nc\r\n");
    QTest::addRow("text replaced wholesale gets the main end")
        << QByteArray("a\nb\r\nc\r\n") << u"x\ny\nz\nw\n"_s << QByteArray("x\r\ny\r\nz\r\nw\r\n");
    QTest::addRow("line end added at the end of the file")
        << QByteArray("a\r\nb\nc\r\nd") << u"a\nb\nc\nd\n"_s << QByteArray("a\r\nb\nc\r\nd\r\n");
    QTest::addRow("line end removed at the end of the file")
        << QByteArray("a\r\nb\n") << u"a\nb"_s << QByteArray("a\r\nb");
    // Written as "a\r" + "\n" it would read back as one line end and lose the empty line.
    QTest::addRow("line emptied after a lone cr")
        << QByteArray("a\rb\nc\n") << u"a\n\nc\n"_s << QByteArray("a\r\n\nc\n");
    QTest::addRow("uniform file, lines typed")
        << QByteArray("a\r\nb\r\n") << u"a\nx\nb\ny"_s << QByteArray("a\r\nx\r\nb\r\ny");
}

void TextFileTest::lineEndsFollowEdits()
{
    QFETCH(QByteArray, read);
    QFETCH(QString, edited);
    QFETCH(QByteArray, written);
    const TextFileContent content = TextFile::decode(read);
    QCOMPARE(TextFile::encode(edited, content.format), written);
}

void TextFileTest::writtenFormatIsTheNextStart()
{
    const TextFileContent content = TextFile::decode("a\r\nb\nc\r\n");
    // Changed in place, "b" keeps its LF; once written, the file has "B1" with LF.
    const QString first = u"a\nB1\nc\n"_s;
    QCOMPARE(TextFile::encode(first, content.format), QByteArray("a\r\nB1\nc\r\n"));
    const Format next = TextFile::writtenFormat(first, content.format);
    // Later edits around it are matched against the file as written, not as first read.
    QCOMPARE(TextFile::encode(u"x\na\nB1\n"_s, next), QByteArray("x\r\na\r\nB1\n"));
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

void TextFileTest::windows1252ThatWouldReadAsUtf8IsWrittenAsUtf8()
{
    // A lone 0xE9 makes the file Windows-1252; "\xC3\xA9" is then two letters.
    const TextFileContent content = TextFile::decode("mailto=\xC3\xA9\r\nLoginID=\xE9\r\n");
    QCOMPARE(content.format.encoding, Format::Encoding::Windows1252);
    QCOMPARE(content.text, u"mailto=Ã©\nLoginID=é\n"_s);

    QString changed = content.text;
    changed.replace(u"LoginID=é"_s, u"LoginID=x"_s);
    const QByteArray bytes = TextFile::encode(changed, content.format);
    QCOMPARE(TextFile::decode(bytes).text, changed);
    QCOMPARE(TextFile::effectiveFormat(changed, content.format).encoding, Format::Encoding::Utf8);
    // While a byte still makes it invalid UTF-8, the file stays Windows-1252.
    QCOMPARE(TextFile::encode(content.text, content.format),
             QByteArray("mailto=\xC3\xA9\r\nLoginID=\xE9\r\n"));
}

void TextFileTest::charactersToReference_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QStringList>("unheld");
    QTest::addColumn<QStringList>("misread");

    QTest::addRow("typed into a 1252 page, each once, in order")
        << u"café Ω→Ω"_s << false << QStringList { u"Ω"_s, u"→"_s } << QStringList {};
    QTest::addRow("1252 holds its own letters")
        << u"café € “q”"_s << false << QStringList {} << QStringList {};
    QTest::addRow("undefined 1252 bytes hold, other C1 controls not")
        << u"\u0081\u0080\u008D\u0082"_s << false << QStringList { u"\u0080"_s, u"\u0082"_s }
        << QStringList {};
    QTest::addRow("a character beyond 16 bits is one character")
        << u"a\U0001F600b\U0001F600"_s << false << QStringList { u"\U0001F600"_s }
        << QStringList {};
    QTest::addRow("utf-8 holds everything")
        << u"Ω→\U0001F600"_s << true << QStringList {} << QStringList {};
    QTest::addRow("1252 bytes that read as utf-8")
        << u"mailto=Ã© Ã©"_s << false << QStringList {} << QStringList { u"Ã"_s, u"©"_s };
    QTest::addRow("ascii reads the same")
        << u"<p>plain</p>"_s << false << QStringList {} << QStringList {};
}

void TextFileTest::charactersToReference()
{
    QFETCH(QString, text);
    QFETCH(bool, utf8);
    QFETCH(QStringList, unheld);
    QFETCH(QStringList, misread);
    const Format f = format(utf8 ? Format::Encoding::Utf8 : Format::Encoding::Windows1252,
                            Format::LineEnd::LF);
    QCOMPARE(TextFile::unheldCharacters(text, f), unheld);
    QCOMPARE(TextFile::misreadCharacters(text, f), misread);
    // Once referenced, the text is held and reads back as written.
    const QString referenced = TextFile::withCharacterReferences(text, unheld + misread);
    QVERIFY(TextFile::unheldCharacters(referenced, f).isEmpty());
    QCOMPARE(TextFile::effectiveFormat(referenced, f).encoding, f.encoding);
    QCOMPARE(TextFile::decode(TextFile::encode(referenced, f)).text, referenced);
}

void TextFileTest::characterReferences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("characters");
    QTest::addColumn<QString>("expected");

    QTest::addRow("decimal code points")
        << u"Ω→"_s << QStringList { u"Ω"_s, u"→"_s } << u"&#937;&#8594;"_s;
    QTest::addRow("beyond 16 bits")
        << u"a\U0001F600"_s << QStringList { u"\U0001F600"_s } << u"a&#128512;"_s;
    QTest::addRow("other characters untouched")
        << u"éΩé\nΩ"_s << QStringList { u"Ω"_s } << u"é&#937;é\n&#937;"_s;
    QTest::addRow("nothing to reference") << u"Ω"_s << QStringList {} << u"Ω"_s;
}

void TextFileTest::characterReferences()
{
    QFETCH(QString, text);
    QFETCH(QStringList, characters);
    QFETCH(QString, expected);
    QCOMPARE(TextFile::withCharacterReferences(text, characters), expected);
}

void TextFileTest::looksLikeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("text");

    QTest::addRow("empty") << QByteArray() << true;
    QTest::addRow("page") << QByteArray("<p>caf\xE9</p>\r\n") << true;
    QTest::addRow("tabs, form feeds and line ends") << QByteArray("\ta\f\r\n\tb\r\n\f") << true;
    QTest::addRow("one control in ten") << QByteArray("abcdefghi\x1B") << true;
    QTest::addRow("a nul byte") << QByteArray("<p>\0</p>", 8) << false;
    QTest::addRow("utf-16") << QByteArray("<\0p\0>\0", 6) << false;
    QTest::addRow("many controls") << QByteArray("\x01\x02\x03\x04"
                                                 "abcdef")
                                   << false;
    QTest::addRow("many DEL") << QByteArray("\x7F\x7F\x7F\x7F"
                                            "abcdef")
                              << false;
}

void TextFileTest::looksLikeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, text);
    QCOMPARE(TextFile::decode(bytes).looksLikeText, text);
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

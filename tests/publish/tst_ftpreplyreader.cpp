// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/ftpreplyreader.h"

#include <QTest>

using namespace Tarnwick;

class TestFtpReplyReader final : public QObject
{
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void overlongLineIsCutAndReaderRecovers();
};

void TestFtpReplyReader::replies_data()
{
    QTest::addColumn<QList<QByteArray>>("packets");
    // One entry per reply end: its code; lines that only display are not listed.
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<int>("lineCount");

    QTest::addRow("single line") << QList<QByteArray> { "220 Ready\r\n" } << QList<int> { 220 }
                                 << 1;
    QTest::addRow("multi-line greeting ends at code and blank")
        << QList<QByteArray> { "220-Welcome\r\n220-to the host\r\n220 \r\n" } << QList<int> { 220 }
        << 3;
    QTest::addRow("text lines without a code only display")
        << QList<QByteArray> { "230-Hello\r\n  some text\r\nmore\r\n230 Logged in\r\n" }
        << QList<int> { 230 } << 4;
    QTest::addRow("other numbers inside a multi-line reply do not end it")
        << QList<QByteArray> { "220-Server\r\n100 users at most\r\n220 Ready\r\n" }
        << QList<int> { 220 } << 3;
    QTest::addRow("reply split in the middle of its code")
        << QList<QByteArray> { "33", "1 Password", " please\r", "\n" } << QList<int> { 331 } << 1;
    QTest::addRow("two replies in one packet")
        << QList<QByteArray> { "226 Done\r\n221 Bye\r\n" } << QList<int> { 226, 221 } << 2;
    QTest::addRow("bare LF ends a line")
        << QList<QByteArray> { "250 Ok\n" } << QList<int> { 250 } << 1;
    QTest::addRow("line not yet ended gives nothing")
        << QList<QByteArray> { "200 Almost" } << QList<int> {} << 0;
    QTest::addRow("code alone") << QList<QByteArray> { "200\r\n" } << QList<int> { 200 } << 1;
}

void TestFtpReplyReader::replies()
{
    QFETCH(QList<QByteArray>, packets);
    QFETCH(QList<int>, codes);
    QFETCH(int, lineCount);

    FtpReplyReader reader;
    QList<int> ends;
    int lines = 0;
    for (const QByteArray &packet : packets) {
        for (const FtpReplyReader::Line &line : reader.feed(packet)) {
            ++lines;
            QVERIFY(!line.text.contains(QLatin1Char('\r')));
            if (line.endsReply)
                ends.append(line.code);
        }
    }
    QCOMPARE(ends, codes);
    QCOMPARE(lines, lineCount);
}

void TestFtpReplyReader::overlongLineIsCutAndReaderRecovers()
{
    FtpReplyReader reader;
    QList<FtpReplyReader::Line> lines;
    lines += reader.feed(QByteArray("220 ").append(3000, 'x'));
    for (int i = 0; i < 100; ++i)
        lines += reader.feed(QByteArray(1000, 'y'));
    lines += reader.feed("\r\n331 Next\r\n");

    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].text.size(), FtpReplyReader::BufferSize);
    QVERIFY(lines[0].endsReply);
    QCOMPARE(lines[0].code, 220);
    QCOMPARE(lines[1].text, QStringLiteral("331 Next"));
    QCOMPARE(lines[1].code, 331);
}

QTEST_GUILESS_MAIN(TestFtpReplyReader)
#include "tst_ftpreplyreader.moc"

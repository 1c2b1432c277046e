// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/frameset.h"

#include <QTest>
#include <QtEndian>

using namespace Tarnwick;

Q_DECLARE_METATYPE(Tarnwick::FrameLayout)

namespace {

FrameRecords named()
{
    FrameRecords frames;
    for (int n = 0; n < 9; ++n)
        frames[n].name = QStringLiteral("Frame: %1").arg(n + 1);
    return frames;
}

QString frame(int n)
{
    return QStringLiteral("<FRAME SRC=\"\" NAME=\"Frame: %1\">").arg(n);
}

FrameLayout layout(int b1, int b2, bool byColumns = false)
{
    FrameLayout l;
    l.bars[0] = { b1, b2 };
    l.byColumns = byColumns;
    return l;
}

} // namespace

class TestFrameSet final : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data();
    void layouts();
    void frameLines();
    void noFrames();
    void filesRoundTrip();
    void malformedSettings_data();
    void malformedSettings();
    void malformedRecords_data();
    void malformedRecords();
    void textMustFitItsRecord();
};

void TestFrameSet::layouts_data()
{
    QTest::addColumn<FrameLayout>("layout");
    QTest::addColumn<QStringList>("body"); // the lines between the head and "</HTML>"

    const QString cols = "<FRAMESET COLS=\"33%,*,34%\">";
    auto row = [&](int k) {
        return QStringList { cols, frame(k), frame(k + 1), frame(k + 2), "</FRAMESET>" };
    };
    QStringList body { "<FRAMESET ROWS=\"33%,*,34%\">" };
    body << row(1) << row(4) << row(7) << "</FRAMESET>";
    QTest::addRow("defaults") << FrameLayout() << body;

    body = QStringList { "<FRAMESET ROWS=\"33%,*\">" };
    body << row(1) << row(4) << "</FRAMESET>";
    QTest::addRow("second bar at 100: two rows") << layout(33, 100) << body;
    QTest::addRow("second bar at 98: two rows") << layout(33, 98) << body;

    body = QStringList { "<FRAMESET ROWS=\"33%,*,3%\">" };
    body << row(1) << row(4) << row(7) << "</FRAMESET>";
    QTest::addRow("second bar at 97: three rows") << layout(33, 97) << body;

    body = QStringList { "<FRAMESET ROWS=\"97%,*\">" };
    body << row(1) << row(4) << "</FRAMESET>";
    QTest::addRow("first bar at 97 declares and writes row 2") << layout(97, 100) << body;

    body = QStringList { "<FRAMESET ROWS=\"100%\">" };
    body << row(1) << "</FRAMESET>";
    QTest::addRow("first bar at 99, second at 100: one row") << layout(99, 100) << body;

    FrameLayout l = layout(50, 100, true);
    l.bars[1] = { 99, 100 };
    l.bars[2] = { 20, 100 };
    body = QStringList { "<FRAMESET COLS=\"50%,*\">",
                         frame(1),
                         "<FRAMESET ROWS=\"20%,*\">",
                         frame(4),
                         frame(5),
                         "</FRAMESET>",
                         "</FRAMESET>" };
    QTest::addRow("by columns, a single frame, two frames") << l << body;
}

void TestFrameSet::layouts()
{
    QFETCH(FrameLayout, layout);
    QFETCH(QStringList, body);
    const QStringList lines = FrameSet::generate(layout, named(), "Site", false);
    QCOMPARE(lines.mid(0, 5),
             QStringList({ "<HTML>", "<HEAD>", "<meta charset=\"utf-8\">", "<TITLE>Site</TITLE>",
                           "</HEAD>" }));
    QCOMPARE(lines.mid(5, lines.size() - 6), body);
    // A page kept in Windows-1252 says so.
    QCOMPARE(FrameSet::generate(layout, named(), "Site", false, "windows-1252").at(2),
             QStringLiteral("<meta charset=\"windows-1252\">"));
    QCOMPARE(lines.constLast(), QStringLiteral("</HTML>"));
}

void TestFrameSet::frameLines()
{
    FrameRecord f;
    QCOMPARE(FrameSet::frameLine(f), QStringLiteral("<FRAME SRC=\"\">"));
    f.source = "menu \"a\".htm";
    f.name = "left";
    f.marginWidth = 0;
    f.marginHeight = 20;
    f.resize = false;
    f.scrollBars = 1;
    QCOMPARE(FrameSet::frameLine(f),
             QStringLiteral("<FRAME SRC=\"menu &quot;a&quot;.htm\" NAME=\"left\" MARGINWIDTH=\"0\" "
                            "MARGINHEIGHT=\"20\" NORESIZE SCROLLING=\"YES\">"));
    f.scrollBars = 2;
    f.resize = true;
    f.marginWidth = f.marginHeight = -1;
    QCOMPARE(
        FrameSet::frameLine(f),
        QStringLiteral("<FRAME SRC=\"menu &quot;a&quot;.htm\" NAME=\"left\" SCROLLING=\"NO\">"));
}

void TestFrameSet::noFrames()
{
    const QStringList lines = FrameSet::generate(FrameLayout(), named(), "T", true);
    const int at = int(lines.indexOf("<NOFRAMES>"));
    QVERIFY(at > 0);
    QCOMPARE(lines.mid(at),
             QStringList({ "<NOFRAMES>", "<BODY >",
                           "<!-- Anything inserted between the NOFRAMES tags will appear-->",
                           "<!-- in a browser that does not support frames.             -->",
                           "This site makes use of frames.<BR>",
                           "For your viewing pleasure you should use Netscape or Internet "
                           "Explorer.<br>",
                           "</BODY>", "</NOFRAMES>", "</HTML>" }));
}

// Nine lines of numbers, second bar before first; nine records of 192 bytes.
void TestFrameSet::filesRoundTrip()
{
    FrameLayout l;
    l.byColumns = true;
    l.bars = { { { 10, 90 }, { 5, 11 }, { 40, 100 }, { 99, 100 } } };
    QCOMPARE(FrameSet::encodeLayout(l),
             QByteArray("1\r\n90\r\n10\r\n11\r\n5\r\n100\r\n40\r\n100\r\n99\r\n"));
    const Expected<FrameLayout> back = FrameSet::decodeLayout(FrameSet::encodeLayout(l), "x.set");
    QVERIFY2(back.ok(), qPrintable(back.error()));
    QCOMPARE(back.value(), l);

    FrameRecords frames = named();
    frames[0].source = "Ä.htm";
    frames[0].marginWidth = 7;
    frames[0].scrollBars = 2;
    frames[0].resize = false;
    frames[8].reserved = QByteArray(17, 'r');
    const QByteArray bytes = FrameSet::encodeRecords(frames);
    QCOMPARE(bytes.size(), 1728);
    QCOMPARE(bytes.at(0), char(5)); // "Ä.htm" in Windows-1252
    QCOMPARE(bytes.mid(1, 5), QByteArray("\xC4.htm"));
    QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 92), 7);
    QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 96), -1);
    QCOMPARE(bytes.at(102), char(8));
    QCOMPARE(bytes.mid(103, 8), QByteArray("Frame: 1"));
    QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 184), 2);
    QCOMPARE(bytes.at(188), char(0));
    QCOMPARE(bytes.at(192 + 188), char(1));
    QCOMPARE(bytes.mid(8 * 192 + 81, 11), QByteArray(11, 'r'));
    const Expected<FrameRecords> read = FrameSet::decodeRecords(bytes, "x.par");
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QVERIFY(read.value() == frames);
    QCOMPARE(FrameSet::recordsPath("/d/site.v1/frames.set"),
             QStringLiteral("/d/site.v1/frames.par"));
}

void TestFrameSet::malformedSettings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::addRow("not a number") << QByteArray("0\r\n66\r\nabc\r\n")
                                  << "f.set, line 3: a number is expected.";
    QTest::addRow("cut short") << QByteArray("0\r\n66\r\n33\r\n")
                               << "f.set, line 4: a number is expected.";
    QTest::addRow("orientation 2")
        << QByteArray("2\n66\n33\n66\n33\n66\n33\n66\n33\n") << "f.set, line 1: 2 is out of range.";
    QTest::addRow("bar over 100") << QByteArray("0\n66\n33\n101\n33\n66\n33\n66\n33\n")
                                  << "f.set, line 4: 101 is out of range.";
    QTest::addRow("first bar not before the second")
        << QByteArray("0\n66\n33\n66\n33\n50\n50\n66\n33\n")
        << "f.set, line 7: the first bar must stand before the second.";
    QTest::addRow("ten lines") << QByteArray("0\n66\n33\n66\n33\n66\n33\n66\n33\n1\n")
                               << "f.set, line 10: the file has more than nine lines.";
}

void TestFrameSet::malformedSettings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const Expected<FrameLayout> read = FrameSet::decodeLayout(bytes, "/d/f.set");
    QVERIFY(!read.ok());
    QCOMPARE(read.error(), error);
}

void TestFrameSet::malformedRecords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::addRow("short file") << QByteArray(1727, '\0')
                                << "f.par: a frame attribute file holds 1728 bytes, not 1727.";
    QByteArray longName = FrameSet::encodeRecords(FrameRecords());
    longName[3 * 192 + 102] = char(81);
    QTest::addRow("name length 81")
        << longName << "f.par: the record of frame 4 holds a text longer than 80 characters.";
}

void TestFrameSet::malformedRecords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const Expected<FrameRecords> read = FrameSet::decodeRecords(bytes, "/d/f.par");
    QVERIFY(!read.ok());
    QCOMPARE(read.error(), error);
}

void TestFrameSet::textMustFitItsRecord()
{
    QVERIFY(FrameSet::checkText(QString(80, 'a')).ok());
    QCOMPARE(FrameSet::checkText(QString(81, 'a')).error(),
             QString("\"" + QString(81, 'a') + "\" is longer than 80 characters."));
    QVERIFY(!FrameSet::checkText(QStringLiteral("Ω.htm")).ok());
    QVERIFY(FrameSet::checkText(QStringLiteral("Größe.htm")).ok());
}

QTEST_GUILESS_MAIN(TestFrameSet)
#include "tst_frameset.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "app/tips.h"
#include "app/tipsession.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Tarnwick;

namespace {

// Lines 1-10 helpers, then day tips "tip 11" ... "tip {last}".
QStringList numberedLines(int last)
{
    QStringList lines;
    for (int i = 1; i <= last; ++i)
        lines.append(QStringLiteral("^tip %1").arg(i));
    return lines;
}

std::unique_ptr<Settings> temporarySettings(const QTemporaryDir &dir)
{
    return std::make_unique<Settings>(
        std::make_unique<QSettings>(dir.filePath(QStringLiteral("t.ini")), QSettings::IniFormat));
}

} // namespace

class TestTips final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void parseLine_data();
    void parseLine();
    void browsing_data();
    void browsing();
    void tipNumberAcrossShowings();
    void missingOrEmptyFile_data();
    void missingOrEmptyFile();
    void helperTips_data();
    void helperTips();
    void shippedFileHasEveryHelperAndEnoughTips();
};

void TestTips::parseLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::addRow("tip with one break") << "^one%stwo"
                                        << "Today's tip..."
                                        << "one\ntwo";
    QTest::addRow("joke") << "!ha"
                          << "Today's joke..."
                          << "ha";
    QTest::addRow("message") << "#m"
                             << "Today's message..."
                             << "m";
    QTest::addRow("quote") << "'q"
                           << "Today's quote..."
                           << "q";
    QTest::addRow("did you know") << "?d"
                                  << "Did you know..."
                                  << "d";
    QTest::addRow("other kind has no title") << "*plain"
                                             << ""
                                             << "plain";
    QTest::addRow("empty line") << ""
                                << ""
                                << "";
    QTest::addRow("five breaks, the sixth stays") << "^a%sb%sc%sd%se%sf%sg"
                                                  << "Today's tip..."
                                                  << "a\nb\nc\nd\ne\nf%sg";
    QTest::addRow("adjacent breaks") << "?%s%s"
                                     << "Did you know..."
                                     << "\n\n";
    QTest::addRow("other percent signs stay") << "^100% sure %d"
                                              << "Today's tip..."
                                              << "100% sure %d";
    QTest::addRow("text cut at 255 before breaks")
        << QString(QStringLiteral("^") + QString(254, QLatin1Char('x')) + QStringLiteral("%s"))
        << "Today's tip..." << QString(QString(254, QLatin1Char('x')) + QStringLiteral("%"));
}

void TestTips::parseLine()
{
    QFETCH(QString, line);
    QFETCH(QString, title);
    QFETCH(QString, text);
    const TipsFile::Tip tip = TipsFile::parse(line);
    QCOMPARE(tip.title, title);
    QCOMPARE(tip.text, text);
}

void TestTips::browsing_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("tipNumber");
    QTest::addColumn<QString>("moves"); // n = next, p = previous
    QTest::addColumn<QList<int>>("lines"); // 1-based lines shown, first included

    QTest::addRow("default starts at line 11") << 15 << 10 << "nn" << QList<int> { 11, 12, 13 };
    QTest::addRow("stored number below 10") << 15 << 0 << "" << QList<int> { 11 };
    QTest::addRow("negative stored number") << 15 << -5 << "" << QList<int> { 11 };
    // The settings reader takes any int; the edges must not overflow.
    QTest::addRow("lowest int stored")
        << 15 << std::numeric_limits<int>::min() << "n" << QList<int> { 11, 12 };
    QTest::addRow("highest int stored")
        << 15 << std::numeric_limits<int>::max() << "" << QList<int> { 11 };
    QTest::addRow("last line never shown") << 14 << 12 << "nnn" << QList<int> { 12, 13, 11, 12 };
    QTest::addRow("stored number past the end") << 14 << 99 << "" << QList<int> { 11 };
    QTest::addRow("stored number on the last line") << 14 << 14 << "" << QList<int> { 11 };
    QTest::addRow("previous stops at line 11")
        << 15 << 12 << "ppp" << QList<int> { 12, 11, 11, 11 };
    QTest::addRow("previous then next") << 15 << 13 << "pn" << QList<int> { 13, 12, 13 };
}

void TestTips::browsing()
{
    QFETCH(int, lineCount);
    QFETCH(int, tipNumber);
    QFETCH(QString, moves);
    QFETCH(QList<int>, lines);

    const TipsFile file(numberedLines(lineCount));
    TipSession session = TipSession::tipOfTheDay(file, tipNumber, true);
    QVERIFY(session.canBrowse());
    QList<int> shown { session.index() + 1 };
    for (const QChar move : moves) {
        move == QLatin1Char('n') ? session.next() : session.previous();
        shown.append(session.index() + 1);
    }
    QCOMPARE(shown, lines);
    QCOMPARE(session.tip().text, QStringLiteral("tip %1").arg(lines.constLast()));
}

void TestTips::tipNumberAcrossShowings()
{
    QTemporaryDir dir;
    QVERIFY(TestEnvironment::writeFile(dir.filePath(QStringLiteral("TIPS.TXT")),
                                       numberedLines(13).join(QLatin1Char('\n')).toUtf8()));
    auto settings = temporarySettings(dir);
    QCOMPARE(settings->Helpers.TipNumber, 10);

    QStringList seen;
    bool untick = false;
    Tips tips(*settings, dir.path(), [&](TipSession &session) {
        QCOMPARE(session.caption(), QStringLiteral("Tip of the day"));
        QCOMPARE(session.checkCaption(), QStringLiteral("Show Tips at Startup"));
        seen.append(session.tip().text);
        if (untick)
            session.setChecked(false);
    });
    tips.ShowTipOfTheDay();
    tips.ShowTipOfTheDay();
    tips.ShowTipOfTheDay(); // line 13 is the last: starts again
    QCOMPARE(seen, (QStringList { "tip 11", "tip 12", "tip 11" }));
    QCOMPARE(settings->Helpers.TipNumber, 12);
    QVERIFY(settings->Helpers.ShowTipOfTheDay);

    untick = true;
    tips.ShowTipOfTheDay();
    QVERIFY(!settings->Helpers.ShowTipOfTheDay);
    QVERIFY(settings->SaveIni());
    auto reread = temporarySettings(dir);
    QVERIFY(reread->ReadIni());
    QCOMPARE(reread->Helpers.TipNumber, 13);
    QVERIFY(!reread->Helpers.ShowTipOfTheDay);
}

void TestTips::missingOrEmptyFile_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<int>("helper"); // 0: tip of the day
    QTest::addRow("missing, tip of the day") << QByteArray() << 0;
    QTest::addRow("empty, tip of the day") << QByteArray("") << 0;
    QTest::addRow("only a line end, tip of the day") << QByteArray("\n") << 0;
    QTest::addRow("missing, helper") << QByteArray() << 4;
    QTest::addRow("short file, helper past its end") << QByteArray("^one\n^two\n") << 9;
}

void TestTips::missingOrEmptyFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, helper);
    QTemporaryDir dir;
    if (!content.isNull())
        QVERIFY(TestEnvironment::writeFile(dir.filePath(QStringLiteral("TIPS.TXT")), content));
    auto settings = temporarySettings(dir);
    settings->Helpers.TipNumber = 17;

    int shown = 0;
    Tips tips(*settings, dir.path(), [&](TipSession &session) {
        ++shown;
        QCOMPARE(session.tip().title, QStringLiteral("Oops..."));
        QVERIFY(session.tip().text.startsWith(QStringLiteral("Sorry, no tips are available.")));
        if (helper == 0) {
            QVERIFY(!session.canBrowse());
            session.next(); // a disabled button does nothing
            QCOMPARE(session.tip().title, QStringLiteral("Oops..."));
        }
    });
    helper == 0 ? tips.ShowTipOfTheDay() : tips.ShowHelperTip(helper);
    QCOMPARE(shown, 1);
    QCOMPARE(settings->Helpers.TipNumber, 17);
}

void TestTips::helperTips_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("untick");

    QTest::addRow("1 kept on") << 1 << "Orphan Pages" << false;
    QTest::addRow("2 switched off") << 2 << "Full Screen" << true;
    QTest::addRow("3") << 3 << "Browser Refresh" << true;
    QTest::addRow("4") << 4 << "Creating Simple Tables" << true;
    QTest::addRow("5") << 5 << "Toggling Image View" << true;
    QTest::addRow("6") << 6 << "Wordwrap and Line Numbers" << true;
    QTest::addRow("7") << 7 << "Setting a Default Extension" << true;
    QTest::addRow("8") << 8 << "Internal Clipboard Contents" << true;
    QTest::addRow("9") << 9 << "Saving To Default" << true;
    QTest::addRow("10") << 10 << "Character Conversions" << true;
}

void TestTips::helperTips()
{
    QFETCH(int, number);
    QFETCH(QString, caption);
    QFETCH(bool, untick);

    QTemporaryDir dir;
    QVERIFY(TestEnvironment::writeFile(dir.filePath(QStringLiteral("TIPS.TXT")),
                                       numberedLines(12).join(QLatin1Char('\n')).toUtf8()));
    auto settings = temporarySettings(dir);
    int shown = 0;
    Tips tips(*settings, dir.path(), [&](TipSession &session) {
        ++shown;
        QCOMPARE(session.caption(), caption);
        QCOMPARE(session.checkCaption(), QStringLiteral("Show Helper on next entry"));
        QVERIFY(session.checked());
        QVERIFY(!session.showsPreviousAndNext());
        QCOMPARE(session.tip().text, QStringLiteral("tip %1").arg(number));
        session.setChecked(!untick);
    });

    tips.ShowHelperTip(number);
    tips.ShowHelperTip(number);
    QCOMPARE(shown, untick ? 1 : 2);
    QCOMPARE(*Tips::helperFlag(settings->Helpers, number), !untick);
    // Only this helper's flag changed.
    for (int other = 1; other <= Tips::HelperCount; ++other) {
        if (other != number)
            QVERIFY(*Tips::helperFlag(settings->Helpers, other));
    }
    QVERIFY(settings->Helpers.ShowTipOfTheDay);
    QCOMPARE(settings->Helpers.TipNumber, 10);
    tips.ShowHelperTip(0);
    tips.ShowHelperTip(11);
    QCOMPARE(shown, untick ? 1 : 2);
}

void TestTips::shippedFileHasEveryHelperAndEnoughTips()
{
    const TipsFile file
        = TipsFile::load(QDir(TestEnvironment::dataDirectory()).filePath(TipsFile::fileName()));
    QVERIFY2(file.lineCount() >= 10 + 30 + 1, "ten helpers, thirty tips and the unused last line");
    // Nothing may be cut off: every line fits the longest text shown.
    QFile raw(QDir(TestEnvironment::dataDirectory()).filePath(TipsFile::fileName()));
    QVERIFY(raw.open(QIODevice::ReadOnly));
    for (int number = 1; !raw.atEnd(); ++number)
        QVERIFY2(raw.readLine().trimmed().size() <= 1 + TipsFile::MaxTextLength,
                 qPrintable(QStringLiteral("line %1 is too long").arg(number)));
    for (int index = 0; index < file.lineCount(); ++index) {
        const TipsFile::Tip tip = file.tip(index);
        QVERIFY2(!tip.text.trimmed().isEmpty(), qPrintable(QString::number(index + 1)));
        QVERIFY2(!tip.text.contains(QLatin1String("%s")), qPrintable(QString::number(index + 1)));
        if (index >= TipsFile::FirstDayTip)
            QVERIFY2(!tip.title.isEmpty(), qPrintable(QString::number(index + 1)));
    }
}

QTEST_GUILESS_MAIN(TestTips)
#include "tst_tips.moc"

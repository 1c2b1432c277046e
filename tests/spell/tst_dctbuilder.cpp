// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/dctbuilder.h"
#include "spell/dctformat.h"
#include "spell/tdictionary.h"

#include "scriptedprompter.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class tst_DctBuilder : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void sharedListsShrinkTheFile();
    void refusals_data();
    void refusals();
    void wordListFile();
    void progressAndCancel_data();
    void progressAndCancel();

private:
    QString buildFile(DctBuilder &builder);
    QTemporaryDir m_dir;
};

QString tst_DctBuilder::buildFile(DctBuilder &builder)
{
    static int count = 0;
    const QString path = m_dir.filePath(QStringLiteral("T%1.DCT").arg(++count));
    const Result written = builder.write(path);
    return written ? path : QString();
}

void tst_DctBuilder::roundTrip_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("absent");
    QTest::addRow("one letter") << QStringList { "a" } << QStringList { "b", "aa", "" };
    QTest::addRow("prefixes of each other") << QStringList { "car", "care", "careful", "cart" }
                                            << QStringList { "ca", "carefu", "carts", "cares" };
    QTest::addRow("shared endings")
        << QStringList { "walking", "talking", "walked", "talked", "walk", "talk" }
        << QStringList { "walkin", "alking", "stalked", "talkeds" };
    QTest::addRow("capitals and accents lower-cased")
        << QStringList { "Paris", "ÉTÉ", "naïve", "Zürich" }
        << QStringList { "pari", "ete", "naive" };
    QTest::addRow("apostrophe and digits")
        << QStringList { "o'clock", "4th", "dog" } << QStringList { "oclock", "4", "dogs" };
    QTest::addRow("duplicates merge")
        << QStringList { "same", "Same", "SAME", "same" } << QStringList { "sam" };
}

void tst_DctBuilder::roundTrip()
{
    QFETCH(QStringList, words);
    QFETCH(QStringList, absent);
    DctBuilder builder;
    builder.addWords(words);
    const QString path = buildFile(builder);
    QVERIFY(!path.isEmpty());

    ScriptedPrompter prompter;
    auto dictionary = TDictionary::create(&prompter);
    QVERIFY(dictionary);
    QVERIFY((*dictionary)->openMainDictionary(path));
    for (const QString &word : words)
        QVERIFY2((*dictionary)->isWord(word), qPrintable(word));
    for (const QString &word : absent)
        QVERIFY2(!(*dictionary)->isWord(word), qPrintable(word));
}

void tst_DctBuilder::sharedListsShrinkTheFile()
{
    // Random words in which every word also comes with the same endings: a
    // plain tree repeats the ending lists below every stem, a graph keeps one.
    QRandomGenerator random(42);
    QStringList words;
    const QStringList endings { "", "s", "ed", "ing", "er", "ers" };
    int letters = 0;
    for (int i = 0; i < 2000; ++i) {
        QString stem;
        for (int j = 0; j < 4 + random.bounded(5); ++j)
            stem += QChar(u'a' + random.bounded(26));
        for (const QString &ending : endings) {
            words << stem + ending;
            letters += int(stem.size() + ending.size());
        }
    }
    DctBuilder builder;
    builder.addWords(words);
    const QString path = buildFile(builder);
    QVERIFY(!path.isEmpty());
    // Far fewer cells than letters, yet every word is still there.
    QVERIFY2(builder.statistics().cells < letters / 4,
             qPrintable(QStringLiteral("%1 cells for %2 letters")
                            .arg(builder.statistics().cells)
                            .arg(letters)));
    QCOMPARE(builder.statistics().words, int(words.size()));

    ScriptedPrompter prompter;
    auto dictionary = TDictionary::create(&prompter);
    QVERIFY((*dictionary)->openMainDictionary(path));
    for (const QString &word : words)
        QVERIFY2((*dictionary)->isWord(word), qPrintable(word));
    QVERIFY(!(*dictionary)->isWord(words.first() + QStringLiteral("x")));
}

void tst_DctBuilder::refusals_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<int>("tooLong");
    QTest::addColumn<bool>("builds");
    QTest::addRow("empty list") << QStringList {} << 0 << 0 << false;
    QTest::addRow("blank lines only") << QStringList { "", "  " } << 0 << 0 << false;
    QTest::addRow("outside code page 437 skipped and counted")
        << QStringList { "łódź", "日本", "good" } << 2 << 0 << true;
    QTest::addRow("nothing left after skipping") << QStringList { "ŝ" } << 1 << 0 << false;
    QTest::addRow("longest word a look-up reads")
        << QStringList { QString(TDictionary::MaxWordLength, u'a') } << 0 << 0 << true;
    QTest::addRow("one letter longer refused")
        << QStringList { QString(TDictionary::MaxWordLength + 1, u'a'), "good" } << 0 << 1 << true;
    // Once overflowed the stack while the letter graph was built.
    QTest::addRow("100,000-letter line")
        << QStringList { QString(100000, u'x'), "good" } << 0 << 1 << true;
}

void tst_DctBuilder::refusals()
{
    QFETCH(QStringList, words);
    QFETCH(int, skipped);
    QFETCH(int, tooLong);
    QFETCH(bool, builds);
    DctBuilder builder;
    builder.addWords(words);
    const Expected<QByteArray> bytes = builder.build();
    QCOMPARE(bool(bytes), builds);
    QCOMPARE(builder.statistics().skipped, skipped);
    QCOMPARE(builder.statistics().tooLong, tooLong);
    if (builds) {
        QCOMPARE(bytes->mid(DctFormat::SignatureOffset, DctFormat::SignatureLength),
                 QByteArray(DctFormat::Signature));
        QCOMPARE(bytes->size(),
                 DctFormat::CellsOffset + builder.statistics().cells * DctFormat::CellSize);
        QCOMPARE(builder.statistics().words, int(words.size()) - skipped - tooLong);
    } else {
        QVERIFY(!bytes.error().isEmpty());
    }
}

void tst_DctBuilder::wordListFile()
{
    const QString list = m_dir.filePath(QStringLiteral("words.txt"));
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("zebra\r\napple\n\nMango\nmango\n");
    file.close();
    DctBuilder builder;
    QVERIFY(builder.addWordList(list));
    QVERIFY(!builder.addWordList(m_dir.filePath(QStringLiteral("missing.txt"))));
    const QString path = buildFile(builder);
    QCOMPARE(builder.statistics().words, 3);

    ScriptedPrompter prompter;
    auto dictionary = TDictionary::create(&prompter);
    QVERIFY((*dictionary)->openMainDictionary(path));
    for (const char *word : { "zebra", "apple", "mango" })
        QVERIFY2((*dictionary)->isWord(QString::fromLatin1(word)), word);
}

void tst_DctBuilder::progressAndCancel_data()
{
    QTest::addColumn<int>("stopAt"); // the first report answered with "stop"; -1 never
    QTest::addRow("runs to the end") << -1;
    QTest::addRow("stopped while sorting") << 20;
    QTest::addRow("stopped while building") << 40;
    QTest::addRow("stopped at the end") << 100;
}

// Reports rise to 100; a stop fails the build and leaves an existing file as it was.
void tst_DctBuilder::progressAndCancel()
{
    QFETCH(int, stopAt);
    QStringList words;
    for (int i = 0; i < 5000; ++i)
        words << QStringLiteral("w%1").arg(i, 5, 36, QLatin1Char('a'));
    DctBuilder builder;
    builder.addWords(words);
    const QString path = m_dir.filePath(QStringLiteral("progress.dct"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    QList<int> reports;
    const Result written = builder.write(path, [&](int percent) {
        reports << percent;
        return stopAt < 0 || percent < stopAt;
    });
    QVERIFY(!reports.isEmpty());
    QVERIFY(std::is_sorted(reports.begin(), reports.end()));
    QVERIFY(reports.front() >= 0 && reports.back() <= 100);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (stopAt < 0) {
        QVERIFY(written.ok());
        QCOMPARE(reports.back(), 100);
        QVERIFY(file.readAll().size() > 3);
    } else {
        QCOMPARE(written.error(), QStringLiteral("Cancelled."));
        QVERIFY(reports.back() >= stopAt);
        QCOMPARE(file.readAll(), QByteArray("old"));
    }
}

QTEST_GUILESS_MAIN(tst_DctBuilder)
#include "tst_dctbuilder.moc"

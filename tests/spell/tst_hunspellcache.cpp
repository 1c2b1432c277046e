// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/hunspellcache.h"
#include "spell/tdictionary.h"

#include "testenvironment.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

// A pair without affix rules: every stem is a word as it stands, so any
// expansion of it gives the same list.
const QByteArray plainAff = "SET UTF-8\n";
const QByteArray plainDic = "4\nHaus\nstraße\nBaum/X\nÄrger\n";
const QStringList plainWords { "Haus", "straße", "Baum", "Ärger" };

struct Pair
{
    QTemporaryDir dir;
    HunspellLanguages::Language language;

    explicit Pair(const QByteArray &dic = plainDic, const QByteArray &aff = plainAff)
    {
        language.name = QStringLiteral("de_DE");
        language.displayName = QStringLiteral("German (Germany)");
        language.dicPath = dir.filePath(QStringLiteral("pairs/de_DE.dic"));
        language.affPath = dir.filePath(QStringLiteral("pairs/de_DE.aff"));
        TestEnvironment::writeFile(language.dicPath, dic);
        TestEnvironment::writeFile(language.affPath, aff);
    }
    QString home() const { return dir.filePath(QStringLiteral("home")); }
    QStringList cacheFiles() const
    {
        return QDir(home() + QStringLiteral("/dictionaries")).entryList(QDir::Files, QDir::Name);
    }
};

void setModified(const QString &path, const QDateTime &when)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

class tst_HunspellCache : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void plainPairIsWhatHunspellExpands();
    void builtDictionaryFindsTheWords();
    void staleAfterAChange_data();
    void staleAfterAChange();
    void failedBuildLeavesTheCacheAsItWas_data();
    void failedBuildLeavesTheCacheAsItWas();
};

void tst_HunspellCache::plainPairIsWhatHunspellExpands()
{
    // The tests' pairs must mean the same to any affix expansion.
    Pair pair;
    QProcess unmunch;
    unmunch.start(QStringLiteral("unmunch"), { pair.language.dicPath, pair.language.affPath });
    QVERIFY(unmunch.waitForFinished(TestEnvironment::signalBound));
    QCOMPARE(QString::fromUtf8(unmunch.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
             plainWords);
}

void tst_HunspellCache::builtDictionaryFindsTheWords()
{
    Pair pair;
    const HunspellCache cache(pair.home());
    QCOMPARE(cache.folder(), pair.home() + QStringLiteral("/dictionaries/"));
    QVERIFY(!cache.isFresh(pair.language));
    QList<int> steps;
    const Result built = cache.build(pair.language, [&](int percent) {
        steps << percent;
        return true;
    });
    QVERIFY2(built, qPrintable(built.error()));
    QVERIFY(cache.isFresh(pair.language));
    QCOMPARE(pair.cacheFiles(), (QStringList { "de_DE.DCT", "de_DE.stamp" }));
    QVERIFY(!steps.isEmpty());
    QCOMPARE(steps.last(), 100);

    auto dictionary = TDictionary::create(nullptr);
    QVERIFY(dictionary);
    QVERIFY(dictionary.value()->openMainDictionary(cache.filePath(QStringLiteral("de_DE"))));
    for (const QString &word : plainWords)
        QVERIFY2(dictionary.value()->isWord(word), qPrintable(word));
    QVERIFY(!dictionary.value()->isWord(QStringLiteral("Baumx")));
}

void tst_HunspellCache::staleAfterAChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("fresh");
    QTest::addRow("nothing changed") << "" << true;
    QTest::addRow("word list grew") << "dic size" << false;
    QTest::addRow("affix file touched") << "aff time" << false;
    QTest::addRow("dictionary file deleted") << "dct gone" << false;
    QTest::addRow("stamp deleted") << "stamp gone" << false;
    QTest::addRow("a rebuild is fresh again") << "dic size, rebuilt" << true;
}

void tst_HunspellCache::staleAfterAChange()
{
    QFETCH(QString, change);
    QFETCH(bool, fresh);
    Pair pair;
    const HunspellCache cache(pair.home());
    QVERIFY(cache.build(pair.language));
    const QString folder = cache.folder();
    if (change.startsWith(QLatin1String("dic size"))) {
        QFile dic(pair.language.dicPath);
        QVERIFY(dic.open(QIODevice::Append));
        dic.write("Dach\n");
    }
    if (change == QLatin1String("aff time"))
        setModified(pair.language.affPath, QDateTime::currentDateTime().addSecs(-3600));
    if (change == QLatin1String("dct gone"))
        QVERIFY(QFile::remove(folder + QStringLiteral("de_DE.DCT")));
    if (change == QLatin1String("stamp gone"))
        QVERIFY(QFile::remove(folder + QStringLiteral("de_DE.stamp")));
    if (change.endsWith(QLatin1String("rebuilt")))
        QVERIFY(cache.build(pair.language));
    QCOMPARE(cache.isFresh(pair.language), fresh);
}

void tst_HunspellCache::failedBuildLeavesTheCacheAsItWas_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("why"); // part of the message
    QTest::addRow("word list is a folder") << "dic folder"
                                           << "pairs/de_DE.dic";
    QTest::addRow("affix file missing") << "aff gone"
                                        << "pairs/de_DE.aff";
    QTest::addRow("cancelled") << "cancel"
                               << "Cancelled.";
    QTest::addRow("letters the file cannot store") << "greek"
                                                   << "";
}

void tst_HunspellCache::failedBuildLeavesTheCacheAsItWas()
{
    QFETCH(QString, fault);
    QFETCH(QString, why);
    Pair pair;
    const HunspellCache cache(pair.home());
    // An earlier build is kept as it was, stamp and all.
    QVERIFY(cache.build(pair.language));
    const QByteArray before = TestEnvironment::readFile(cache.filePath(QStringLiteral("de_DE")));
    const QByteArray stamp = TestEnvironment::readFile(cache.folder() + "de_DE.stamp");

    // Long enough that the build reports its progress on the way.
    QByteArray longer = plainDic;
    for (int i = 0; i < 30000; ++i)
        longer += "w" + QByteArray::number(i, 26).replace('0', 'z') + '\n';
    QFile::remove(pair.language.dicPath);
    TestEnvironment::writeFile(pair.language.dicPath, longer);
    if (fault == QLatin1String("dic folder")) {
        QVERIFY(QFile::remove(pair.language.dicPath));
        QVERIFY(QDir().mkpath(pair.language.dicPath));
    }
    if (fault == QLatin1String("aff gone"))
        QVERIFY(QFile::remove(pair.language.affPath));
    if (fault == QLatin1String("greek")) {
        QFile::remove(pair.language.dicPath);
        TestEnvironment::writeFile(pair.language.dicPath, "3\nλόγος\nκόσμος\nword\n");
    }
    const Result built = cache.build(pair.language, [&](int) { return fault != "cancel"; });
    QVERIFY(!built);
    QVERIFY2(built.error().startsWith(
                 QStringLiteral("The German (Germany) dictionary could not be built. ")),
             qPrintable(built.error()));
    QVERIFY2(built.error().contains(why), qPrintable(built.error()));
    QVERIFY2(built.error().size() > 60, qPrintable(built.error())); // says why
    QCOMPARE(pair.cacheFiles(), (QStringList { "de_DE.DCT", "de_DE.stamp" }));
    QCOMPARE(TestEnvironment::readFile(cache.filePath(QStringLiteral("de_DE"))), before);
    QCOMPARE(TestEnvironment::readFile(cache.folder() + "de_DE.stamp"), stamp);
    QVERIFY(!cache.isFresh(pair.language));
}

QTEST_GUILESS_MAIN(tst_HunspellCache)
#include "tst_hunspellcache.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/hunspellpair.h"
#include "spell/tdictionary.h"

#include "scriptedprompter.h"

#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Tarnwick;

namespace {

const QString Unmunch = QStringLiteral("/usr/bin/unmunch");

QStringList sortedUnique(QStringList words)
{
    words.sort();
    words.removeDuplicates();
    return words;
}

struct Expanded
{
    Result result = Result::success();
    QStringList words; // as handed to the sink, duplicates kept
};

Expanded expandPair(const QByteArray &aff, const QByteArray &dic,
                    qint64 maxWords = HunspellPair::MaxWords)
{
    Expanded out;
    out.result = HunspellPair::expand(
        dic, aff, [&](const QString &word) { out.words.append(word); }, {}, maxWords);
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class tst_HunspellPair : public QObject
{
    Q_OBJECT

private slots:
    void expansion_data();
    void expansion();
    void hostileInput_data();
    void hostileInput();
    void fileErrorsNameTheFile();
    void buildDictionary();
    void letterOutsideCodePageRefused();
    void progressAndCancel();

private:
    QString pairPath(const QString &name, const QByteArray &aff, const QByteArray &dic);
    QTemporaryDir m_dir;
};

QString tst_HunspellPair::pairPath(const QString &name, const QByteArray &aff,
                                   const QByteArray &dic)
{
    const QString base = m_dir.filePath(name);
    if (!writeFile(base + QLatin1String(".aff"), aff)
        || !writeFile(base + QLatin1String(".dic"), dic))
        return QString();
    return base + QLatin1String(".dic");
}

void tst_HunspellPair::expansion_data()
{
    QTest::addColumn<QByteArray>("aff");
    QTest::addColumn<QByteArray>("dic");
    QTest::addColumn<QStringList>("expected");
    // The encoding to read unmunch's output in, where it gives the same words.
    // It does not know continuation flags, NEEDAFFIX, FORBIDDENWORD,
    // ONLYINCOMPOUND, CIRCUMFIX, FLAG long, AF, tab comments or "\/", and
    // gives other words there.
    QTest::addColumn<QByteArray>("unmunchEncoding");

    QTest::addRow("suffixes: strip, condition, sets")
        << QByteArray("SET UTF-8\n"
                      "SFX D Y 4\n"
                      "SFX D 0 d e\n"
                      "SFX D y ied [^aeiou]y\n"
                      "SFX D 0 ed [^ey]\n"
                      "SFX D 0 ed [aeiou]y\n"
                      "SFX S Y 3\n"
                      "SFX S 0 s [^sxy]\n"
                      "SFX S 0 s [aeiou]y\n"
                      "SFX S 0 es [sx]\n")
        << QByteArray("4\ncarry/DS\nplay/DS\nbake/D\nfix/DS\n")
        << QStringList { "bake",  "baked", "carried", "carry",  "fix",
                         "fixed", "fixes", "play",    "played", "plays" }
        << QByteArray("UTF-8");
    QTest::addRow("prefixes: strip and condition at the front")
        << QByteArray("PFX U Y 1\n"
                      "PFX U 0 un [^u]\n"
                      "PFX R Y 2\n"
                      "PFX R e re e\n"
                      "PFX R 0 re [^e]\n")
        << QByteArray("3\ndo/UR\nunder/U\nedit/R\n")
        << QStringList { "do", "edit", "redit", "redo", "undo", "under" }
        << QByteArray("ISO-8859-1");
    QTest::addRow("prefix and suffix only when both are cross products")
        << QByteArray("PFX U Y 1\n"
                      "PFX U 0 un .\n"
                      "PFX N N 1\n"
                      "PFX N 0 non .\n"
                      "SFX S Y 1\n"
                      "SFX S 0 s .\n"
                      "SFX E N 1\n"
                      "SFX E 0 ed .\n")
        << QByteArray("1\nlock/UNSE\n")
        << QStringList { "lock", "locked", "locks", "nonlock", "unlock", "unlocks" }
        << QByteArray("UTF-8");
    QTest::addRow("literal condition longer than the strip")
        << QByteArray("SFX T Y 2\n"
                      "SFX T ch tches itch\n"
                      "SFX T 0 ers [^i]tch\n")
        << QByteArray("3\nwitch/T\nbatch/T\nch/T\n")
        << QStringList { "batch", "batchers", "ch", "witch", "wittches" } << QByteArray("UTF-8");
    QTest::addRow("ISO8859-1 letters")
        << QByteArray("SET ISO8859-1\nSFX A Y 1\nSFX A 0 \xe9 [^\xe9]\n")
        << QByteArray("2\ncaf/A\nr\xe9/A\n") << QStringList { "caf", "café", "ré" }
        << QByteArray("ISO-8859-1");
    QTest::addRow("KOI8-R letters") << QByteArray("SET KOI8-R\nSFX A Y 1\nSFX A 0 \xc1 .\n") // а
                                    << QByteArray("1\n\xcb\xcf\xd4/A\n") // кот
                                    << QStringList { "кот", "кота" } << QByteArray("KOI8-R");
    QTest::addRow("microsoft-cp1251 letters")
        << QByteArray("SET microsoft-cp1251\nSFX A Y 1\nSFX A 0 \xe0 .\n")
        << QByteArray("1\n\xea\xee\xf2/A\n") << QStringList { "кот", "кота" }
        << QByteArray("windows-1251");
    QTest::addRow("FLAG long") << QByteArray(
        "FLAG long\nSFX Aa Y 1\nSFX Aa 0 s .\nSFX Ab Y 1\nSFX Ab 0 ed .\n"
        "PFX Ba Y 1\nPFX Ba 0 re .\n")
                               << QByteArray("2\nwalk/AaBa\ntalk/Ab\n")
                               << QStringList { "rewalk", "rewalks", "talk",
                                                "talked", "walk",    "walks" }
                               << QByteArray();
    QTest::addRow("FLAG num") << QByteArray(
        "FLAG num\nSFX 101 Y 1\nSFX 101 0 s .\nSFX 7 Y 1\nSFX 7 0 ed .\n")
                              << QByteArray("2\nwalk/101,7\ntalk/7\n")
                              << QStringList { "talk", "talked", "walk", "walked", "walks" }
                              << QByteArray("UTF-8");
    QTest::addRow("FLAG UTF-8") << QByteArray(
        "SET UTF-8\nFLAG UTF-8\nSFX é Y 1\nSFX é 0 s .\nSFX 𝄞 Y 1\nSFX 𝄞 0 ed .\n")
                                << QByteArray("2\nwalk/é𝄞\ntalk/𝄞\n")
                                << QStringList { "talk", "talked", "walk", "walked", "walks" }
                                << QByteArray("UTF-8");
    QTest::addRow("AF aliases in the dictionary and in continuations")
        << QByteArray(
               "AF 2\nAF SD # nouns\nAF T\n"
               "SFX S Y 1\nSFX S 0 s .\nSFX D Y 1\nSFX D 0 ed/1 .\nSFX T Y 1\nSFX T 0 er .\n")
        << QByteArray("3\nwalk/1\ntalk/2\nplain/3\n") << QStringList { "plain",    "talk",
                                                                       "talker",   "walk",
                                                                       "walked",   "walkeds",
                                                                       "walkeded", "walks" }
        << QByteArray();
    QTest::addRow("twofold suffixes, one level only")
        << QByteArray("SFX Y Y 1\nSFX Y 0 s .\nSFX X Y 1\nSFX X 0 able/Y .\n"
                      "SFX Z Y 1\nSFX Z 0 ness/X .\n")
        << QByteArray("2\ndrink/X\nkind/Z\n")
        << QStringList { "drink", "drinkable", "drinkables", "kind", "kindness", "kindnessable" }
        << QByteArray();
    QTest::addRow("prefix the suffix allows, suffix the prefix allows")
        << QByteArray("PFX P Y 1\nPFX P 0 un/T .\nPFX Q Y 1\nPFX Q 0 re .\n"
                      "SFX S Y 1\nSFX S 0 s/Q .\nSFX T Y 1\nSFX T 0 ed .\n")
        << QByteArray("1\ndo/PS\n")
        << QStringList { "do", "dos", "redos", "undo", "undoed", "undos" } << QByteArray();
    QTest::addRow("NEEDAFFIX stem and affix")
        << QByteArray("NEEDAFFIX h\nSFX S Y 2\nSFX S 0 s .\nSFX S 0 ful/hT .\n"
                      "SFX T Y 1\nSFX T 0 ly .\n")
        << QByteArray("2\nfoo/hS\nbar/S\n")
        << QStringList { "bar", "bars", "barfully", "foos", "foofully" } << QByteArray();
    QTest::addRow("PSEUDOROOT is NEEDAFFIX")
        << QByteArray("PSEUDOROOT h\nSFX S Y 1\nSFX S 0 s .\n") << QByteArray("1\nfoo/hS\n")
        << QStringList { "foos" } << QByteArray();
    QTest::addRow("FORBIDDENWORD stem and homonym")
        << QByteArray("FORBIDDENWORD !\nSFX S Y 1\nSFX S 0 s .\n")
        << QByteArray("3\nbad/!S\ngood/S\ngoods/!\n") << QStringList { "good" } << QByteArray();
    QTest::addRow("ONLYINCOMPOUND stem and affix")
        << QByteArray("ONLYINCOMPOUND c\nSFX S Y 2\nSFX S 0 s .\nSFX S 0 en/c .\n")
        << QByteArray("2\npart/cS\nbook/S\n") << QStringList { "book", "books" } << QByteArray();
    QTest::addRow("CIRCUMFIX only with both sides")
        << QByteArray("CIRCUMFIX X\nPFX B Y 1\nPFX B 0 leg/X .\n"
                      "SFX C Y 2\nSFX C 0 obb .\nSFX C 0 obb/X .\n")
        << QByteArray("1\nnagy/BC\n") << QStringList { "legnagyobb", "nagy", "nagyobb" }
        << QByteArray();
    QTest::addRow("FULLSTRIP lets the strip take the whole stem")
        << QByteArray("FULLSTRIP\nSFX A Y 1\nSFX A go went go\n") << QByteArray("1\ngo/A\n")
        << QStringList { "go", "went" } << QByteArray("UTF-8");
    QTest::addRow("without FULLSTRIP a letter of the stem stays")
        << QByteArray("SFX A Y 2\nSFX A go went go\nSFX A o one o\n") << QByteArray("1\ngo/A\n")
        << QStringList { "go", "gone" } << QByteArray("UTF-8");
    QTest::addRow("dictionary lines: BOM, CRLF, no count, blanks, comments, morphology")
        << QByteArray("SFX S Y 1\r\nSFX S 0 s . po:plural\r\n")
        << QByteArray("\xEF\xBB\xBF"
                      "cat/S\r\n\r\n\tA comment line\r\n  dog/S po:noun\r\nand\\/or\r\n"
                      "hat\tst:hat\r\n")
        << QStringList { "and/or", "cat", "cats", "dog", "dogs", "hat" } << QByteArray();
    QTest::addRow("comments and keys read past in the affix file")
        << QByteArray("# a comment\nTRY abc\nKEY qwerty\nREP 1\nREP f ph\nMAP 1\nMAP aá\n"
                      "COMPOUNDMIN 1\nWORDCHARS 0123\nSFX S Y 1 # the plural\nSFX S 0 s .\n")
        << QByteArray("1\ncat/S\n") << QStringList { "cat", "cats" } << QByteArray("UTF-8");
}

void tst_HunspellPair::expansion()
{
    QFETCH(QByteArray, aff);
    QFETCH(QByteArray, dic);
    QFETCH(QStringList, expected);
    QFETCH(QByteArray, unmunchEncoding);

    const Expanded expanded = expandPair(aff, dic);
    QVERIFY2(expanded.result, qPrintable(expanded.result.error()));
    QCOMPARE(sortedUnique(expanded.words), sortedUnique(expected));

    if (unmunchEncoding.isEmpty())
        return;
    if (!QFile::exists(Unmunch))
        QSKIP("unmunch (Debian package hunspell-tools) is not installed");
    const QString dicPath = pairPath(QTest::currentDataTag(), aff, dic);
    QVERIFY(!dicPath.isEmpty());
    QProcess unmunch;
    unmunch.start(Unmunch, { dicPath, dicPath.chopped(4) + QLatin1String(".aff") });
    QVERIFY(unmunch.waitForFinished(30000));
    QStringDecoder decoder(unmunchEncoding.constData());
    const QString output = decoder.decode(unmunch.readAllStandardOutput());
    QCOMPARE(sortedUnique(expanded.words), sortedUnique(output.split(u'\n', Qt::SkipEmptyParts)));
}

void tst_HunspellPair::hostileInput_data()
{
    QTest::addColumn<QByteArray>("aff");
    QTest::addColumn<QByteArray>("dic");
    QTest::addColumn<qint64>("maxWords");
    QTest::addColumn<QStringList>("expected"); // the words, or empty when refused
    QTest::addColumn<QString>("error");

    const QString tooMany = QStringLiteral("The dictionary holds more than %1 words once "
                                           "expanded; it is not used.");
    QTest::addRow("count line far beyond the stems")
        << QByteArray() << QByteArray("99999999999999999999\nword\n") << qint64(100)
        << QStringList { "word" } << QString();
    QTest::addRow("affix header promising more entries than follow")
        << QByteArray("SFX A Y 99999999\nSFX A 0 s .\n") << QByteArray("w/A\n") << qint64(100)
        << QStringList { "w", "ws" } << QString();
    QTest::addRow("suffix continuing itself stops after two")
        << QByteArray("SFX A Y 1\nSFX A 0 a/A .\n") << QByteArray("w/A\n") << qint64(100)
        << QStringList { "w", "wa", "waa" } << QString();
    QTest::addRow("alias number far beyond the aliases")
        << QByteArray("AF 1\nAF A\nSFX A Y 1\nSFX A 0 s .\n")
        << QByteArray("w/99999999999999999999999\nv/1\n") << qint64(100)
        << QStringList { "v", "vs", "w" } << QString();
    QTest::addRow("alias count far beyond the aliases")
        << QByteArray("AF 4294967296\nAF A\nSFX A Y 1\nSFX A 0 s .\n") << QByteArray("v/1\n")
        << qint64(100) << QStringList { "v", "vs" } << QString();
    QTest::addRow("truncated affix lines")
        << QByteArray("PFX A Y 3\nPFX A 0\nPFX A\nSFX B Y 1\nSFX B 0 s [^ab\nSFX")
        << QByteArray("w/AB\nb/B") << qint64(100) << QStringList { "b", "w", "ws" } << QString();
    QTest::addRow("unknown encoding")
        << QByteArray("SET X-NO-SUCH-CODE\n") << QByteArray("w\n") << qint64(100) << QStringList()
        << QStringLiteral("The dictionary: The affix file is written in the encoding "
                          "\"X-NO-SUCH-CODE\", which this program cannot read.");
    QTest::addRow("broken UTF-8 and control characters")
        << QByteArray("SET UTF-8\nSFX A Y 2\nSFX A 0 \x01 .\nSFX A 0 s .\n")
        << QByteArray("caf\xc3\nb\x0b"
                      "c/A\nok/A\n")
        << qint64(100) << QStringList { "caf\uFFFD", "ok", "oks" } << QString();
    QTest::addRow("more words than allowed")
        << QByteArray("SFX A Y 3\nSFX A 0 a .\nSFX A 0 b .\nSFX A 0 c .\n")
        << QByteArray("x/A\ny/A\n") << qint64(7) << QStringList() << tooMany.arg(7);
    QTest::addRow("exactly as many words as allowed")
        << QByteArray("SFX A Y 3\nSFX A 0 a .\nSFX A 0 b .\nSFX A 0 c .\n")
        << QByteArray("x/A\ny/A\n") << qint64(8)
        << QStringList { "x", "xa", "xb", "xc", "y", "ya", "yb", "yc" } << QString();
    QTest::addRow("twofold suffixes multiplying beyond the limit")
        << QByteArray("SFX A Y 5\nSFX A 0 a/A .\nSFX A 0 b/A .\nSFX A 0 c/A .\nSFX A 0 d/A .\n"
                      "SFX A 0 e/A .\n")
        << QByteArray("w/A\n").repeated(1000) << qint64(10000) << QStringList()
        << tooMany.arg(10000);

    // A million tries of conditions that never hold, and no word to show for them.
    QByteArray barren("NEEDAFFIX h\nSFX A Y 2000\n");
    for (int i = 0; i < 2000; ++i)
        barren += "SFX A 0 s q" + QByteArray::number(i) + '\n';
    QTest::addRow("affix rules that never match")
        << barren << QByteArray("w/Ah\n").repeated(1000) << qint64(10) << QStringList()
        << QStringLiteral("The dictionary has affix rules that take too long to expand; it is "
                          "not used.");

    // Every flag there is in one continuation, read for every stem.
    QByteArray wide("FLAG num\nNEEDAFFIX 1\nCIRCUMFIX 2\nSFX 3 Y 1\nSFX 3 0 s/2");
    for (int flag = 4; flag <= 65535; ++flag)
        wide += ',' + QByteArray::number(flag);
    QTest::addRow("continuation listing every flag")
        << wide + " .\n"
        << QByteArray("w/1,3\n").repeated(1000) << qint64(10) << QStringList()
        << QStringLiteral("The dictionary has affix rules that take too long to expand; it is "
                          "not used.");
}

void tst_HunspellPair::hostileInput()
{
    QFETCH(QByteArray, aff);
    QFETCH(QByteArray, dic);
    QFETCH(qint64, maxWords);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);

    const Expanded expanded = expandPair(aff, dic, maxWords);
    QVERIFY(expanded.words.size() <= maxWords);
    for (const QString &word : expanded.words) {
        QVERIFY(!word.isEmpty());
        QVERIFY2(!word.contains(u'\n') && !word.contains(u'\r') && !word.contains(u'\v'),
                 qPrintable(word));
        QVERIFY(QStringView(word).isValidUtf16());
    }
    if (error.isEmpty()) {
        QVERIFY2(expanded.result, qPrintable(expanded.result.error()));
        QCOMPARE(sortedUnique(expanded.words), expected);
    } else {
        QVERIFY(!expanded.result);
        QCOMPARE(expanded.result.error(), error);
    }
}

void tst_HunspellPair::fileErrorsNameTheFile()
{
    const QString dicPath
        = pairPath(QStringLiteral("limit"), "SFX A Y 1\nSFX A 0 s .\n", "2\none/A\ntwo/A\n");
    QVERIFY(!dicPath.isEmpty());
    const QString affPath = dicPath.chopped(4) + QLatin1String(".aff");
    const auto ignore = [](const QString &) {};

    Result result = HunspellPair::expandFiles(dicPath, affPath, ignore, {}, 3);
    QCOMPARE(result.error(),
             QStringLiteral("The dictionary %1 holds more than 3 words once expanded; it is not "
                            "used.")
                 .arg(dicPath));
    QVERIFY(HunspellPair::expandFiles(dicPath, affPath, ignore, {}, 4));

    // A device that never ends is read no further than a dictionary could be.
    result = HunspellPair::expandFiles(QStringLiteral("/dev/zero"), affPath, ignore);
    QCOMPARE(result.error(),
             QStringLiteral("/dev/zero is larger than 64 MB; it is not a dictionary this program "
                            "reads."));

    const QString missing = m_dir.filePath(QStringLiteral("missing.aff"));
    result = HunspellPair::expandFiles(dicPath, missing, ignore);
    QVERIFY(result.error().startsWith(QStringLiteral("Cannot read %1: ").arg(missing)));
    const Expected<DctBuilder::Statistics> built = HunspellPair::buildDictionary(
        dicPath, missing, m_dir.filePath(QStringLiteral("MISSING.DCT")));
    QVERIFY(!built);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("MISSING.DCT"))));
}

void tst_HunspellPair::buildDictionary()
{
    const QString dicPath
        = pairPath(QStringLiteral("small"),
                   "SET UTF-8\nNEEDAFFIX h\nFORBIDDENWORD !\nPFX U Y 1\nPFX U 0 un .\n"
                   "SFX S Y 2\nSFX S 0 s [^s]\nSFX S 0 es s\nSFX E Y 1\nSFX E 0 ed .\n",
                   "6\nlock/USE\nkiss/S\nCafé/S\nfrom/hU\nfoo/S\nfoos/!\n");
    QVERIFY(!dicPath.isEmpty());
    const QString dctPath = m_dir.filePath(QStringLiteral("SMALL.DCT"));
    const Expected<DctBuilder::Statistics> built = HunspellPair::buildDictionary(
        dicPath, dicPath.chopped(4) + QLatin1String(".aff"), dctPath);
    QVERIFY2(built, qPrintable(built.error()));
    // lock locks locked unlock unlocks unlocked kiss kisses café cafés unfrom foo
    QCOMPARE(built->words, 12);
    QCOMPARE(built->skipped, 0);

    ScriptedPrompter prompter;
    auto dictionary = TDictionary::create(&prompter);
    QVERIFY(dictionary);
    QVERIFY((*dictionary)->openMainDictionary(dctPath));
    const QStringList words { "lock", "unlocked", "unlocks", "kisses",
                              "Café", "cafés",    "unfrom",  "foo" };
    for (const QString &word : words)
        QVERIFY2((*dictionary)->isWord(word), qPrintable(word));
    const QStringList absent { "from", "foos", "kisss", "unkiss", "cafées", "lockses" };
    for (const QString &word : absent)
        QVERIFY2(!(*dictionary)->isWord(word), qPrintable(word));
}

void tst_HunspellPair::letterOutsideCodePageRefused()
{
    // Greek: the code page has a few Greek capitals but not these letters.
    const QString dicPath = pairPath(QStringLiteral("el"), "SET UTF-8\nSFX S Y 1\nSFX S ος οι ος\n",
                                     "3\nλόγος/S\nφίλος/S\nok\n");
    QVERIFY(!dicPath.isEmpty());
    const QString dctPath = m_dir.filePath(QStringLiteral("EL.DCT"));
    QVERIFY(writeFile(dctPath, "earlier"));
    const Expected<DctBuilder::Statistics> built = HunspellPair::buildDictionary(
        dicPath, dicPath.chopped(4) + QLatin1String(".aff"), dctPath);
    QVERIFY(!built);
    QCOMPARE(built.error(),
             QStringLiteral("The dictionary %1 is in a language whose letters the spell checker "
                            "cannot store: 4 of its 5 words would be left out. It is not built.")
                 .arg(dicPath));
    QFile dct(dctPath);
    QVERIFY(dct.open(QIODevice::ReadOnly));
    QCOMPARE(dct.readAll(), QByteArray("earlier"));
}

void tst_HunspellPair::progressAndCancel()
{
    QByteArray dic("500\n");
    for (int i = 0; i < 500; ++i)
        dic += "w" + QByteArray::number(i) + "/S\n";
    const QByteArray aff("SFX S Y 1\nSFX S 0 s .\n");

    QList<int> seen;
    qsizetype words = 0;
    Result result = HunspellPair::expand(
        dic, aff, [&](const QString &) { ++words; },
        [&](int percent) {
            seen.append(percent);
            return true;
        });
    QVERIFY(result);
    QCOMPARE(words, 1000);
    QCOMPARE(seen.first(), 0);
    QCOMPARE(seen.last(), 100);
    QVERIFY(std::is_sorted(seen.cbegin(), seen.cend()));
    QCOMPARE(seen.size(), 101);

    words = 0;
    result = HunspellPair::expand(
        dic, aff, [&](const QString &) { ++words; }, [](int percent) { return percent < 50; });
    QCOMPARE(result.error(), QStringLiteral("Cancelled."));
    QCOMPARE(words, 500); // the first 250 stems, two words each

    const QString dicPath = pairPath(QStringLiteral("cancel"), aff, dic);
    const QString dctPath = m_dir.filePath(QStringLiteral("CANCEL.DCT"));
    const Expected<DctBuilder::Statistics> built = HunspellPair::buildDictionary(
        dicPath, dicPath.chopped(4) + QLatin1String(".aff"), dctPath, [](int) { return false; });
    QCOMPARE(built.error(), QStringLiteral("Cancelled."));
    QVERIFY(!QFile::exists(dctPath));
}

QTEST_GUILESS_MAIN(tst_HunspellPair)
#include "tst_hunspellpair.moc"

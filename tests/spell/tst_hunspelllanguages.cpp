// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/hunspelllanguages.h"

#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

// Lays out a folder from entries: "NAME.dic" and "NAME.aff" are files,
// "LINK->TARGET" a symbolic link.
bool makeFolder(const QString &folder, const QStringList &entries)
{
    QDir().mkpath(folder);
    for (const QString &entry : entries) {
        const QString path = folder + QLatin1Char('/') + entry.section(QStringLiteral("->"), 0, 0);
        if (entry.contains(QStringLiteral("->"))) {
            if (!QFile::link(entry.section(QStringLiteral("->"), 1), path))
                return false;
        } else if (!TestEnvironment::writeFile(path, "1\nword\n")) {
            return false;
        }
    }
    return true;
}

QStringList namesOf(const QList<HunspellLanguages::Language> &languages)
{
    QStringList names;
    for (const HunspellLanguages::Language &language : languages)
        names << language.name;
    return names;
}

} // namespace

class tst_HunspellLanguages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void findsPairs_data();
    void findsPairs();
    void earlierFolderWins();
    void linkedNamePointsAtTheRealFiles();
    void displayNames_data();
    void displayNames();
    void foldersFromTheEnvironment();
};

void tst_HunspellLanguages::findsPairs_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("names"); // in the order offered

    QTest::addRow("pairs sorted by display name")
        << QStringList { "fr.dic", "fr.aff", "de_DE.dic", "de_DE.aff", "en_US.dic", "en_US.aff" }
        << QStringList { "en_US", "fr", "de_DE" }; // English, French, German
    QTest::addRow("lone .dic and lone .aff are no language")
        << QStringList { "nl.dic", "it.aff", "es.dic", "es.aff" } << QStringList { "es" };
    QTest::addRow("links to a listed pair are offered once, under the real name")
        << QStringList { "de_DE.dic",
                         "de_DE.aff",
                         "de_BE.dic->de_DE.dic",
                         "de_BE.aff->de_DE.aff",
                         "de_AT.dic->de_DE.dic",
                         "de_AT.aff->de_DE.aff" }
        << QStringList { "de_DE" };
    QTest::addRow("a name made only of links is offered")
        << QStringList { "real/pt_PT.dic", "real/pt_PT.aff", "pt_BR.dic->real/pt_PT.dic",
                         "pt_BR.aff->real/pt_PT.aff" }
        << QStringList { "pt_BR" };
    QTest::addRow("two links to one pair elsewhere: the first name")
        << QStringList { "real/x.dic",
                         "real/x.aff",
                         "sv_SE.dic->real/x.dic",
                         "sv_SE.aff->real/x.aff",
                         "sv_FI.dic->real/x.dic",
                         "sv_FI.aff->real/x.aff" }
        << QStringList { "sv_FI" };
    QTest::addRow("a dangling link is no language")
        << QStringList { "it_IT.dic->gone.dic", "it_IT.aff->gone.aff" } << QStringList {};
    QTest::addRow("a folder named .dic is no language")
        << QStringList { "ca.dic/x.aff", "ca.aff" } << QStringList {};
    QTest::addRow("other files ignored")
        << QStringList { "README", "hyph_de.dic.txt", "th_en_US.idx", "en_GB.dic", "en_GB.aff" }
        << QStringList { "en_GB" };
}

void tst_HunspellLanguages::findsPairs()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, names);
    QTemporaryDir dir;
    // Links are relative to their folder, as the distribution makes them.
    QVERIFY(makeFolder(dir.path(), entries));

    const QList<HunspellLanguages::Language> found = HunspellLanguages({ dir.path() }).languages();
    QCOMPARE(namesOf(found), names);
    for (const HunspellLanguages::Language &language : found) {
        QCOMPARE(language.dicPath, dir.filePath(language.name + QStringLiteral(".dic")));
        QCOMPARE(language.affPath, dir.filePath(language.name + QStringLiteral(".aff")));
        QCOMPARE(HunspellLanguages({ dir.path() }).find(language.name)->dicPath, language.dicPath);
    }
    QVERIFY(!HunspellLanguages({ dir.path() }).find(QStringLiteral("zz")));
}

void tst_HunspellLanguages::earlierFolderWins()
{
    QTemporaryDir dir;
    QVERIFY(makeFolder(dir.filePath(QStringLiteral("first")), { "de_DE.dic", "de_DE.aff" }));
    QVERIFY(makeFolder(dir.filePath(QStringLiteral("second")),
                       { "de_DE.dic", "de_DE.aff", "nl_NL.dic", "nl_NL.aff" }));
    const HunspellLanguages languages({ dir.filePath(QStringLiteral("first")),
                                        dir.filePath(QStringLiteral("missing")),
                                        dir.filePath(QStringLiteral("second")) });
    QCOMPARE(namesOf(languages.languages()), (QStringList { "nl_NL", "de_DE" }));
    QCOMPARE(languages.find(QStringLiteral("de_DE"))->dicPath,
             dir.filePath(QStringLiteral("first/de_DE.dic")));
}

void tst_HunspellLanguages::linkedNamePointsAtTheRealFiles()
{
    // A real file listed after links to it (de_AT before de_DE) takes the entry over.
    QTemporaryDir dir;
    QVERIFY(makeFolder(dir.path(),
                       { "de_DE.dic", "de_DE.aff", dir.filePath("de_DE.dic").prepend("de_AT.dic->"),
                         dir.filePath("de_DE.aff").prepend("de_AT.aff->") }));
    const QList<HunspellLanguages::Language> found = HunspellLanguages({ dir.path() }).languages();
    QCOMPARE(namesOf(found), QStringList { "de_DE" });
    QCOMPARE(found.first().displayName, QStringLiteral("German (Germany)"));
    QVERIFY(!HunspellLanguages({ dir.path() }).find(QStringLiteral("de_AT")));
}

void tst_HunspellLanguages::displayNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::addRow("language and territory") << "de_DE"
                                            << "German (Germany)";
    QTest::addRow("another territory") << "en_GB"
                                       << "English (United Kingdom)";
    QTest::addRow("language only") << "fr"
                                   << "French";
    QTest::addRow("variant after a hyphen") << "en_US-large"
                                            << "English (United States)";
    QTest::addRow("unknown language") << "xx_YY"
                                      << "xx_YY";
    QTest::addRow("unknown territory") << "de_QQ"
                                       << "de_QQ";
    QTest::addRow("not a code at all") << "medical"
                                       << "medical";
    QTest::addRow("empty") << ""
                           << "";
}

void tst_HunspellLanguages::displayNames()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QCOMPARE(HunspellLanguages::displayName(name), shown);
}

void tst_HunspellLanguages::foldersFromTheEnvironment()
{
    qunsetenv("TARNWICK_HUNSPELL_DIRS");
    QCOMPARE(HunspellLanguages::defaultFolders(), QStringList { "/usr/share/hunspell" });
    qputenv("TARNWICK_HUNSPELL_DIRS", "/a/b::/c");
    QCOMPARE(HunspellLanguages::defaultFolders(), (QStringList { "/a/b", "/c" }));
    qunsetenv("TARNWICK_HUNSPELL_DIRS");
}

QTEST_GUILESS_MAIN(tst_HunspellLanguages)
#include "tst_hunspelllanguages.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/entrytext.h"
#include "project/projecttree.h"

#include "support/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

using Entries = QList<ProjectTreeEntry>;
Q_DECLARE_METATYPE(Entries)

namespace {

Entries sample()
{
    return {
        { 1, "Company Site - company" },  { 2, "#Default Project Settings - PROJECT.INI" },
        { 2, "Price List - prices.htm" }, { 3, "Deeper - deep.htm" },
        { 2, "Zoo - zoo.htm" },           { 1, "Empty - empty" },
        { 1, "Shop - C:\\Sites\\shop" },  { 2, "\uff5e Caf\u00e9 \u2013 menu - caf\u00e9.htm" }
    };
}

} // namespace

class TestProjectTree final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void entryText_data();
    void entryText();
    void parse_data();
    void parse();
    void parseFailures_data();
    void parseFailures();
    void saveAndLoadRoundTrip();
    void serializeFormat();
    void oddTextsReadBackAsTheSameEntry_data();
    void oddTextsReadBackAsTheSameEntry();
    void saveRefusesWhatCannotBeRead();
    void firstTextReadsBackTheSame_data();
    void firstTextReadsBackTheSame();
    void saveKeepsThePreviousFile();
    void loadOrDefault();
    void navigation();
    void pageInsertRow_data();
    void pageInsertRow();
    void addAndRemove();
};

void TestProjectTree::entryText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("target");

    QTest::addRow("project") << "Company Site - company"
                             << "Company Site"
                             << "company";
    QTest::addRow("hyphen in the target") << "Prices - my-page.htm"
                                          << "Prices"
                                          << "my-page.htm";
    QTest::addRow("settings entry") << "#Default Project Settings - PROJECT.INI"
                                    << "#Default Project Settings"
                                    << "PROJECT.INI";
    QTest::addRow("no hyphen drops the first character") << "Welcome"
                                                         << ""
                                                         << "elcome";
    QTest::addRow("empty text") << ""
                                << ""
                                << "";
    QTest::addRow("hyphen only") << "-"
                                 << ""
                                 << "";
    QTest::addRow("hyphen last") << "a-"
                                 << ""
                                 << "";
    QTest::addRow("hyphen first") << "-x"
                                  << ""
                                  << "";
    QTest::addRow("no blanks around the hyphen") << "ab-cdef"
                                                 << "a"
                                                 << "def";
    QTest::addRow("empty description") << " - page.htm"
                                       << ""
                                       << "page.htm";
}

void TestProjectTree::entryText()
{
    QFETCH(QString, text);
    QFETCH(QString, description);
    QFETCH(QString, target);

    QCOMPARE(EntryText::EntryDescription(text), description);
    QCOMPARE(EntryText::EntryTarget(text), target);
}

void TestProjectTree::parse_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<Entries>("entries");

    const Entries two = { { 1, "P - p" }, { 2, "A - a.htm" } };
    QTest::addRow("CR LF") << QByteArray("P - p\r\n\tA - a.htm\r\n") << two;
    QTest::addRow("CR only") << QByteArray("P - p\r\tA - a.htm\r") << two;
    QTest::addRow("LF only") << QByteArray("P - p\n\tA - a.htm\n") << two;
    QTest::addRow("no final line end") << QByteArray("P - p\r\n\tA - a.htm") << two;
    QTest::addRow("blank instead of TAB") << QByteArray("P - p\r\n A - a.htm\r\n") << two;
    QTest::addRow("Ctrl+Z ends the data")
        << QByteArray("P - p\r\n\tA - a.htm\r\n\x1a\tB - b.htm\r\n") << two;
    QTest::addRow("empty and blank lines skipped")
        << QByteArray("\r\nP - p\r\n\r\n  \t\r\n\tA - a.htm\r\n\r\n") << two;
    QTest::addRow("empty file") << QByteArray() << Entries {};
    QTest::addRow("Ctrl+Z at once") << QByteArray("\x1aP - p\r\n") << Entries {};
    QTest::addRow("back out several levels")
        << QByteArray("P - p\r\n\tA - a\r\n\t\tB - b\r\n\t \tC - c\r\nQ - q\r\n")
        << Entries {
               { 1, "P - p" }, { 2, "A - a" }, { 3, "B - b" }, { 4, "C - c" }, { 1, "Q - q" }
           };
    QTest::addRow("UTF-8") << QByteArray("Caf\xc3\xa9 - caf\xc3\xa9\r\n")
                           << Entries { { 1, "Caf\u00e9 - caf\u00e9" } };
    QTest::addRow("Windows-1252") << QByteArray("Caf\xe9 \x96 x - caf\xe9\r\n")
                                  << Entries { { 1, "Caf\u00e9 \u2013 x - caf\u00e9" } };
    QTest::addRow("longest line that fits") << "P - "
            + QByteArray(4091, 'x') << Entries { { 1, "P - " + QString(4091, QLatin1Char('x')) } };
    // What this program writes for an empty description, and a hand-written
    // hyphen in front of the separator.
    QTest::addRow("empty description")
        << QByteArray("- p\r\n\t-\r\n") << Entries { { 1, "- p" }, { 2, "-" } };
    QTest::addRow("hyphen in the description")
        << QByteArray("Half-time - ht.htm\r\n") << Entries { { 1, "Half-time - ht.htm" } };
}

void TestProjectTree::parse()
{
    QFETCH(QByteArray, data);
    QFETCH(Entries, entries);

    const Expected<ProjectTree> tree = ProjectTree::parse(data);
    QVERIFY2(tree.ok(), qPrintable(tree.error()));
    QCOMPARE(tree->entries(), entries);
}

void TestProjectTree::parseFailures_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("error");

    const QString deep = "File load error at line %1: indented more than one level below the "
                         "line before it";
    const QString underNone = "File load error at line %1: indented under no entry";
    const QString tooLong = "Line too long at line %1: longer than 4095 bytes";
    const QString control = "File load error at line %1: control character U+%2, the file is "
                            "damaged";
    const QString noSeparator
        = "File load error at line %1: no \" - \" between description and target";

    QTest::addRow("two TABs under a project")
        << QByteArray("P - p\r\n\t\tA - a.htm\r\n") << deep.arg(2);
    QTest::addRow("indented first line") << QByteArray("\tA - a.htm\r\n") << underNone.arg(1);
    QTest::addRow("indented first line after blank lines")
        << QByteArray("\r\n\r\n A - a.htm\r\n") << underNone.arg(3);
    QTest::addRow("10,000-character line") << QByteArray("P - p\r\n\t") + QByteArray(10000, 'x')
            + "\r\n" << tooLong.arg(2);
    QTest::addRow("line one byte over the buffer") << QByteArray(4096, 'x') << tooLong.arg(1);
    QTest::addRow("long line without any line end") << QByteArray(100000, '\t') << tooLong.arg(1);
    // What random bytes look like: taken for entries they would be written back at exit.
    QTest::addRow("NUL in a page entry")
        << QByteArray("P - p\r\n\tA - a\0.htm\r\n", 20) << control.arg(2).arg("0000");
    QTest::addRow("escape in a project entry")
        << QByteArray("P - p\x1b[0m\r\n") << control.arg(1).arg("001B");
    QTest::addRow("DEL") << QByteArray("P - p\r\n\x7f - x\r\n") << control.arg(2).arg("007F");
    QTest::addRow("byte Windows-1252 leaves undefined")
        << QByteArray("P - p\r\n\tA - \x81.htm\r\n") << control.arg(2).arg("0081");
    QTest::addRow("C1 control written as UTF-8")
        << QByteArray("P - \xc2\x85p\r\n") << control.arg(1).arg("0085");
    QTest::addRow("entry without a separator")
        << QByteArray("P - p\r\n\tjust some words\r\n") << noSeparator.arg(2);
    QTest::addRow("hyphen without blanks") << QByteArray("P-p\r\n") << noSeparator.arg(1);
}

void TestProjectTree::parseFailures()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, error);

    const Expected<ProjectTree> tree = ProjectTree::parse(data);
    QVERIFY(!tree.ok());
    QCOMPARE(tree.error(), error);
}

void TestProjectTree::saveAndLoadRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.dat"));
    const ProjectTree tree(sample());
    QVERIFY(tree.save(path));
    const Expected<ProjectTree> loaded = ProjectTree::load(path);
    QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
    QCOMPARE(loaded->entries(), sample());

    // A failed save leaves the file as it was.
    QVERIFY(!ProjectTree::defaultTree().save(dir.path()));
    QVERIFY(!ProjectTree::defaultTree().save(path + QStringLiteral("/x")));
    QCOMPARE(ProjectTree::load(path)->entries(), sample());
}

void TestProjectTree::serializeFormat()
{
    const ProjectTree tree({ { 1, "P - p" }, { 2, "A - a.htm" }, { 3, "B - b" } });
    QCOMPARE(tree.serialize(), QByteArray("P - p\r\n\tA - a.htm\r\n\t\tB - b\r\n"));
}

void TestProjectTree::oddTextsReadBackAsTheSameEntry_data()
{
    QTest::addColumn<QString>("text");

    QTest::addRow("empty description") << " - page.htm";
    QTest::addRow("leading TAB") << "\tTabbed - t.htm";
    QTest::addRow("line break") << "Two\r\nlines - two.htm";
    QTest::addRow("line break first") << "\r\nFirst - first.htm";
    QTest::addRow("Ctrl+Z and TAB first") << "\x1a\tFirst - first.htm";
    QTest::addRow("Ctrl+Z") << "Stop\x1ahere - stop.htm";
    QTest::addRow("empty") << "";
}

void TestProjectTree::oddTextsReadBackAsTheSameEntry()
{
    QFETCH(QString, text);

    const ProjectTree tree({ { 1, "P - p" }, { 2, text }, { 2, "Z - z.htm" }, { 1, "Q - q" } });
    const Expected<ProjectTree> back = ProjectTree::parse(tree.serialize());
    QVERIFY2(back.ok(), qPrintable(back.error()));
    QCOMPARE(back->size(), tree.size());
    for (int row = 0; row < tree.size(); ++row) {
        QCOMPARE(back->entry(row).level, tree.entry(row).level);
        QCOMPARE(EntryText::EntryTarget(back->entry(row).text),
                 EntryText::EntryTarget(tree.entry(row).text));
    }
}

void TestProjectTree::saveRefusesWhatCannotBeRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.dat"));
    QVERIFY(ProjectTree::defaultTree().save(path));
    const ProjectTree tooLong({ { 1, "P - " + QString(5000, QLatin1Char('p')) } });
    const Result r = tooLong.save(path);
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("Line too long")));
    QCOMPARE(ProjectTree::load(path)->entries(), ProjectTree::defaultTree().entries());
}

void TestProjectTree::firstTextReadsBackTheSame_data()
{
    QTest::addColumn<QString>("text");

    // QStringLiteral: converting from UTF-8 would drop the leading U+FEFF.
    QTest::addRow("plain") << QStringLiteral("P - p");
    QTest::addRow("starts with U+FEFF") << QStringLiteral("\uFEFFP - p");
    QTest::addRow("U+FEFF then TAB") << QStringLiteral("\uFEFF\tP - p");
    QTest::addRow("two U+FEFF") << QStringLiteral("\uFEFF\uFEFFP - p");
    QTest::addRow("U+FEFF as the description") << QStringLiteral("\uFEFF - p");
}

// The first line is where the reader looks for a byte-order mark.
void TestProjectTree::firstTextReadsBackTheSame()
{
    QFETCH(QString, text);

    const ProjectTree tree({ { 1, text }, { 2, "A - a.htm" } });
    const Expected<ProjectTree> back = ProjectTree::parse(tree.serialize());
    QVERIFY2(back.ok(), qPrintable(back.error()));
    QCOMPARE(back->entries(), tree.entries());
}

void TestProjectTree::saveKeepsThePreviousFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.dat"));
    const QString backup = dir.filePath(QStringLiteral("project.dat.bak"));
    QCOMPARE(ProjectTree::backupPath(path), backup);
    const auto bytesOf = [](const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
    };

    // Nothing to keep the first time.
    QVERIFY(ProjectTree::defaultTree().save(path));
    QVERIFY(!QFileInfo::exists(backup));

    // One generation: a change keeps the list before it.
    QVERIFY(ProjectTree(sample()).save(path));
    QCOMPARE(bytesOf(backup), ProjectTree::defaultTree().serialize());

    // An unchanged list is not rewritten, so the copy survives another exit.
    QVERIFY(ProjectTree(sample()).save(path));
    QCOMPARE(bytesOf(backup), ProjectTree::defaultTree().serialize());

    // A list damaged behind the program's back never replaces the good copy.
    QByteArray damaged;
    for (int i = 0; i < 3000; ++i)
        damaged += char((i * 7919 + 13) % 251);
    QVERIFY(TestEnvironment::writeFile(path, damaged));
    const ProjectTree other({ { 1, "Other - x" } });
    QVERIFY(other.save(path));
    QCOMPARE(bytesOf(backup), ProjectTree::defaultTree().serialize());
    QCOMPARE(ProjectTree::load(path)->entries(), other.entries());

    // Back to sound lists: the next change keeps the one before it.
    QVERIFY(ProjectTree(sample()).save(path));
    QCOMPARE(bytesOf(backup), other.serialize());

    // No copy, no rewrite.
    QVERIFY(QFile::remove(backup));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("project.dat.bak")));
    const Result refused = ProjectTree::defaultTree().save(path);
    QVERIFY(!refused.ok());
    QVERIFY2(refused.error().contains(backup), qPrintable(refused.error()));
    QCOMPARE(ProjectTree::load(path)->entries(), sample());
}

void TestProjectTree::loadOrDefault()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.dat"));
    const Expected<ProjectTree> missing = ProjectTree::loadOrDefault(path);
    QVERIFY(missing.ok());
    QCOMPARE(missing->entries(),
             (Entries { { 1, "Welcome - Welcome" },
                        { 2, "International Vendors - internat.htm" },
                        { 2, "Readme File - readme.htm" },
                        { 2, "Safesurf Ratings Explanation - ssplan.htm" },
                        { 2, "Update notices - updates.htm" } }));
    QVERIFY(!QFileInfo::exists(path));

    QVERIFY(TestEnvironment::writeFile(path, QByteArray()));
    QVERIFY(ProjectTree::loadOrDefault(path)->isEmpty());
    QVERIFY(TestEnvironment::writeFile(path, "\tBad - bad.htm\r\n"));
    // Which file, which line, why.
    QCOMPARE(ProjectTree::loadOrDefault(path).error(),
             QString("File load error in " + path + " at line 1: indented under no entry"));
}

void TestProjectTree::navigation()
{
    const ProjectTree tree(sample());
    QCOMPARE(tree.projectRows(), (QList<int> { 0, 5, 6 }));
    QCOMPARE(tree.pageRowsOf(0), (QList<int> { 1, 2, 4 }));
    QCOMPARE(tree.pageRowsOf(5), QList<int> {});
    QCOMPARE(tree.pageRowsOf(6), QList<int> { 7 });
    QCOMPARE(tree.pageRowsOf(1), QList<int> {});
    QCOMPARE(tree.projectRowOf(3), 0);
    QCOMPARE(tree.projectRowOf(5), 5);
    QCOMPARE(tree.projectRowOf(7), 6);
    QCOMPARE(tree.projectRowOf(8), -1);
}

void TestProjectTree::pageInsertRow_data()
{
    QTest::addColumn<int>("projectRow");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");

    QTest::addRow("between settings and Price List") << 0 << "About - about.htm" << 2;
    QTest::addRow("lower case after upper case, past nested entries") << 0 << "about - a.htm" << 5;
    QTest::addRow("equal text goes before") << 0 << "Zoo - zoo.htm" << 4;
    QTest::addRow("digits before letters, after #") << 0 << "1998 - old.htm" << 2;
    QTest::addRow("project without pages") << 5 << "A - a.htm" << 6;
    QTest::addRow("after the last page of the last project") << 6 << "\uff5f - z.htm" << 8;
    QTest::addRow("byte order of UTF-8, not of UTF-16") << 6 << "\U0001F600 - y.htm" << 8;
    QTest::addRow("before a greater non-ASCII text") << 6 << "\uff5d - y.htm" << 7;
    QTest::addRow("not a project") << 1 << "A - a.htm" << -1;
    QTest::addRow("out of range") << 42 << "A - a.htm" << -1;
}

void TestProjectTree::pageInsertRow()
{
    QFETCH(int, projectRow);
    QFETCH(QString, text);
    QFETCH(int, row);

    ProjectTree tree(sample());
    QCOMPARE(tree.pageInsertRow(projectRow, text), row);
    QCOMPARE(tree.addPage(projectRow, text), row);
    if (row >= 0) {
        QCOMPARE(tree.entry(row), (ProjectTreeEntry { 2, text }));
        QCOMPARE(tree.projectRowOf(row), projectRow);
    } else {
        QCOMPARE(tree.entries(), sample());
    }
}

void TestProjectTree::addAndRemove()
{
    ProjectTree tree(sample());
    QCOMPARE(tree.addProject(QStringLiteral("New - new")), 8);
    QCOMPARE(tree.entry(8), (ProjectTreeEntry { 1, "New - new" }));

    tree.removeEntry(2); // a page with a nested entry
    QCOMPARE(tree.pageRowsOf(0), (QList<int> { 1, 2 }));
    QCOMPARE(tree.entry(2).text, QStringLiteral("Zoo - zoo.htm"));
    tree.removeEntry(0); // a project with its pages
    QCOMPARE(tree.projectRows(), (QList<int> { 0, 1, 3 }));
}

QTEST_GUILESS_MAIN(TestProjectTree)
#include "tst_projecttree.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/filesearch.h"
#include "project/tsearchform.h"

#include "support/scriptedprompter.h"
#include "support/testenvironment.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

void program(const QString &path, bool executable = true)
{
    TestEnvironment::writeFile(path, "#!/bin/sh\n");
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner
                              | (executable ? QFileDevice::ExeOwner : QFileDevice::Permissions()));
}

QStringList entries(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class TestSearchForm final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void init();

    void searchFiles_data();
    void searchFiles();
    void callbacksStopTheWalk();
    void dialogListsExecutablesOnly();
    void noMatch();
    void okTakesTheSelectedEntry();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_tree;
    ScriptedPrompter m_prompter;
};

void TestSearchForm::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_tree = m_dir->filePath("tree");
    program(m_tree + "/a/netscape.exe");
    program(m_tree + "/b/c/NETSCAPE.EXE");
    program(m_tree + "/b/iexplore.exe");
    program(m_tree + "/b/netscape.exe.txt");
    program(m_tree + "/d/netscape.exe", false);
    // A link back up the tree: followed, the walk would never end.
    QVERIFY(QFile::link(m_tree, m_tree + "/b/c/loop"));
    m_prompter.clear();
}

void TestSearchForm::searchFiles_data()
{
    QTest::addColumn<QStringList>("masks");
    QTest::addColumn<bool>("recursive");
    QTest::addColumn<QStringList>("skipped"); // below the tree
    QTest::addColumn<QStringList>("found"); // below the tree, in walk order

    QTest::addRow("two copies and a third spelling")
        << QStringList { "netscape.exe" } << true << QStringList()
        << QStringList { "a/netscape.exe", "b/c/NETSCAPE.EXE", "d/netscape.exe" };
    QTest::addRow("wildcards, several masks")
        << QStringList { "ie*.exe", "*.txt" } << true << QStringList()
        << QStringList { "b/iexplore.exe", "b/netscape.exe.txt" };
    QTest::addRow("not recursive")
        << QStringList { "*" } << false << QStringList() << QStringList();
    QTest::addRow("skipped directories")
        << QStringList { "netscape.exe" } << true << QStringList { "b" }
        << QStringList { "a/netscape.exe", "d/netscape.exe" };
    QTest::addRow("no match") << QStringList { "firefox" } << true << QStringList()
                              << QStringList();
}

void TestSearchForm::searchFiles()
{
    QFETCH(QStringList, masks);
    QFETCH(bool, recursive);
    QFETCH(QStringList, skipped);
    for (QString &path : skipped)
        path = m_tree + "/" + path;
    QStringList found;
    const bool finished = FileSearch::SearchFiles(
        m_tree, masks, recursive,
        [&](const QString &directory, const QFileInfo &entry) {
            found.append(QDir(m_tree).relativeFilePath(directory + "/" + entry.fileName()));
            return true;
        },
        {}, skipped);
    QVERIFY(finished);
    QTEST(found, "found");
}

void TestSearchForm::callbacksStopTheWalk()
{
    int calls = 0;
    QVERIFY(
        !FileSearch::SearchFiles(m_tree, { "*.exe" }, true,
                                 [&](const QString &, const QFileInfo &) { return ++calls < 2; }));
    QCOMPARE(calls, 2);
    QStringList entered;
    QVERIFY(!FileSearch::SearchFiles(
        m_tree, { "*" }, true, [](const QString &, const QFileInfo &) { return true; },
        [&](const QString &directory) {
            entered.append(directory);
            return entered.size() < 3;
        }));
    QCOMPARE(entered, QStringList({ m_tree, m_tree + "/a", m_tree + "/b" }));
}

void TestSearchForm::dialogListsExecutablesOnly()
{
    TSearchForm form(&m_prompter, { m_tree });
    QCOMPARE(form.windowTitle(), QStringLiteral("Search "));
    QCOMPARE(form.findChild<QComboBox *>("DriveComboBox1")->currentText(), m_tree);
    QCOMPARE(TSearchForm::masks("  mybrowser ").mid(0, 2),
             QStringList({ "netscape.exe", "ie*.exe" }));
    QCOMPARE(TSearchForm::masks("mybrowser").constLast(), QStringLiteral("mybrowser"));
    QVERIFY(TSearchForm::masks("").contains("firefox"));
    program(m_tree + "/a/mybrowser");
    form.findChild<QLineEdit *>("AdditionalBrowser")->setText("MyBrowser");
    form.findChild<QPushButton *>("Search")->click();
    QCOMPARE(entries(form.findChild<QListWidget *>("ListBox1")),
             QStringList({ m_tree + "/a/mybrowser", m_tree + "/a/netscape.exe",
                           m_tree + "/b/iexplore.exe", m_tree + "/b/c/NETSCAPE.EXE" }));
    QVERIFY(m_prompter.texts().isEmpty());
    QVERIFY(!form.searching());
    QVERIFY(!form.findChild<QPushButton *>("Stop")->isEnabled());
    QVERIFY(form.findChild<QPushButton *>("Search")->isEnabled());
}

void TestSearchForm::noMatch()
{
    QDir(m_tree).removeRecursively();
    program(m_tree + "/x/notes.txt");
    TSearchForm form(&m_prompter, { m_tree });
    form.SearchClick();
    QCOMPARE(m_prompter.texts(), QStringList { "No files matching the mask were found!" });
    QCOMPARE(m_prompter.messages().constFirst().kind, Prompter::Kind::Information);
}

void TestSearchForm::okTakesTheSelectedEntry()
{
    TSearchForm form(&m_prompter, { m_tree });
    form.SearchClick();
    QListWidget *results = form.findChild<QListWidget *>("ListBox1");
    QCOMPARE(form.selectedEntry(), QString()); // results, but none chosen
    results->setCurrentRow(1);
    QCOMPARE(form.selectedEntry(), m_tree + "/b/iexplore.exe");
}

QTEST_MAIN(TestSearchForm)
#include "tst_tsearchform.moc"

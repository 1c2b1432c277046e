// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectoutline.h"

#include "support/testenvironment.h"

#include <QSignalSpy>
#include <QTest>

using namespace Tarnwick;

namespace {

ProjectTree sampleTree()
{
    return ProjectTree({ { 1, "Company Site - company" },
                         { 2, "#Default Project Settings - PROJECT.INI" },
                         { 2, "Zoo - zoo.htm" },
                         { 3, "Deeper - deep.htm" },
                         { 1, "Shop - C:\\Sites\\shop" },
                         { 2, "Prices - my-page.htm" },
                         { 1, "Empty - empty" } });
}

} // namespace

class TestProjectOutline final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void init();
    void cleanup();

    void identity();
    void treeRoundTrip();
    void selection_data();
    void selection();
    void addThePage_data();
    void addThePage();
    void addThePageWithoutProject();
    void openRequests_data();
    void openRequests();

private:
    std::unique_ptr<ProjectOutline> m_outline;
};

void TestProjectOutline::init()
{
    m_outline = std::make_unique<ProjectOutline>();
    m_outline->setProgramDirectory(QStringLiteral("/home/u/tw/"));
    m_outline->setTree(sampleTree());
}

void TestProjectOutline::cleanup()
{
    m_outline.reset();
}

void TestProjectOutline::identity()
{
    QCOMPARE(m_outline->objectName(), QStringLiteral("Outline1"));
    QCOMPARE(m_outline->toolTip(),
             QStringLiteral("Double click to open page or right click for popup menu"));
    QVERIFY(m_outline->isHeaderHidden());
}

void TestProjectOutline::treeRoundTrip()
{
    QCOMPARE(m_outline->tree(), sampleTree());
    QCOMPARE(m_outline->topLevelItemCount(), 3);
    QCOMPARE(m_outline->topLevelItem(0)->child(1)->child(0)->text(0),
             QStringLiteral("Deeper - deep.htm"));

    m_outline->setTree(ProjectTree());
    QCOMPARE(m_outline->topLevelItemCount(), 0);
    QVERIFY(m_outline->tree().isEmpty());
    QCOMPARE(m_outline->GetSelectedProjectDir(), QString());
}

void TestProjectOutline::selection_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("projectDir");
    QTest::addColumn<QString>("filename");

    QTest::addRow("nothing selected") << -1 << 0 << ""
                                      << "";
    QTest::addRow("project entry") << 0 << 1 << "/home/u/tw/company"
                                   << "/home/u/tw/company/company";
    QTest::addRow("settings entry") << 1 << 2 << "/home/u/tw/company"
                                    << "/home/u/tw/company/PROJECT.INI";
    QTest::addRow("page with hyphen in its name") << 5 << 2 << "C:\\Sites\\shop"
                                                  << "C:\\Sites\\shop/my-page.htm";
    QTest::addRow("nested entry keeps its project") << 3 << 3 << "/home/u/tw/company"
                                                    << "/home/u/tw/company/deep.htm";
}

void TestProjectOutline::selection()
{
    QFETCH(int, row);
    QFETCH(int, level);
    QFETCH(QString, projectDir);
    QFETCH(QString, filename);

    m_outline->setCurrentRow(row);
    QCOMPARE(m_outline->currentRow(), row);
    QCOMPARE(m_outline->selectedLevel(), level);
    QCOMPARE(m_outline->selectedIsProject(), level == 1);
    QCOMPARE(m_outline->selectedIsPage(), level == 2);
    QCOMPARE(m_outline->GetSelectedProjectDir(), projectDir);
    QCOMPARE(m_outline->GetSelectedFilename(), filename);
}

void TestProjectOutline::addThePage_data()
{
    QTest::addColumn<int>("selectedRow");
    QTest::addColumn<int>("projectRow");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("newRow");

    QTest::addRow("between settings entry and Zoo, from a page selection")
        << 2 << -1 << "About - about.htm" << 2;
    QTest::addRow("lower case after Zoo and its nested entry") << 0 << -1 << "about - a.htm" << 4;
    QTest::addRow("first child of a project without pages") << 6 << -1 << "A - a.htm" << 7;
    QTest::addRow("given project, selection kept") << 1 << 4 << "Zed - z.htm" << 6;
    QTest::addRow("given row that is no project") << 1 << 2 << "A - a.htm" << -1;
}

void TestProjectOutline::addThePage()
{
    QFETCH(int, selectedRow);
    QFETCH(int, projectRow);
    QFETCH(QString, text);
    QFETCH(int, newRow);

    m_outline->setCurrentRow(selectedRow);
    const QString selectedBefore = m_outline->selectedText();
    QCOMPARE(m_outline->AddThePage(text, projectRow), newRow);

    ProjectTree expected = sampleTree();
    const int project = projectRow >= 0 ? projectRow : expected.projectRowOf(selectedRow);
    QCOMPARE(expected.addPage(project, text), newRow);
    QCOMPARE(m_outline->tree(), expected);

    if (projectRow < 0) {
        QCOMPARE(m_outline->currentRow(), newRow);
        QCOMPARE(m_outline->selectedText(), text);
    } else {
        QCOMPARE(m_outline->selectedText(), selectedBefore);
    }
}

void TestProjectOutline::addThePageWithoutProject()
{
    m_outline->setCurrentRow(-1);
    QCOMPARE(m_outline->AddThePage(QStringLiteral("A - a.htm")), -1);
    QCOMPARE(m_outline->tree(), sampleTree());
}

void TestProjectOutline::openRequests_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<bool>("direct");

    QTest::addRow("double click on a page") << 5 << "double click" << true << false;
    QTest::addRow("Enter on a page") << 5 << "Enter" << true << false;
    QTest::addRow("Return on the settings entry") << 1 << "Return" << true << false;
    QTest::addRow("F3 on a page") << 5 << "F3" << true << true;
    QTest::addRow("double click on a project") << 0 << "double click" << false << false;
    QTest::addRow("Enter on a project") << 4 << "Enter" << false << false;
    QTest::addRow("F3 on a project") << 0 << "F3" << false << false;
}

void TestProjectOutline::openRequests()
{
    QFETCH(int, row);
    QFETCH(QString, gesture);
    QFETCH(bool, sent);
    QFETCH(bool, direct);

    m_outline->expandAll();
    m_outline->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_outline.get()));
    m_outline->setCurrentRow(row);
    const QString expectedPath = m_outline->GetSelectedFilename();
    QSignalSpy spy(m_outline.get(), &ProjectOutline::pageOpenRequested);

    if (gesture == QLatin1String("double click")) {
        const QRect rect = m_outline->visualItemRect(m_outline->currentItem());
        QVERIFY(rect.isValid());
        // The view only takes a double click on the item the first click pressed.
        QTest::mouseClick(m_outline->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(m_outline->viewport(), Qt::LeftButton, {}, rect.center());
    } else {
        const Qt::Key key = gesture == QLatin1String("F3") ? Qt::Key_F3
            : gesture == QLatin1String("Enter")            ? Qt::Key_Enter
                                                           : Qt::Key_Return;
        QTest::keyClick(m_outline.get(), key);
    }

    QCOMPARE(spy.size(), sent ? 1 : 0);
    if (sent) {
        QCOMPARE(spy.at(0).at(0).toString(), expectedPath);
        QCOMPARE(spy.at(0).at(1).toBool(), direct);
    }
}

QTEST_MAIN(TestProjectOutline)
#include "tst_projectoutline.moc"

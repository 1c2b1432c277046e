// SPDX-License-Identifier: GPL-3.0-or-later
// The user's tags in the main window: where their items sit, the stored
// special characters and the custom pages' settings from start to exit.
#include "app/mainwindow.h"
#include "app/openpages.h"
#include "app/settings.h"
#include "app/tips.h"
#include "mainwindowsession.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "tags/custompage.h"
#include "tags/powerbook.h"
#include "tags/tagcommands.h"
#include "tags/usertagcommands.h"
#include "testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Tarnwick;

namespace {

using Session = MainWindowSession;

QMenu *menuNamed(QMainWindow &w, const QString &title)
{
    for (QAction *a : w.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

QStringList texts(const QList<QAction *> &actions)
{
    QStringList result;
    for (QAction *a : actions)
        if (!a->isSeparator())
            result << a->text();
    return result;
}

// Tab captions of the shown custom pages.
QStringList shownCustomPages(MainWindow &w)
{
    auto *book = w.findChild<PowerBook *>("PowerBook");
    QStringList shown;
    for (int page = 0; page < 4; ++page) {
        const int index = book->indexOf(w.userTags()->customPage(page));
        if (book->isTabVisible(index))
            shown << book->tabText(index);
    }
    return shown;
}

} // namespace

class TestUserTags final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void itemsInTheirMenus();
    void specialCharactersStoredAtFirstStart();
    void customPagesFollowTheSettings();
};

void TestUserTags::itemsInTheirMenus()
{
    Session s;
    TestEnvironment::writeFile(s.home() + "blkhlght.mnu", "P - Paragraph\r\n");
    MainWindow &w = s.start();
    QMenu *codes = menuNamed(w, "HTML &Codes");
    QVERIFY(codes);
    QCOMPARE(texts(codes->actions()).mid(0, 5),
             QStringList({ "&Block Tags", "&Text Attributes", "&Additional Tags", "&Headings",
                           "&Modify Menu Tags..." }));
    QCOMPARE(texts(codes->actions().first()->menu()->actions()), QStringList { "P - Paragraph" });
    // Without a page the entries do nothing, so they are off.
    QVERIFY(!codes->actions().first()->isEnabled());
    const QStringList options = texts(menuNamed(w, "&Options")->actions());
    QVERIFY(options.indexOf("&General Preferences...") < options.indexOf("Customize Buttons..."));
    QVERIFY(options.indexOf("Customize Buttons...") < options.indexOf("Toggle Internal Clipboard"));
    QCOMPARE(options.last(), QString("Special Characters..."));
}

void TestUserTags::specialCharactersStoredAtFirstStart()
{
    Session s;
    s.start();
    QCOMPARE(s.settings->store().value("SpecialCharacters/Spec8").toString(), QString("<|&lt;"));
    QCOMPARE(s.settings->store().value("SpecialCharacters/Setup").toInt(), 1);
    QVERIFY(!s.settings->store().contains("SpecialCharacters/Spec11"));
}

void TestUserTags::customPagesFollowTheSettings()
{
    Session s;
    s.store("Defaults/ShowCustom2", 1);
    s.store("Defaults/Custom2caption", "Mine");
    s.store("Defaults/ShowCustom4", 1);
    MainWindow &w = s.start();
    QCOMPARE(shownCustomPages(w), QStringList({ "Mine", "Custom 4" }));

    bool filled = false;
    QTimer::singleShot(0, &w, [&filled] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        dialog->findChild<QCheckBox *>("ShowCustom1")->setChecked(true);
        dialog->findChild<QCheckBox *>("ShowCustom4")->setChecked(false);
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        for (QAbstractButton *b : buttons->buttons())
            if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole)
                b->click();
        filled = true;
    });
    for (QAction *a : menuNamed(w, "&Options")->actions())
        if (a->text() == "&General Preferences...")
            a->trigger();
    QVERIFY(filled);
    QCOMPARE(shownCustomPages(w), QStringList({ "Custom 1", "Mine" }));

    w.close();
    QCOMPARE(s.stored("Defaults/Custom1caption").toString(), QString("Custom 1"));
    QCOMPARE(s.stored("Defaults/Custom2caption").toString(), QString("Mine"));
    QCOMPARE(s.stored("Defaults/ShowCustom1").toInt(), 1);
    QCOMPARE(s.stored("Defaults/ShowCustom4").toInt(), 0);
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestUserTags test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_usertags.moc"

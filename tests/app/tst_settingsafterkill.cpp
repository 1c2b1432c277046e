// SPDX-License-Identifier: GPL-3.0-or-later
// Settings changed while the program runs survive a run that is killed.
#include "app/mainwindow.h"
#include "app/programrun.h"
#include "app/settings.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>

using namespace Tarnwick;
using namespace Qt::StringLiterals;

namespace {

const char changeRole[] = "--play-change";

QAction *optionsItem(MainWindow &window, const QString &caption)
{
    for (QAction *item : window.optionsMenu()->actions()) {
        if (item->text() == caption)
            return item;
    }
    return nullptr;
}

// Ticks "Auto update HTML viewer" in the general preferences and confirms.
bool tickAutoUpdate(MainWindow &window)
{
    QAction *preferences = optionsItem(window, u"&General Preferences..."_s);
    if (!preferences)
        return false;
    bool ticked = false;
    QTimer::singleShot(0, &window, [&ticked] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        auto *box = dialog->findChild<QCheckBox *>(u"AutoUpdate"_s);
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        if (!box || !buttons)
            return;
        // Ticking warns about the cost first: the scripted user reads it.
        box->setChecked(true);
        for (QAbstractButton *button : buttons->buttons()) {
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
                ticked = true;
                button->click();
            }
        }
    });
    preferences->trigger();
    return ticked;
}

// Makes one change the way a user does, waits until the program has written
// it and says "ready". Then it runs until it is killed.
int playChange(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString change = arguments.value(2);
    auto *store = new QSettings(arguments.value(4), QSettings::IniFormat);
    // No tip windows: nobody is there to close them.
    store->setValue("Helpers/ShowTipOfTheDay", false);
    store->setValue("Helpers/ImageDisplaying", false);
    Settings settings { std::unique_ptr<QSettings>(store) };
    ScriptedPrompter prompter;
    ProgramRun program(arguments.value(3), &prompter, &settings);
    program.start({});
    MainWindow &window = program.window();
    QSignalSpy saved(&window, &MainWindow::settingsSaved);

    if (change == "preferences") {
        if (!tickAutoUpdate(window))
            return 2;
    } else if (change == "menu") {
        QAction *images = optionsItem(window, u"&View inline images"_s);
        if (!images || !images->isChecked())
            return 2;
        images->trigger();
    } else {
        return 2;
    }
    // Other values the start itself set may be written first.
    const auto stored = [&] {
        const bool changed = change == "preferences" ? settings.Defaults.AutoUpdate
                                                     : !settings.Defaults.ShowImages;
        return changed && !settings.changedSinceSave();
    };
    while (!stored()) {
        if (!saved.wait(TestEnvironment::signalBound))
            return 3;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    // Should nobody kill it, it does not run for ever.
    QTimer::singleShot(300000, &application, &QCoreApplication::quit);
    return application.exec();
}

} // namespace

class TestSettingsAfterKill final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void changeSurvivesKill_data();
    void changeSurvivesKill();
};

void TestSettingsAfterKill::changeSurvivesKill_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");

    QTest::addRow("preferences dialog confirmed") << "preferences"
                                                  << "Defaults/AutoUpdate" << 1;
    QTest::addRow("checked menu item") << "menu"
                                       << "Defaults/ShowImages" << 0;
}

void TestSettingsAfterKill::changeSurvivesKill()
{
    QFETCH(QString, change);
    QFETCH(QString, key);
    QFETCH(int, value);

    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    const QString store = dir.filePath("Tarnwick.conf");
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(QCoreApplication::applicationFilePath(),
              { QString::fromLatin1(changeRole), change, home, store });
    QByteArray output;
    while (!output.contains('\n')) {
        if (!run.waitForReadyRead(TestEnvironment::signalBound)) {
            run.kill();
            run.waitForFinished(TestEnvironment::signalBound);
            QFAIL(qPrintable("the run did not get ready: exit code "
                             + QString::number(run.exitCode())));
        }
        output += run.readAllStandardOutput();
    }
    QCOMPARE(output.trimmed(), QByteArray("ready"));
    run.kill(); // SIGKILL: no exit code of the program runs
    QVERIFY(run.waitForFinished(TestEnvironment::signalBound));
    QCOMPARE(run.exitStatus(), QProcess::CrashExit);

    QSettings written(store, QSettings::IniFormat);
    QCOMPARE(written.value(key).toInt(), value);
    // The whole set is there, not just the one value.
    for (const Settings::Key &stored : Settings::keys())
        QVERIFY2(written.contains(stored.path()), qPrintable(stored.path()));

    // And the next start reads it back.
    Settings next { std::make_unique<QSettings>(store, QSettings::IniFormat) };
    QVERIFY(next.ReadIni());
    QCOMPARE(change == "preferences" ? next.Defaults.AutoUpdate : !next.Defaults.ShowImages, true);
}

int main(int argc, char *argv[])
{
    if (argc == 5 && std::strcmp(argv[1], changeRole) == 0)
        return playChange(argc, argv);
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestSettingsAfterKill test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_settingsafterkill.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/generalsettingsdialog.h"
#include "app/settings.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Settings settings{
        std::make_unique<QSettings>(dir.filePath(QStringLiteral("t.ini")), QSettings::IniFormat)};
    QList<int> helperTips;

    std::unique_ptr<GeneralSettingsDialog> general()
    {
        return std::make_unique<GeneralSettingsDialog>(
            settings, prompter, [this](int n) { helperTips.append(n); });
    }
};

template<typename T>
T *child(QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

} // namespace

class TestPreferences final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void autoUpdateWarning_data();
    void autoUpdateWarning();
    void okStoresCancelKeeps_data();
    void okStoresCancelKeeps();
    void rangesAndLengths_data();
    void rangesAndLengths();
    void extensionFieldShowsHelperOnce();
    void graphicRepositoryTakesTheFolder();
};

void TestPreferences::autoUpdateWarning_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("warnings"); // after ticking it off and on again
    QTest::addRow("stored on: no warning while filling") << true << 1;
    QTest::addRow("stored off") << false << 1;
}

void TestPreferences::autoUpdateWarning()
{
    QFETCH(bool, stored);
    QFETCH(int, warnings);
    Fixture f;
    f.settings.Defaults.AutoUpdate = stored;
    auto dialog = f.general();
    QVERIFY(f.prompter.messages().isEmpty());
    auto *box = child<QCheckBox>(*dialog, "AutoUpdate");
    QCOMPARE(box->isChecked(), stored);
    if (stored)
        box->setChecked(false); // switching off says nothing
    box->setChecked(true);
    QCOMPARE(f.prompter.messages().size(), warnings);
    QCOMPARE(f.prompter.messages().constLast().kind, Prompter::Kind::Warning);
    QCOMPARE(f.prompter.texts().constLast(), GeneralSettingsDialog::autoUpdateWarning());
    QVERIFY(GeneralSettingsDialog::autoUpdateWarning().contains(
        QLatin1String("General Protection Faults!  If you")));
}

void TestPreferences::okStoresCancelKeeps_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addRow("Ok stores") << true;
    QTest::addRow("Cancel keeps") << false;
}

void TestPreferences::okStoresCancelKeeps()
{
    QFETCH(bool, ok);
    Fixture f;
    f.settings.FTP.TimeOut = 30000;
    f.settings.Spelling.Language = 2;
    auto dialog = f.general();
    QCOMPARE(child<QSpinBox>(*dialog, "TimeOut")->value(), 30);
    QCOMPARE(child<QComboBox>(*dialog, "Language")->currentText(), QStringLiteral("Dutch"));

    child<QCheckBox>(*dialog, "ShowCustom3")->setChecked(true);
    child<QCheckBox>(*dialog, "UseBR")->setChecked(true);
    child<QCheckBox>(*dialog, "AutoLoad")->setChecked(true);
    child<QSpinBox>(*dialog, "FontSizeChange")->setValue(5);
    child<QLineEdit>(*dialog, "Extension")->setText(QStringLiteral("htm,html"));
    child<QLineEdit>(*dialog, "Browser2")->setText(QStringLiteral("/usr/bin/b"));
    child<QCheckBox>(*dialog, "Browser2Prefix")->setChecked(true);
    child<QComboBox>(*dialog, "Language")->setCurrentIndex(8);
    child<QSpinBox>(*dialog, "SuggestCount")->setValue(40);
    child<QLineEdit>(*dialog, "SmartASCII")->setText(QStringLiteral("txt"));
    child<QSpinBox>(*dialog, "TimeOut")->setValue(0);
    ok ? dialog->store() : dialog->reject();

    const DefaultsSettings defaults;
    QCOMPARE(f.settings.Defaults.ShowCustom3, ok);
    QCOMPARE(f.settings.Defaults.UseBR, ok);
    QCOMPARE(f.settings.LastFiles.AutoLoad, ok);
    QCOMPARE(f.settings.Defaults.FontSizeChange, ok ? 5 : 2);
    QCOMPARE(f.settings.Defaults.Extension,
             ok ? QStringLiteral("htm,html") : defaults.Extension);
    QCOMPARE(f.settings.Defaults.Browser2, ok ? QStringLiteral("/usr/bin/b") : QString());
    QCOMPARE(f.settings.Defaults.Browser2Prefix, ok);
    QCOMPARE(f.settings.Spelling.Language, ok ? 8 : 2);
    QCOMPARE(f.settings.Spelling.SuggestCount, ok ? 40 : 10);
    QCOMPARE(f.settings.FTP.SmartASCII, ok ? QStringLiteral("txt") : QString());
    QCOMPARE(f.settings.FTP.TimeOut, ok ? 0 : 30000);
}

void TestPreferences::rangesAndLengths_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addRow("font change") << "FontSizeChange" << 1 << 7;
    QTest::addRow("suggestions") << "SuggestCount" << 5 << 100;
    QTest::addRow("timeout seconds") << "TimeOut" << 0 << 1000;
    QTest::addRow("html extensions") << "Extension" << 0 << 99;
    QTest::addRow("graphic extensions") << "GraphicExtension" << 0 << 99;
    QTest::addRow("smart binary") << "SmartBinary" << 0 << 200;
}

void TestPreferences::rangesAndLengths()
{
    QFETCH(QString, control);
    QFETCH(int, low);
    QFETCH(int, high);
    Fixture f;
    auto dialog = f.general();
    if (auto *spin = dialog->findChild<QSpinBox *>(control)) {
        spin->setValue(low - 1);
        QCOMPARE(spin->value(), low);
        spin->setValue(high + 1);
        QCOMPARE(spin->value(), high);
    } else {
        auto *edit = child<QLineEdit>(*dialog, qPrintable(control));
        edit->setText(QString(high + 10, QLatin1Char('x')));
        QCOMPARE(edit->text().size(), high);
    }
}

void TestPreferences::extensionFieldShowsHelperOnce()
{
    Fixture f;
    auto dialog = f.general();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    auto *extension = child<QLineEdit>(*dialog, "Extension");
    auto *graphic = child<QLineEdit>(*dialog, "GraphicExtension");
    for (int i = 0; i < 3; ++i) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(extension, &in);
        QFocusEvent other(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(graphic, &other);
    }
    QCOMPARE(f.helperTips, QList<int>{7});
}

void TestPreferences::graphicRepositoryTakesTheFolder()
{
    Fixture f;
    auto dialog = f.general();
    f.prompter.answerFile(QStringLiteral("/srv/site/images/logo.gif"));
    child<QPushButton>(*dialog, "SharedImageDirButton")->click();
    QCOMPARE(child<QLineEdit>(*dialog, "SharedImageDir")->text(),
             QStringLiteral("/srv/site/images"));
    QCOMPARE(f.prompter.fileRequests().constFirst().filter, QStringLiteral("Graphics|*.gif;*.jpg"));
    f.prompter.cancelNextFile();
    child<QPushButton>(*dialog, "SharedImageDirButton")->click();
    QCOMPARE(child<QLineEdit>(*dialog, "SharedImageDir")->text(),
             QStringLiteral("/srv/site/images"));
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editorsettingsdialog.h"
#include "app/generalsettingsdialog.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Tarnwick;
using namespace Qt::StringLiterals;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Settings settings { std::make_unique<QSettings>(dir.filePath(QStringLiteral("t.ini")),
                                                    QSettings::IniFormat) };
    QList<int> helperTips;

    std::unique_ptr<GeneralSettingsDialog> general()
    {
        return std::make_unique<GeneralSettingsDialog>(settings, prompter,
                                                       [this](int n) { helperTips.append(n); });
    }
};

template<typename T> T *child(QWidget &dialog, const char *name)
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
    void languageChoice_data();
    void languageChoice();
    void rangesAndLengths_data();
    void rangesAndLengths();
    void extensionFieldShowsHelperOnce();
    void graphicRepositoryTakesTheFolder();
    void browserButtonSearches_data();
    void browserButtonSearches();
    void editorCancelAfterApply_data();
    void editorCancelAfterApply();
    void editorHelperTipsOnTicking();
    void editorSampleOnly();
    void editorCompletionAndFolding_data();
    void editorCompletionAndFolding();
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
    f.settings.Spelling.DialogStyle = 7; // no such layout: shown as the first
    auto dialog = f.general();
    auto *style = child<QComboBox>(*dialog, "DialogStyle");
    QCOMPARE(style->currentText(), QStringLiteral("MS Word"));
    QCOMPARE(GeneralSettingsDialog::dialogStyles(),
             (QStringList { "MS Word", "Wordperfect", "WordPro 96" }));
    QCOMPARE(child<QSpinBox>(*dialog, "TimeOut")->value(), 30);
    QVERIFY(child<QCheckBox>(*dialog, "CheckSite")->isChecked()); // on unless turned off
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
    style->setCurrentIndex(2);
    child<QLineEdit>(*dialog, "SmartASCII")->setText(QStringLiteral("txt"));
    child<QSpinBox>(*dialog, "TimeOut")->setValue(0);
    child<QCheckBox>(*dialog, "CheckSite")->setChecked(false);
    ok ? dialog->store() : dialog->reject();

    const DefaultsSettings defaults;
    QCOMPARE(f.settings.Defaults.ShowCustom3, ok);
    QCOMPARE(f.settings.Defaults.UseBR, ok);
    QCOMPARE(f.settings.LastFiles.AutoLoad, ok);
    QCOMPARE(f.settings.Defaults.FontSizeChange, ok ? 5 : 2);
    QCOMPARE(f.settings.Defaults.Extension, ok ? QStringLiteral("htm,html") : defaults.Extension);
    QCOMPARE(f.settings.Defaults.Browser2, ok ? QStringLiteral("/usr/bin/b") : QString());
    QCOMPARE(f.settings.Defaults.Browser2Prefix, ok);
    QCOMPARE(f.settings.Spelling.Language, ok ? 8 : 2);
    QCOMPARE(f.settings.Spelling.SuggestCount, ok ? 40 : 10);
    QCOMPARE(f.settings.Spelling.DialogStyle, ok ? 2 : 7);
    QCOMPARE(f.settings.FTP.SmartASCII, ok ? QStringLiteral("txt") : QString());
    QCOMPARE(f.settings.FTP.TimeOut, ok ? 0 : 30000);
    QCOMPARE(f.settings.FTP.CheckSite, !ok);
}

void TestPreferences::languageChoice_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("installed"); // HunspellDictionary as stored
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("chosen"); // empty: Ok without a change
    QTest::addColumn<int>("storedLanguage");
    QTest::addColumn<QString>("storedInstalled");

    const QString german = u"German (Germany) \u2014 de_DE, installed dictionary"_s;
    const QString french = u"French \u2014 fr, installed dictionary"_s;
    QTest::addRow("shipped language") << 2 << ""
                                      << "Dutch"
                                      << "" << 2 << "";
    QTest::addRow("installed dictionary") << 2 << "de_DE" << german << "" << 2 << "de_DE";
    QTest::addRow("installed no more: the shipped one, as the check uses it, and the choice stays")
        << 2 << "it_IT"
        << "Dutch"
        << "" << 2 << "it_IT";
    QTest::addRow("installed no more, another shipped one chosen") << 2 << "it_IT"
                                                                   << "Dutch"
                                                                   << "Spanish" << 6 << "";
    QTest::addRow("a link to a listed pair is not offered") << 3 << "de_BE"
                                                            << "French"
                                                            << "" << 3 << "de_BE";
    QTest::addRow("choosing an installed one keeps Language") << 2 << ""
                                                              << "Dutch" << french << 2 << "fr";
    QTest::addRow("choosing a shipped one clears the installed one")
        << 2 << "de_DE" << german << "Medical" << 8 << "";
    QTest::addRow("from one installed to another") << 5 << "fr" << french << german << 5 << "de_DE";
}

void TestPreferences::languageChoice()
{
    QFETCH(int, language);
    QFETCH(QString, installed);
    QFETCH(QString, shown);
    QFETCH(QString, chosen);
    QFETCH(int, storedLanguage);
    QFETCH(QString, storedInstalled);

    Fixture f;
    const QString folder = f.dir.filePath(u"hunspell"_s);
    for (const QString &name : { u"de_DE"_s, u"fr"_s }) {
        QVERIFY(TestEnvironment::writeFile(folder + '/' + name + ".dic", "1\nword\n"));
        QVERIFY(TestEnvironment::writeFile(folder + '/' + name + ".aff", "SET UTF-8\n"));
    }
    QVERIFY(QFile::link(u"de_DE.dic"_s, folder + u"/de_BE.dic"_s));
    QVERIFY(QFile::link(u"de_DE.aff"_s, folder + u"/de_BE.aff"_s));
    const QByteArray before = qgetenv("TARNWICK_HUNSPELL_DIRS");
    qputenv("TARNWICK_HUNSPELL_DIRS", folder.toLocal8Bit());
    f.settings.Spelling.Language = language;
    f.settings.Spelling.HunspellDictionary = installed;
    auto dialog = f.general();
    qputenv("TARNWICK_HUNSPELL_DIRS", before);

    auto *box = child<QComboBox>(*dialog, "Language");
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    const QStringList installedItems { u"French \u2014 fr, installed dictionary"_s,
                                       u"German (Germany) \u2014 de_DE, installed dictionary"_s };
    QCOMPARE(items, GeneralSettingsDialog::languages() + installedItems);
    QCOMPARE(box->currentText(), shown);
    if (!chosen.isEmpty()) {
        QVERIFY(box->findText(chosen) >= 0);
        box->setCurrentIndex(box->findText(chosen));
    }
    dialog->store();
    QCOMPARE(f.settings.Spelling.Language, storedLanguage);
    QCOMPARE(f.settings.Spelling.HunspellDictionary, storedInstalled);
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
    QCOMPARE(f.helperTips, QList<int> { 7 });
}

void TestPreferences::graphicRepositoryTakesTheFolder()
{
    Fixture f;
    auto dialog = f.general();
    f.prompter.answerFile(QStringLiteral("/srv/site/images/logo.gif"));
    child<QPushButton>(*dialog, "SharedImageDirButton")->click();
    QCOMPARE(child<QLineEdit>(*dialog, "SharedImageDir")->text(),
             QStringLiteral("/srv/site/images"));
    QCOMPARE(f.prompter.fileRequests().constFirst().filter,
             QStringLiteral("Graphics|*.gif;*.jpg;*.png;*.svg;*.webp"));
    f.prompter.cancelNextFile();
    child<QPushButton>(*dialog, "SharedImageDirButton")->click();
    QCOMPARE(child<QLineEdit>(*dialog, "SharedImageDir")->text(),
             QStringLiteral("/srv/site/images"));
}

void TestPreferences::browserButtonSearches_data()
{
    QTest::addColumn<bool>("choose"); // an entry is selected before OK
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("taken");

    QTest::addRow("OK takes the selected program") << true << true << true;
    QTest::addRow("OK with nothing selected takes nothing") << false << true << false;
    QTest::addRow("Cancel takes nothing") << true << false << false;
}

// The browser button opens "Search ", which looks for browser programs on
// the chosen volume; OK puts the chosen one into the field.
void TestPreferences::browserButtonSearches()
{
    QFETCH(bool, choose);
    QFETCH(bool, ok);
    QFETCH(bool, taken);
    Fixture f;
    const QString program = f.dir.filePath("apps/bin/mybrowser");
    QVERIFY(TestEnvironment::writeFile(program, "#!/bin/sh\n"));
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    auto dialog = f.general();
    child<QLineEdit>(*dialog, "Browser1")->setText("/usr/bin/old");
    QString caption;
    QTimer::singleShot(0, dialog.get(), [&] {
        QWidget *search = QApplication::activeModalWidget();
        if (!search)
            return;
        caption = search->windowTitle();
        // The test's own folder stands for a volume of the drive box.
        auto *drives = child<QComboBox>(*search, "DriveComboBox1");
        drives->addItem(f.dir.filePath("apps"), f.dir.filePath("apps"));
        drives->setCurrentIndex(drives->count() - 1);
        child<QLineEdit>(*search, "AdditionalBrowser")->setText("MyBrowser");
        child<QPushButton>(*search, "Search")->click();
        auto *results = child<QListWidget>(*search, "ListBox1");
        if (choose && results->count() > 0)
            results->setCurrentRow(0);
        auto *buttons = search->findChild<QDialogButtonBox *>();
        buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    child<QPushButton>(*dialog, "Browser1Button")->click();
    QCOMPARE(caption, QStringLiteral("Search "));
    QCOMPARE(child<QLineEdit>(*dialog, "Browser1")->text(),
             taken ? program : QStringLiteral("/usr/bin/old"));
    QVERIFY(f.prompter.texts().isEmpty());
}

void TestPreferences::editorCancelAfterApply_data()
{
    QTest::addColumn<bool>("storedBefore"); // an earlier "OK" stored settings
    QTest::addColumn<bool>("escape"); // Escape instead of the Cancel button
    QTest::addRow("settings stored at an earlier OK") << true << false;
    QTest::addRow("nothing stored yet") << false << false;
    QTest::addRow("escape after apply") << true << true;
}

void TestPreferences::editorCancelAfterApply()
{
    QFETCH(bool, storedBefore);
    QFETCH(bool, escape);
    Fixture f;
    EditorControl editor;
    editor.SetTabStopSize(4);
    if (storedBefore) {
        DefaultsSettings &d = f.settings.Defaults;
        d.TabSize = 3;
        d.FontSize = QStringLiteral("11");
        d.BackgroundColor = Settings::colorToSetting(QColor(Qt::white));
        d.FontColor = Settings::colorToSetting(QColor(0x000080));
        d.AutoIndent = true;
    }
    const QList<int> expectedTab { storedBefore ? 3 : 4 };
    int appliedCalls = 0;
    EditorSettingsDialog dialog(editor, f.settings, {},
                                [&](const EditorAppearance &) { ++appliedCalls; });
    const EditorAppearance before = EditorAppearance::fromEditor(editor, f.settings.Defaults);
    QCOMPARE(QList<int> { editor.TabStopSize() }, expectedTab);
    const DefaultsSettings storedCopy = f.settings.Defaults;

    child<QSpinBox>(dialog, "TabSize")->setValue(12);
    child<QSpinBox>(dialog, "FontSize")->setValue(20);
    child<QComboBox>(dialog, "TextBackground")->setCurrentText(QStringLiteral("Yellow"));
    child<QCheckBox>(dialog, "AutoIndent")->setChecked(!before.autoIndent);
    child<QComboBox>(dialog, "FileType")->setCurrentIndex(2);
    dialog.Apply();
    QCOMPARE(editor.TabStopSize(), 12);
    QCOMPARE(editor.Font().pointSize(), 20);
    QCOMPARE(editor.Color(), QColor(Qt::yellow));
    QVERIFY(editor.UnixStyleSave());
    const int callsAfterApply = appliedCalls;

    if (escape) {
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    } else {
        dialog.Cancel();
    }
    QCOMPARE(EditorAppearance::fromEditor(editor, f.settings.Defaults), before);
    QVERIFY(!editor.UnixStyleSave());
    QCOMPARE(f.settings.Defaults.TabSize, storedCopy.TabSize);
    QCOMPARE(f.settings.Defaults.FontSize, storedCopy.FontSize);
    QCOMPARE(appliedCalls, callsAfterApply + 1); // the window follows the restore too

    // OK stores what it applies, and the next dialog starts from it.
    EditorSettingsDialog again(editor, f.settings, {}, {});
    child<QSpinBox>(again, "TabSize")->setValue(7);
    child<QComboBox>(again, "TagForeground")->setCurrentText(QStringLiteral("Maroon"));
    again.Ok();
    QCOMPARE(editor.TabStopSize(), 7);
    QCOMPARE(f.settings.Defaults.TabSize, 7);
    QCOMPARE(Settings::colorFromSetting(f.settings.Defaults.SyntaxFGColor), QColor(0x800000));
    QCOMPARE(editor.TagForeground(), QColor(0x800000));
    EditorSettingsDialog third(editor, f.settings, {}, {});
    QCOMPARE(child<QSpinBox>(third, "TabSize")->value(), 7);
    QCOMPARE(child<QComboBox>(third, "TagForeground")->currentText(), QStringLiteral("Maroon"));
}

void TestPreferences::editorHelperTipsOnTicking()
{
    Fixture f;
    f.settings.Defaults.Wordwrap = true; // filling must not show tip 6
    f.settings.Defaults.ExpandCharstoHTML = false;
    EditorControl editor;
    QList<int> tips;
    EditorSettingsDialog dialog(editor, f.settings, [&](int n) { tips.append(n); }, {});
    QVERIFY(tips.isEmpty());
    child<QCheckBox>(dialog, "Wordwrap")->setChecked(false);
    child<QCheckBox>(dialog, "Wordwrap")->setChecked(true);
    child<QCheckBox>(dialog, "ExpandCharstoHTML")->setChecked(true);
    QCOMPARE(tips, (QList<int> { 6, 10 }));
}

void TestPreferences::editorSampleOnly()
{
    Fixture f;
    EditorControl editor;
    editor.SetTabStopSize(4);
    EditorSettingsDialog dialog(editor, f.settings, {}, {});
    QCOMPARE(dialog.sample()->Text(), EditorSettingsDialog::sampleText());
    QVERIFY(dialog.sample()->Text().startsWith(QLatin1String("<HTML>\n<TITLE>Your Web Page")));
    child<QSpinBox>(dialog, "TabSize")->setValue(25);
    QCOMPARE(child<QSpinBox>(dialog, "TabSize")->value(), 20);
    child<QSpinBox>(dialog, "FontSize")->setValue(2);
    QCOMPARE(child<QSpinBox>(dialog, "FontSize")->value(), 6);
    QCOMPARE(dialog.sample()->TabStopSize(), 20);
    QCOMPARE(dialog.sample()->Font().pointSize(), 6);
    QCOMPARE(editor.TabStopSize(), 4); // only "Apply" or "OK" reach the editor
}

void TestPreferences::editorCompletionAndFolding_data()
{
    QTest::addColumn<QString>("box");
    QTest::addRow("Complete tags while typing") << u"AutoComplete"_s;
    QTest::addRow("Show fold margin") << u"ShowFoldMargin"_s;
}

void TestPreferences::editorCompletionAndFolding()
{
    QFETCH(QString, box);
    const bool folding = box == u"ShowFoldMargin"_s;
    Fixture f;
    EditorControl editor;
    // What the editor and the window (completion) were given last.
    const auto state
        = [&](const EditorAppearance &a) { return folding ? editor.Folding() : a.autoComplete; };
    EditorAppearance applied;
    const auto follow = [&](const EditorAppearance &a) { applied = a; };

    // Both are on by default, and the dialog puts them on the editor.
    EditorSettingsDialog dialog(editor, f.settings, {}, follow);
    QCheckBox *check = child<QCheckBox>(dialog, qPrintable(box));
    QVERIFY(check->isChecked());
    QVERIFY(state(applied));

    check->setChecked(false);
    if (folding)
        QVERIFY(!dialog.sample()->Folding()); // the sample shows it at once
    QVERIFY(state(applied)); // the editor only at "Apply"
    dialog.Apply();
    QVERIFY(!state(applied));
    dialog.Cancel();
    QVERIFY(state(applied));
    QVERIFY(f.settings.Defaults.AutoComplete && f.settings.Defaults.ShowFoldMargin);

    EditorSettingsDialog again(editor, f.settings, {}, follow);
    child<QCheckBox>(again, qPrintable(box))->setChecked(false);
    again.Ok();
    QVERIFY(!state(applied));
    QCOMPARE(f.settings.Defaults.AutoComplete, folding);
    QCOMPARE(f.settings.Defaults.ShowFoldMargin, !folding);

    EditorSettingsDialog third(editor, f.settings, {}, follow);
    QVERIFY(!child<QCheckBox>(third, qPrintable(box))->isChecked());
    QVERIFY(!state(applied));
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"

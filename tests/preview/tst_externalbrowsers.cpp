// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "preview/externalbrowsers.h"

#include "scriptedprompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class tst_ExternalBrowsers : public QObject
{
    Q_OBJECT

private slots:
    void launch_data();
    void launch();
    void menuCaption();
};

void tst_ExternalBrowsers::launch_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("prefix");
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("message");
    const QString launchError = QStringLiteral(
        "Error launching external browser!  Please verify browser location and try again.");
    QTest::addRow("no browser chosen")
        << "" << false << false << "No default browser has been selected!";
    QTest::addRow("full path") << "/bin/true" << false << true << "";
    QTest::addRow("full path with FILE:// prefix") << "/bin/true" << true << true << "";
    QTest::addRow("name looked up on PATH") << "true" << false << true << "";
    QTest::addRow("missing program") << "/nonexistent/browser" << false << false << launchError;
    QTest::addRow("not a program") << "NOTES.TXT" << false << false << launchError;
}

void tst_ExternalBrowsers::launch()
{
    QFETCH(QString, program);
    QFETCH(bool, prefix);
    QFETCH(bool, started);
    QFETCH(QString, message);
    QTemporaryDir dir;
    if (program == QLatin1String("NOTES.TXT")) {
        // A plain file that is no program.
        program = dir.filePath(program);
        QFile notes(program);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("not a browser\n");
    }
    EditorControl editor;
    editor.SetText(QStringLiteral("<p>unsaved edit</p>"));
    ScriptedPrompter prompter;
    ExternalBrowsers browsers(&editor, &prompter);
    QString launched, argument, workingDirectory;
    browsers.setLauncher([&](const QString &p, const QStringList &args, const QString &wd) {
        launched = p;
        argument = args.value(0);
        workingDirectory = wd;
        return true;
    });
    browsers.LaunchBrowser(program, prefix, dir.path());

    QCOMPARE(prompter.texts(), message.isEmpty() ? QStringList() : QStringList { message });
    QCOMPARE(!launched.isEmpty(), started);
    if (!started)
        return;
    const QString previewFile = dir.filePath(QStringLiteral("tarnview.htm"));
    QVERIFY(QFileInfo(launched).isAbsolute());
    QCOMPARE(argument, prefix ? QStringLiteral("FILE://") + previewFile : previewFile);
    QCOMPARE(workingDirectory, dir.path());
    QFile file(previewFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("<p>unsaved edit</p>"));
}

void tst_ExternalBrowsers::menuCaption()
{
    QCOMPARE(ExternalBrowsers::menuCaption(QStringLiteral("/usr/bin/firefox-esr")),
             QStringLiteral("View page in firefox-esr"));
    QCOMPARE(ExternalBrowsers::menuCaption(QStringLiteral("chromium")),
             QStringLiteral("View page in chromium"));
    // Shown as written: "&&" is a plain ampersand in a menu caption.
    QCOMPARE(ExternalBrowsers::menuCaption(QStringLiteral("/opt/web&mail/b&w")),
             QStringLiteral("View page in b&&w"));
}

QTEST_MAIN(tst_ExternalBrowsers)
#include "tst_externalbrowsers.moc"

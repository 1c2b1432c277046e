// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/helpcommands.h"
#include "app/settings.h"
#include "app/tips.h"
#include "app/tipsession.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace Tarnwick;

class TestHelpCommands final : public QObject
{
    Q_OBJECT

private:
    struct Fixture
    {
        QTemporaryDir dir;
        Settings settings { std::make_unique<QSettings>(dir.filePath(QStringLiteral("t.ini")),
                                                        QSettings::IniFormat) };
        int tipsShown = 0;
        Tips tips { settings, dir.path(), [this](TipSession &) { ++tipsShown; } };
        ScriptedPrompter prompter;
        QWidget window;
        QMenu menu;
        HelpCommands help { prompter, tips, dir.path(), &window };
        Fixture() { help.fillHelpMenu(&menu); }
        QAction *item(const QString &caption) const
        {
            for (QAction *action : menu.actions()) {
                if (action->text() == caption)
                    return action;
            }
            return nullptr;
        }
    };

private slots:
    void menuItemsInOrder()
    {
        Fixture f;
        QStringList captions;
        for (QAction *action : f.menu.actions())
            captions << action->text();
        QCOMPARE(captions,
                 (QStringList { "&About...", "&Show Hints", "&Contents...", "Show &Tips..." }));
        f.item(QStringLiteral("Show &Tips..."))->trigger();
        QCOMPARE(f.tipsShown, 1);
    }

    // The tick and the settings' value are one: the settings turn hints off
    // at start, the user's click turns them on again.
    void hintsFollowTheTick()
    {
        Fixture f;
        QVERIFY(f.help.hintsShown());
        f.help.setHintsShown(false);
        QAction *hints = f.item(QStringLiteral("&Show Hints"));
        QVERIFY(!hints->isChecked());
        QVERIFY(!f.help.hintsShown());
        hints->trigger();
        QVERIFY(f.help.hintsShown());
    }

    // Without the guide the user is told where it should have been.
    void contentsWithoutTheGuide()
    {
        Fixture f;
        QTemporaryDir data;
        const bool wasSet = qEnvironmentVariableIsSet("TARNWICK_DATA_DIR");
        const QByteArray before = qgetenv("TARNWICK_DATA_DIR");
        qputenv("TARNWICK_DATA_DIR", data.path().toLocal8Bit());
        f.item(QStringLiteral("&Contents..."))->trigger();
        if (wasSet)
            qputenv("TARNWICK_DATA_DIR", before);
        else
            qunsetenv("TARNWICK_DATA_DIR");
        QCOMPARE(f.prompter.texts(),
                 QStringList { QStringLiteral("The help pages are missing: ") + data.path()
                               + QStringLiteral("/help/index.html") });
        QCOMPARE(f.prompter.messages().constFirst().kind, Prompter::Kind::Error);
    }
};

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectmenurules.h"

#include <QTest>

using namespace Tarnwick;
using Command = ProjectMenuRules::Command;

class TestProjectMenuRules final : public QObject
{
    Q_OBJECT

private slots:
    void enabling_data();
    void enabling();
};

void TestProjectMenuRules::enabling_data()
{
    QTest::addColumn<bool>("entries");
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<Command>>("enabled");

    const QList<Command> always = { Command::NewProject, Command::SendToSite };
    QTest::addRow("empty tree") << false << 0 << always;
    QTest::addRow("nothing selected")
        << true << 0 << always + QList<Command> { Command::PagesMenu };
    QTest::addRow("project selected") << true << 1
                                      << always
            + QList<Command> { Command::PagesMenu,
                               Command::NewPage,
                               Command::ImportPage,
                               Command::DeleteProject,
                               Command::EditProjectDescription,
                               Command::FindOrphans,
                               Command::CheckSite,
                               Command::FindInProject };
    QTest::addRow("page selected")
        << true << 2
        << always + QList<Command> { Command::PagesMenu,    Command::NewPage,
                                     Command::ImportPage,   Command::DeletePage,
                                     Command::CopyMovePage, Command::ChangePageDescription,
                                     Command::RenameFile,   Command::RemoveFromProject,
                                     Command::ViewPage,     Command::CheckSite,
                                     Command::FindInProject };
    // Entries nested below pages are kept as they come; no command works on them.
    QTest::addRow("deeper entry selected")
        << true << 3
        << always + QList<Command> { Command::PagesMenu, Command::NewPage, Command::ImportPage };
}

void TestProjectMenuRules::enabling()
{
    QFETCH(bool, entries);
    QFETCH(int, level);
    QFETCH(QList<Command>, enabled);
    const QList<Command> all = { Command::NewProject,
                                 Command::PagesMenu,
                                 Command::NewPage,
                                 Command::ImportPage,
                                 Command::DeletePage,
                                 Command::CopyMovePage,
                                 Command::ChangePageDescription,
                                 Command::RenameFile,
                                 Command::RemoveFromProject,
                                 Command::DeleteProject,
                                 Command::EditProjectDescription,
                                 Command::FindOrphans,
                                 Command::ViewPage,
                                 Command::SendToSite,
                                 Command::CheckSite,
                                 Command::FindInProject };
    for (const Command command : all) {
        QCOMPARE(ProjectMenuRules::enabled(command, { entries, level }), enabled.contains(command));
    }
}

QTEST_GUILESS_MAIN(TestProjectMenuRules)
#include "tst_projectmenurules.moc"

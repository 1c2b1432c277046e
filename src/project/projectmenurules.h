// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tarnwick {

// Which project commands the menus offer for what is selected in the tree.
class ProjectMenuRules final
{
public:
    ProjectMenuRules() = delete;

    enum class Command {
        NewProject,
        PagesMenu, // the "&Pages" submenu of "P&rojects"
        NewPage,
        ImportPage,
        DeletePage,
        CopyMovePage,
        ChangePageDescription,
        RenameFile,
        RemoveFromProject,
        DeleteProject,
        EditProjectDescription,
        FindOrphans,
        ViewPage,
        SendToSite, // "Send to website..." and "Send to site..."
        CheckSite, // the site check of the selected entry's project
        FindInProject, // Find in Project in the selected entry's project
    };

    struct Selection
    {
        bool treeHasEntries = false;
        int level = 0; // of the selected entry: 1 project, 2 page, 0 none
    };

    // New Project and the send items always; New and Import Page for any selected entry; the
    // other page commands for a page entry, the project commands for a
    // project entry; the "&Pages" submenu while the tree has entries.
    static bool enabled(Command command, const Selection &selection);
};

} // namespace Tarnwick

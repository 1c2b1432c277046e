// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectmenurules.h"

namespace Tarnwick {

bool ProjectMenuRules::enabled(Command command, const Selection &selection)
{
    const bool any = selection.treeHasEntries && selection.level >= 1;
    const bool page = selection.treeHasEntries && selection.level == 2;
    const bool project = selection.treeHasEntries && selection.level == 1;
    switch (command) {
    case Command::NewProject:
    case Command::SendToSite:
        return true;
    case Command::PagesMenu:
        return selection.treeHasEntries;
    case Command::NewPage:
    case Command::ImportPage:
        return any;
    case Command::DeletePage:
    case Command::CopyMovePage:
    case Command::ChangePageDescription:
    case Command::RenameFile:
    case Command::RemoveFromProject:
    case Command::ViewPage:
        return page;
    case Command::CheckSite:
    case Command::FindInProject:
        return project || page;
    case Command::DeleteProject:
    case Command::EditProjectDescription:
    case Command::FindOrphans:
        return project;
    }
    return false;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/textfile.h"

#include <QString>

namespace Tarnwick {

// One open page, one per tab of the tab strip.
struct PageRecord
{
    bool inProject = false;
    QString fileName; // full path
    bool modified = false;
    // Selection when the page was last hidden (lines from 1, columns from 0).
    int startLine = 1;
    int startColumn = 0;
    int endLine = 1;
    int endColumn = 0;
    int firstVisibleLine = 0;

    // Text of a hidden page. It is also written to the page backup file, but
    // the copy in memory is what the tab shows again, so a backup that could
    // not be written never costs the user their text.
    QString text;
    TextFileFormat format;
    // The text before a Replace in Project changed the hidden page: when the
    // page is shown again the change becomes one step Undo takes back.
    QString textBeforeReplace;
    bool modifiedBeforeReplace = false;

    QString backupFileName() const { return fileName + QLatin1Char('_'); }
};

} // namespace Tarnwick

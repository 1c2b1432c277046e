// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

class QTextStream;

namespace Tarnwick {

// tarnwick-check: the site check without a window. Given a project folder it
// checks the project's pages (the project tree's when the project list holds
// that folder, else every page file of the folder) and lists the files nothing
// uses; given page files it checks those, within the folder of the first.
// One line per finding as compilers print them, or JSON.
class CommandLineChecker final
{
public:
    enum Exit { NoErrors = 0, ErrorsFound = 1, BadUsage = 2 };

    struct Options
    {
        QStringList targets; // one project folder, or page files
        QString programDir; // holds project.dat
        QString extensions = QStringLiteral("html,htm,shtm,shtml");
        bool json = false;
        bool markup = true;
        bool help = false;
    };

    static Expected<Options> parse(const QStringList &arguments);
    static QString usage();

    static int run(const Options &options, QTextStream &out, QTextStream &err);
};

} // namespace Tarnwick

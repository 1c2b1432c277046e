// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QApplication;

namespace Tarnwick {

// Program entry: reads the command line, prepares the program directory,
// shows the splash window, builds the main window and runs the event loop.
class Startup
{
public:
    struct Options
    {
        QString home; // --home DIR
        bool splash = true; // --no-splash turns it off
        QStringList files; // pages to open
        // --startup-trace: report the window shown and the first preview
        // rendered on standard error, then quit (for timing the start-up).
        bool startupTrace = false;
        // --verbose: the preview engine's diagnostics on the terminal.
        bool verbose = false;
    };

    // Sets the application's names; call before anything else uses them.
    static void describeApplication();

    // Parses the arguments. --help and --version print to the terminal and
    // give nullopt with the exit code in *exitCode.
    static std::optional<Options> parse(const QStringList &arguments, int *exitCode);

    static int run(QApplication &application, const Options &options);
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
// tarnwick-check: checks a site's pages before they are published.

#include "app/commandlinechecker.h"
#include "app/programdirectory.h"
#include "app/settings.h"
#include "platform/writelimit.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Tarnwick;

int main(int argc, char *argv[])
{
    WriteLimit::failWritesInsteadOfEnding();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    Expected<CommandLineChecker::Options> parsed
        = CommandLineChecker::parse(app.arguments().mid(1));
    if (!parsed) {
        err << parsed.error() << '\n' << CommandLineChecker::usage();
        return CommandLineChecker::BadUsage;
    }
    CommandLineChecker::Options options = parsed.value();
    if (options.help) {
        out << CommandLineChecker::usage();
        return CommandLineChecker::NoErrors;
    }
    options.programDir = ProgramDirectory::resolve(options.programDir);
    // The page extensions the program uses.
    Settings settings(Settings::openUserStore());
    if (settings.ReadIni())
        options.extensions = settings.Defaults.Extension;
    return CommandLineChecker::run(options, out, err);
}

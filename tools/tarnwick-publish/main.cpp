// SPDX-License-Identifier: GPL-3.0-or-later
// tarnwick-publish: sends a project to its site without a window.

#include "app/commandlinepublisher.h"
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
    Expected<CommandLinePublisher::Options> parsed
        = CommandLinePublisher::parse(app.arguments().mid(1));
    if (!parsed) {
        err << parsed.error() << '\n' << CommandLinePublisher::usage();
        return CommandLinePublisher::NothingSent;
    }
    CommandLinePublisher::Options options = parsed.value();
    if (options.help) {
        out << CommandLinePublisher::usage();
        return CommandLinePublisher::AllSent;
    }
    options.programDir = ProgramDirectory::resolve(options.programDir);
    options.password = qEnvironmentVariable("TARNWICK_FTP_PASSWORD");
    // The page extensions, ASCII extensions and time-out the program uses.
    Settings settings(Settings::openUserStore());
    if (settings.ReadIni()) {
        options.extensions = settings.Defaults.Extension;
        options.smartAscii = settings.FTP.SmartASCII;
        options.timeOutMs = settings.FTP.TimeOut;
    }
    return CommandLinePublisher::run(options, out, err);
}

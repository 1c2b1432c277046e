// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    Tarnwick::Startup::describeApplication();
    std::optional<Tarnwick::Startup::Options> options;
    int exitCode = 0;
    {
        // --help and --version answer on the terminal, also without a display.
        QCoreApplication commandLine(argc, argv);
        options = Tarnwick::Startup::parse(commandLine.arguments(), &exitCode);
    }
    if (!options)
        return exitCode;
    QApplication application(argc, argv);
    return Tarnwick::Startup::run(application, *options);
}

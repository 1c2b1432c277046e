// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"
#include "platform/renderer.h"
#include "platform/writelimit.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    Tarnwick::WriteLimit::failWritesInsteadOfEnding();
    // Before any application object: the preview engine needs settings made first.
    Tarnwick::Renderer::prepareEngine();
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
    Tarnwick::Renderer::showEngineDiagnostics(options->verbose);
    QApplication application(argc, argv);
    return Tarnwick::Startup::run(application, *options);
}

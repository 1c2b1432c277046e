// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/mainwindow.h"
#include "app/programdirectory.h"
#include "app/settings.h"
#include "app/splashwindow.h"
#include "platform/qtprompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QPointer>

#include <cstdio>

namespace Tarnwick {

void Startup::describeApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Marwenna Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick 32"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("tarnwick"));
}

std::optional<Startup::Options> Startup::parse(const QStringList &arguments, int *exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tarnwick, an editor for hand-written HTML pages and small web sites."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption homeOption(
        QStringLiteral("home"),
        QStringLiteral("Use DIR as the Tarnwick home (projects, new pages, menus). Default: "
                       "$TARNWICK_HOME, else ~/.local/share/tarnwick."),
        QStringLiteral("DIR"));
    const QCommandLineOption noSplashOption(QStringLiteral("no-splash"),
                                            QStringLiteral("Start without the splash window."));
    parser.addOption(homeOption);
    parser.addOption(noSplashOption);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Pages to open."),
                                 QStringLiteral("[files...]"));

    *exitCode = 0;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n%s", qPrintable(parser.errorText()),
                     qPrintable(parser.helpText()));
        *exitCode = 2;
        return std::nullopt;
    }
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return std::nullopt;
    }
    if (parser.isSet(versionOption)) {
        std::printf("tarnwick %s\n", TARNWICK_VERSION);
        return std::nullopt;
    }
    Options options;
    options.home = parser.value(homeOption);
    options.splash = !parser.isSet(noSplashOption);
    options.files = parser.positionalArguments();
    return options;
}

int Startup::run(QApplication &application, const Options &options)
{
    QPointer<SplashWindow> splash;
    if (options.splash) {
        splash = new SplashWindow;
        splash->showNow();
    }

    // Without a desktop's platform theme (bare X servers, xvfb) Qt finds no
    // tool-button icons; Adwaita is on every Debian desktop.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    const QString dataDirectory = ProgramDirectory::installedDataDirectory();
    QApplication::setWindowIcon(QIcon(dataDirectory + QStringLiteral("icons/tarnwick.svg")));
    const QString home = ProgramDirectory::resolve(options.home);
    QtPrompter prompter(nullptr);
    if (const Result prepared = ProgramDirectory::prepare(home, dataDirectory); !prepared)
        prompter.warning(prepared.error());

    Settings settings(Settings::openUserStore());
    MainWindow window(home, &settings, &prompter);
    window.show();
    if (splash)
        splash->raise(); // it stays up for its five seconds, the window is usable meanwhile
    window.openFiles(options.files);
    return application.exec();
}

} // namespace Tarnwick

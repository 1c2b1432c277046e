// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/mainwindow.h"
#include "app/programdirectory.h"
#include "app/programrun.h"
#include "app/settings.h"
#include "app/splashwindow.h"
#include "platform/qtprompter.h"
#include "platform/renderer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPointer>
#include <QTimer>

#include <functional>

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
    const QCommandLineOption traceOption(
        QStringLiteral("startup-trace"),
        QStringLiteral("Report on standard error when the window is shown and when the first "
                       "preview is rendered, then quit."));
    const QCommandLineOption verboseOption(
        QStringLiteral("verbose"),
        QStringLiteral("Show the preview engine's diagnostics on the terminal."));
    parser.addOption(homeOption);
    parser.addOption(noSplashOption);
    parser.addOption(traceOption);
    parser.addOption(verboseOption);
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
    options.startupTrace = parser.isSet(traceOption);
    options.verbose = parser.isSet(verboseOption);
    return options;
}

namespace {

// Reports the window's first paint, once the paint is complete.
class FirstPaint final : public QObject
{
public:
    FirstPaint(QWidget *window, std::function<void()> painted)
        : QObject(window)
        , m_painted(std::move(painted))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_painted) {
            watched->removeEventFilter(this);
            // The widgets inside the window are painted after the window itself.
            QTimer::singleShot(0, this, std::exchange(m_painted, nullptr));
        }
        return false;
    }

private:
    std::function<void()> m_painted;
};

// Start-up milestones for whoever times them. The window counts as shown once
// it has been painted for the first time; the preview once its first load
// finished. Without a page to open there is no preview, and the trace ends
// with the window.
void traceStartup(MainWindow &window, bool previewExpected)
{
    new FirstPaint(&window, [previewExpected] {
        std::fputs("tarnwick: window shown\n", stderr);
        std::fflush(stderr);
        if (!previewExpected)
            QCoreApplication::quit();
    });
    if (!previewExpected)
        return;
    auto *preview = window.findChild<Renderer *>(QStringLiteral("HTMLSplit"));
    QObject::connect(preview, &Renderer::loadFinished, &window, [](bool ok) {
        std::fputs(ok ? "tarnwick: first preview rendered\n" : "tarnwick: first preview failed\n",
                   stderr);
        std::fflush(stderr);
        QCoreApplication::quit();
    });
}

} // namespace

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
    QtPrompter prompter(nullptr);
    // Names on the command line mean what they meant where the program was
    // started; from then on the program directory is the working directory.
    QStringList files;
    for (const QString &file : options.files)
        files << QFileInfo(file).absoluteFilePath();
    Settings settings(Settings::openUserStore());
    int exitCode = 0;
    {
        ProgramRun program(options.home, &prompter, &settings);
        QDir::setCurrent(program.home());
        // The recovery questions must not sit behind the picture.
        if (splash && program.hasLeftOvers())
            splash->close();
        if (options.startupTrace)
            traceStartup(program.window(), !files.isEmpty());
        if (splash)
            splash->raise(); // it stays up for its five seconds, the window is usable meanwhile
        program.start(files);
        exitCode = application.exec();
        program.finish();
    }
    // The previews closed with the window let go of their engine objects on
    // the event loop's next turn, and there is none after this.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "testenvironment.h"

#include "platform/renderer.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace Tarnwick::TestEnvironment {

void isolate()
{
    static QTemporaryDir root;
    QStandardPaths::setTestModeEnabled(true);
    for (const char *var : { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "HOME" }) {
        const QString dir = root.path() + QLatin1Char('/') + QLatin1String(var);
        QDir().mkpath(dir);
        qputenv(var, dir.toLocal8Bit());
    }
    qunsetenv("TARNWICK_HOME");
    // No installed Hunspell dictionary unless a test lays its own out.
    qputenv("TARNWICK_HUNSPELL_DIRS", (root.path() + QStringLiteral("/hunspell")).toLocal8Bit());
    // No desktop keyring unless a test brings its own (PrivateKeyring): a
    // session bus that is not there.
    qputenv("DBUS_SESSION_BUS_ADDRESS",
            (QStringLiteral("unix:path=") + root.path() + QStringLiteral("/no-bus")).toLocal8Bit());
}

QString dataDirectory()
{
    return qEnvironmentVariable("TARNWICK_DATA_DIR");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString loadError(Renderer *renderer, const std::function<void()> &action)
{
    QSignalSpy finished(renderer, &Renderer::loadFinished);
    action();
    if (finished.isEmpty() && !finished.wait(signalBound))
        return QStringLiteral("no load ended within %1 s").arg(signalBound / 1000);
    if (!finished.last().at(0).toBool())
        return QStringLiteral("the load ended but failed (%1 ended in all)").arg(finished.size());
    return QString();
}

bool waitForLoad(Renderer *renderer, const std::function<void()> &action)
{
    const QString error = loadError(renderer, action);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    return error.isEmpty();
}

bool engineRoundTrip(Renderer *renderer)
{
    const auto *view = renderer->findChild<QWebEngineView *>();
    if (!view)
        return true; // the engine never started: nothing can be under way
    auto *page = view->page();
    bool answered = false;
    QEventLoop loop;
    QTimer::singleShot(signalBound, &loop, &QEventLoop::quit);
    page->runJavaScript(QStringLiteral("0"), [&](const QVariant &) {
        answered = true;
        loop.quit();
    });
    if (!answered)
        loop.exec();
    return answered;
}

QVariant evaluate(Renderer *renderer, const QString &script)
{
    const auto *view = renderer->findChild<QWebEngineView *>();
    if (!view)
        return QStringLiteral("<no engine>");
    auto *page = view->page();
    QVariant result = QStringLiteral("<no answer>");
    bool answered = false;
    QEventLoop loop;
    QTimer::singleShot(signalBound, &loop, &QEventLoop::quit);
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        answered = true;
        loop.quit();
    });
    if (!answered)
        loop.exec();
    return result;
}

} // namespace Tarnwick::TestEnvironment

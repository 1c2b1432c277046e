// SPDX-License-Identifier: GPL-3.0-or-later
#include "testenvironment.h"

#include "platform/renderer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

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

bool waitForLoad(Renderer *renderer, const std::function<void()> &action)
{
    QSignalSpy finished(renderer, &Renderer::loadFinished);
    action();
    return (finished.count() > 0 || finished.wait(20000)) && finished.last().at(0).toBool();
}

} // namespace Tarnwick::TestEnvironment

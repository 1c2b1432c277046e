// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programdirectory.h"

#include "platform/fileops.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace Tarnwick {

namespace {

bool isKeptInDataDirectory(const QString &relativePath)
{
    static const QStringList notCopied
        = { QStringLiteral("help"), QStringLiteral("icons"), QStringLiteral("tarnwick.desktop") };
    const QString first = relativePath.section(QLatin1Char('/'), 0, 0);
    return notCopied.contains(first);
}

} // namespace

QString ProgramDirectory::withSlash(const QString &path)
{
    QString result = QDir::cleanPath(path);
    if (!result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');
    return result;
}

QString ProgramDirectory::resolve(const QString &homeOption)
{
    QString home = homeOption;
    if (home.isEmpty())
        home = qEnvironmentVariable("TARNWICK_HOME");
    if (home.isEmpty()) {
        QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome))
            dataHome = QDir::homePath() + QStringLiteral("/.local/share");
        home = dataHome + QStringLiteral("/tarnwick");
    }
    return withSlash(QFileInfo(home).absoluteFilePath());
}

QString ProgramDirectory::installedDataDirectory()
{
    const QString fromEnvironment = qEnvironmentVariable("TARNWICK_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return withSlash(fromEnvironment);
    return withSlash(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tarnwick"));
}

Result ProgramDirectory::prepare(const QString &home, const QString &dataDirectory)
{
    if (!QDir().mkpath(home))
        return Result::failure(QStringLiteral("Unable to create the directory ") + home);
    const QDir data(dataDirectory);
    if (dataDirectory.isEmpty() || !data.exists())
        return Result::success(); // nothing shipped: the program still runs with defaults

    QDirIterator it(data.absolutePath(), QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    QStringList failures;
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = data.relativeFilePath(source);
        if (isKeptInDataDirectory(relative))
            continue;
        const QString target = QDir(home).filePath(relative);
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (const Result copied = FileOps::copyFile(source, target); !copied)
            failures.append(copied.error());
    }
    if (!failures.isEmpty())
        return Result::failure(failures.join(QLatin1Char('\n')));
    return Result::success();
}

} // namespace Tarnwick

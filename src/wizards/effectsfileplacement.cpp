// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/effectsfileplacement.h"

#include "platform/prompter.h"
#include "tags/pagefilecopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Tarnwick {

namespace {

// As the file system names it: links resolved, case kept.
QString canonical(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : resolved;
}

} // namespace

QString EffectsFilePlacement::keptMessage(const QString &fileName, const QString &source)
{
    return QStringLiteral("The page's directory already holds a different file named ") + fileName
        + QStringLiteral(". It was kept; ") + QDir::toNativeSeparators(source)
        + QStringLiteral(" was not copied and nothing was inserted.");
}

std::optional<QString> EffectsFilePlacement::place(Prompter &prompter, const QString &file,
                                                   const QString &pageDirectory, bool copy)
{
    if (file.isEmpty() || !QDir::isAbsolutePath(file) || pageDirectory.isEmpty())
        return file;
    const QFileInfo source(file);
    const QString fileName = source.fileName();
    const QString page = canonical(pageDirectory);
    const QString directory = canonical(source.absolutePath());
    if (directory == page)
        return fileName;
    if (!copy)
        return QDir(page).relativeFilePath(directory + QLatin1Char('/') + fileName);
    const QString target = QDir(pageDirectory).filePath(fileName);
    const QFileInfo existing(target);
    if ((existing.exists() || existing.isSymLink()) && !PageFileCopy::sameContent(file, target)) {
        prompter.information(keptMessage(fileName, file));
        return std::nullopt;
    }
    if (!PageFileCopy::copyBeside(prompter, file, pageDirectory))
        return std::nullopt;
    return fileName;
}

} // namespace Tarnwick

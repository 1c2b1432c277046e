// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/pagefilecopy.h"

#include "platform/fileops.h"
#include "platform/prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Tarnwick {

namespace {

// Directories compare as the file system names them: links resolved, case kept.
bool sameDirectory(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

} // namespace

bool PageFileCopy::copyBeside(Prompter &prompter, const QString &file, const QString &directory)
{
    if (directory.isEmpty() || !QFileInfo(directory).isDir()) {
        prompter.warning(QStringLiteral("Cannot find directory"));
        return false;
    }
    const QFileInfo source(file);
    const QString fileName = source.fileName();
    if (sameDirectory(source.absolutePath(), directory))
        return true;
    const QString target = QDir(directory).filePath(fileName);
    const QFileInfo existing(target);
    if (existing.exists() || existing.isSymLink()) {
        if (!PageFileCopy::sameContent(file, target))
            prompter.information(
                QStringLiteral("The page's directory already holds a different file named ")
                + fileName + QStringLiteral(". It was kept; ") + QDir::toNativeSeparators(file)
                + QStringLiteral(" was not copied."));
        return true;
    }
    if (const Result copied = FileOps::copyFile(file, target); !copied) {
        prompter.error(copied.error());
        return false;
    }
    return true;
}

bool PageFileCopy::sameContent(const QString &a, const QString &b)
{
    QFile first(a);
    QFile second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly)
        || !second.open(QIODevice::ReadOnly))
        return false;
    while (!first.atEnd()) {
        const QByteArray block = first.read(64 * 1024);
        if (block != second.read(block.size()))
            return false;
    }
    return true;
}

} // namespace Tarnwick

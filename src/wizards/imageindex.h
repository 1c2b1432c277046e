// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

namespace Tarnwick {

// The page "images.htm" in the program directory that lists the images of
// chosen directories, each with its location and the picture itself.
class ImageIndex
{
public:
    static QString pagePath(const QString &programDirectory);
    static QString headingLine();
    // Writes the page with its heading line when there is none yet; an
    // existing page is left as it is.
    static Result createPage(const QString &path);

    // The directory as it leads a file name: with one trailing "/".
    static QString directoryPrefix(const QString &directory);
    // "*.gif;*.jpg" split into its masks.
    static QStringList masks(const QString &maskText);
    // The files of directory the masks match, ignoring case, by name.
    static QStringList imageFiles(const QString &directory, const QString &maskText);
    // A local path as a SRC value: the characters that would end or bend the
    // address ("#" a fragment, "?" a query, "%" an escape, '"' the value) are
    // percent-encoded.
    static QString sourceAddress(const QString &path);
    // The text appended for the files of one directory: two lines per file,
    // then an empty line; every line ends in a line break.
    static QString entryText(const QString &directoryPrefix, const QStringList &fileNames);
};

} // namespace Tarnwick

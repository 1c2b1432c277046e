// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// The image library of the Images tool page: category directories below a
// root (the program's directory or the shared image directory), the images of
// a category, the gallery page that shows them, and the IMG tag made of the
// page's boxes.
class ImageLibrary final
{
public:
    ImageLibrary() = delete;

    static QString defaultCategory(); // "Default": the page's own directory

    // "Default", then the root's subdirectories in sorted order.
    static QStringList categories(const QString &root);
    // True for a directory that is there but cannot be listed (no permission,
    // or not a directory); a missing one is simply empty.
    static bool unreadable(const QString &directory);
    // The directory of a category, with a trailing separator; "Default" is
    // the page's directory.
    static QString categoryDirectory(const QString &root, const QString &category,
                                     const QString &pageDirectory);

    // The names of the files in directory whose extension is one of the
    // comma-separated list, extension by extension in the list's order, each
    // name once. Extensions match in any case; a missing directory has none.
    static QStringList filesWithExtensions(const QString &directory, const QString &extensions);

    static QString galleryHeading();
    // The page the preview shows for a category: each image a link to itself.
    static QString galleryPage(const QString &directory, const QStringList &names);

    struct ImageTag
    {
        QString name; // bare file name
        QString alignment; // empty: no ALIGN
        QSize size; // 0 in either direction: that one left out
        QString hotLink; // empty: no anchor around the tag
    };
    static QString imageTag(const ImageTag &tag);

    // A value going into a double-quoted attribute.
    static QString quoted(QString value);
};

} // namespace Tarnwick

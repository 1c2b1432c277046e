// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace Tarnwick {

// What the page details check found. The lists are sorted and hold each
// entry once; WebDetails keeps the order of the check.
struct PageDetailsReport
{
    QString title;
    QStringList FilesFound; // image and background files that exist
    QStringList FilesMissing; // image and background files that do not
    QStringList Links; // link targets
    // Link targets within the site whose file exists, and whose anchor
    // after "#" exists in it when it is a page.
    QStringList LocatedLinks;
    QStringList PageMarkers; // names of the page's named anchors
    // Anchors linked but absent (name without "#") and present but never
    // linked ("#" + name).
    QStringList MissingPages;
    // Links within the site that lead nowhere: no scheme, not "#...", and
    // either the file is missing or the page it names lacks the "#name".
    QStringList Broken;
    QStringList WebDetails;
    // For each line of WebDetails: the line (from 1) and column (from 0) of
    // its reference in the page; line 0 for the other lines.
    QList<std::pair<int, int>> detailPositions;
    // Bytes of the existing files images and backgrounds name, each file
    // counted once however often the page uses it.
    qint64 totalBytes = 0;
    // The existing file each entry of FilesFound and Links names (a link's
    // file also when the anchor it asks for is missing).
    QHash<QString, QString> locatedPaths;

    // "Web details for: <" + title + ">".
    QString caption() const;
    // The existing files of FilesFound and Links, each once.
    QStringList locatedFiles() const;
};

// The page details check (Evaluate) over a page's text: the files its images
// and backgrounds name with their sizes, its links and whether their targets
// exist, its named anchors and the anchors linked but missing or never
// linked, and a detail line per reference. It reads nothing but the text and
// the files the text names.
class PageDetails final
{
public:
    PageDetails() = delete;

    static PageDetailsReport Evaluate(QStringView text, const QString &pageDirectory);

    // The file a value names, below pageDirectory: "#..." and "?..." are cut,
    // "&amp;" and %-escapes decoded, "\" read as "/", and a leading "/" is the
    // page's directory. Nothing when no file name is left or the value
    // climbs out of the directory.
    static std::optional<QString> localPath(const QString &value, const QString &pageDirectory);
    // The file a value names on this disk, read as localPath reads it but
    // with "../" climbing above pageDirectory as the browser does.
    static std::optional<QString> diskPath(const QString &value, const QString &pageDirectory);
    // "http:", "mailto:", "//host/...": an address outside the site's files.
    static bool hasScheme(const QString &value);

    // The texts of the check.
    static QString notLocated() { return QStringLiteral("(Did not locate.)"); }
    static QString backgroundImage() { return QStringLiteral("(Background Image)"); }
    static QString summary(qsizetype references, qint64 bytes);
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace Tarnwick {

// What the Open HTML Page preview shows for a file, and which listed file a
// link in that preview leads to. Knows no widget.
class PageFilePreview
{
public:
    struct Content
    {
        QString html;
        bool images = false; // pictures are shown with images on, pages with images off
    };

    // The most of a file read for its preview.
    static constexpr qint64 previewLimit = 4 * 1024 * 1024;

    // A picture is told by its extension (any case), not by a ".gif" somewhere
    // in the name.
    static bool isPicture(const QString &fileName);
    // A picture becomes an IMG of its file name (resolved against its directory);
    // any other file is read as text (its first previewLimit bytes), so the
    // engine never gets it as a download. An unreadable file gives empty markup.
    static Content forFile(const QString &path);
    // The name among listedNames of the file a clicked link (a full URL) leads
    // to in directory; empty when the link leads elsewhere.
    static QString listedFile(const QString &address, const QString &directory,
                              const QStringList &listedNames);
};

} // namespace Tarnwick

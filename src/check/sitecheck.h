// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/sitefiles.h"
#include "check/sitefinding.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

namespace Tarnwick {

// The check of a whole site before it is published: every page's local
// references (pictures, style sheets, scripts, frames, backgrounds, image
// maps, form actions, links) against the files of the project folder as a
// case-sensitive server sees them, its "#name" links against the anchors of
// the pages they name, addresses that only work on this computer, the
// declared encoding against the bytes, the markup, titles and ALT texts; then
// the files of the folder nothing uses. It reads the files on disk, which are
// what a publish sends, and never the network: addresses of other sites are
// listed, not fetched.
class SiteCheck final
{
public:
    // Pages larger than this are listed as not checked.
    static constexpr qint64 MaxPageBytes = 8 * 1024 * 1024;

    struct Request
    {
        QString projectDir;
        QStringList pages; // relative to projectDir, or absolute
        // The pages are the project tree's: a link to another page of the
        // folder that the tree lacks is warned about.
        bool fromProjectTree = false;
        QString pageExtensions = QStringLiteral("html,htm,shtm,shtml");
        bool orphans = true; // list the files of the folder nothing uses
        bool markup = true; // run the markup check
    };

    explicit SiteCheck(Request request);

    qsizetype pageCount() const { return m_request.pages.size(); }
    // The findings of the index-th page, sorted by line and column.
    QList<SiteFinding> checkPage(qsizetype index);
    // The findings about the folder itself (the orphans), once every page was checked.
    QList<SiteFinding> folderFindings() const;

    // Checks every page, then the folder. progress(done, total) is called
    // before each page and at the end; returning false stops the check, which
    // then returns what it found so far.
    using Progress = std::function<bool(qsizetype done, qsizetype total)>;
    static QList<SiteFinding> run(const Request &request, const Progress &progress = {});

    static qsizetype count(const QList<SiteFinding> &findings, SiteFinding::Severity severity);
    // Whether a file name has one of the page extensions ("html,htm" or "*.html;*.htm").
    static bool hasPageExtension(const QString &name, const QString &extensions);

private:
    struct Page;
    void checkReference(Page &page, const QString &tag, const QString &attribute,
                        const QString &value, int line, int column);
    void checkAnchor(Page &page, const QString &target, const QString &name, int line, int column);
    const QSet<QString> &anchorsOf(const QString &relative);
    QString relativeName(const QString &path) const;

    Request m_request;
    QString m_root;
    SiteFiles m_files;
    QSet<QString> m_treePages; // relative names
    QHash<QString, QSet<QString>> m_anchors; // by relative name
    QHash<QString, QStringList> m_located; // page (absolute) -> existing files it uses
};

} // namespace Tarnwick

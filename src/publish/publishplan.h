// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace Tarnwick {

// One reference a page makes, as the page details check found it.
struct ScannedReference
{
    QString value; // as the page writes it
    QString path; // the local file it names; empty when it names none
    bool located = false; // path is an existing file
    bool outside = false; // an address with a scheme: not a file of the site
};

// Reads a page (its tab's text when open, else its file) and lists its
// image, background and link references.
using ReferenceScanner = std::function<Expected<QList<ScannedReference>>(const QString &pagePath)>;

struct PublishFile
{
    enum class Kind { Page, Reference };
    Kind kind = Kind::Page;
    QString localPath;
    QString remoteName; // below the remote directory, "/" between folders
    qint64 size = -1; // -1: not on this computer
    bool binary = false;
    friend bool operator==(const PublishFile &, const PublishFile &) = default;
};

// A name left out of a send, and why.
struct PublishSkip
{
    QString name;
    QString page; // the page that names it; empty for a page itself
    QString reason;
    friend bool operator==(const PublishSkip &, const PublishSkip &) = default;
};

// What a send of some pages of a project stores: the pages, the files they
// reference, and the references that are left out or missing. The same plan
// serves the publishing dialog, its dry run and the command-line publisher.
class PublishPlan final
{
public:
    struct Request
    {
        QString projectDir;
        QStringList pages; // file names of the project's pages to send
        bool withReferences = true;
        QString smartAscii; // extensions sent in ASCII mode
        QString extensions; // the valid page extensions, also sent in ASCII mode
        ReferenceScanner scanner;
    };

    static PublishPlan build(const Request &request);

    // True for binary: the name's extension is neither one of the ASCII
    // extensions nor a page extension (whole entries, case aside); a name
    // without extension is binary.
    static bool ModeType(const QString &name, const QString &smartAscii, const QString &extensions);

    // The reasons a name is left out.
    static QString outsideSite() { return QStringLiteral("address outside the site"); }
    static QString absolutePath() { return QStringLiteral("absolute path"); }
    static QString aboveRemoteDirectory()
    {
        return QStringLiteral("outside the project directory");
    }
    static QString folder() { return QStringLiteral("folder, not a file"); }
    static QString settingsFile() { return QStringLiteral("project settings file, never sent"); }
    static QString lineBreak() { return QStringLiteral("name holds CR or LF"); }
    static QString notFound() { return QStringLiteral("not found"); }
    static QString unreadablePage(const QString &error);

    QList<PublishFile> pages;
    QList<PublishFile> references;
    QList<PublishSkip> skipped;
    QList<PublishSkip> missing;

    // Sizes of the files that exist.
    static qint64 bytes(const QList<PublishFile> &files);
    // Each file (local path, size, ASCII or binary, remote path), then the
    // skipped and the missing names.
    static QString dryRunText(const QList<PublishFile> &files, const QList<PublishSkip> &skipped,
                              const QList<PublishSkip> &missing, const QString &remoteDir);

    // The entries of skipped that are pages left out, or pages whose
    // references could not be read.
    static QList<PublishSkip> skippedPages(const QList<PublishSkip> &skipped);

    // A title line and one line per entry: "  name (in page): reason".
    static void appendSkips(QStringList &lines, const QString &title,
                            const QList<PublishSkip> &entries);

private:
    void addReference(const Request &request, const QString &page, const ScannedReference &r);
    void skip(QList<PublishSkip> &list, const QString &name, const QString &page,
              const QString &reason);
};

} // namespace Tarnwick

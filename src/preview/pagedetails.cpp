// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/pagedetails.h"

#include "platform/textfile.h"
#include "preview/pagereferences.h"
#include "tags/pagetitle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace Tarnwick {

namespace {

// The list boxes sort as the user reads them: case aside first.
void sortForList(QStringList &list)
{
    std::sort(list.begin(), list.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

// A list that takes each entry once, in the order they come.
struct OnceList
{
    QStringList items;
    QSet<QString> seen;

    bool add(const QString &item)
    {
        if (seen.contains(item))
            return false;
        seen.insert(item);
        items.append(item);
        return true;
    }
    bool contains(const QString &item) const { return seen.contains(item); }
};

// The anchor name after "#", as a browser reads it.
QString fragmentOf(const QString &value)
{
    const qsizetype hash = value.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return {};
    QString fragment = value.mid(hash + 1);
    fragment.replace(QStringLiteral("&amp;"), QStringLiteral("&"), Qt::CaseInsensitive);
    return QUrl::fromPercentEncoding(fragment.toUtf8());
}

// The file name a value writes, relative to the page's folder: "#..." and
// "?..." cut, "&amp;" and %-escapes decoded, "\\" read as "/", leading "/"
// dropped, cleaned. Nothing when no name is left.
std::optional<QString> relativeName(const QString &value)
{
    QString name = value;
    name.replace(QStringLiteral("&amp;"), QStringLiteral("&"), Qt::CaseInsensitive);
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.at(i) == QLatin1Char('#') || name.at(i) == QLatin1Char('?')) {
            name.truncate(i);
            break;
        }
    }
    name = QUrl::fromPercentEncoding(name.toUtf8());
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    const QString relative = QDir::cleanPath(name);
    // No file name holds a NUL character.
    if (relative.contains(QChar(0)) || relative.isEmpty() || relative == QStringLiteral(".")
        || QDir::isAbsolutePath(relative))
        return std::nullopt;
    return relative;
}

QString position(const PageReference &r)
{
    return QString::number(r.line) + QLatin1Char(':') + QString::number(r.column)
        + QStringLiteral(": ");
}

// The check looks each value up once: a page names the same file many times.
class FileLookup
{
public:
    explicit FileLookup(const QString &directory)
        : m_directory(directory)
    {
    }

    struct Entry
    {
        QString path; // empty when the value names no file
        qint64 size = -1;
    };

    const Entry &find(const QString &value)
    {
        auto it = m_cache.constFind(value);
        if (it != m_cache.constEnd())
            return *it;
        Entry entry;
        // Files above the page's folder count too: the page reaches them on
        // this disk, whether or not they are published with it.
        if (const std::optional<QString> path = PageDetails::diskPath(value, m_directory)) {
            const QFileInfo info(*path);
            if (info.isFile()) {
                entry.path = *path;
                entry.size = info.size();
            }
        }
        return *m_cache.insert(value, entry);
    }

private:
    QString m_directory;
    QHash<QString, Entry> m_cache;
};

// The anchor names and ids of the pages that links name with "#name", each
// page read once.
class AnchorLookup
{
public:
    bool has(const QString &path, const QString &name)
    {
        auto it = m_anchors.constFind(path);
        if (it == m_anchors.constEnd())
            it = m_anchors.insert(path, read(path));
        return it->contains(name);
    }

    // Only pages have anchors; "#page=2" of a PDF is no anchor.
    static bool isPage(const QString &path)
    {
        const QString suffix = QFileInfo(path).suffix().toLower();
        return suffix.startsWith(QStringLiteral("htm")) || suffix.startsWith(QStringLiteral("shtm"))
            || suffix == QStringLiteral("xhtml");
    }

private:
    static QSet<QString> read(const QString &path)
    {
        QSet<QString> names;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return names;
        const QString text = TextFile::decode(file.readAll()).text;
        for (const PageReference &r : PageReferences::parse(text)) {
            if ((r.kind == PageReference::Kind::Marker || r.kind == PageReference::Kind::Id)
                && !r.value.isEmpty())
                names.insert(r.value);
        }
        return names;
    }

    QHash<QString, QSet<QString>> m_anchors;
};

} // namespace

QString PageDetailsReport::caption() const
{
    return QStringLiteral("Web details for: <") + title + QLatin1Char('>');
}

QStringList PageDetailsReport::locatedFiles() const
{
    QStringList files;
    QSet<QString> seen;
    for (const QStringList *list : { &FilesFound, &Links }) {
        for (const QString &value : *list) {
            const QString path = locatedPaths.value(value);
            if (!path.isEmpty() && !seen.contains(path)) {
                seen.insert(path);
                files.append(path);
            }
        }
    }
    return files;
}

QString PageDetails::summary(qsizetype references, qint64 bytes)
{
    return QStringLiteral("Page contains ") + QString::number(references)
        + QStringLiteral(" SRC references totalling ") + QString::number(bytes)
        + QStringLiteral(" bytes.");
}

bool PageDetails::hasScheme(const QString &value)
{
    if (value.startsWith(QStringLiteral("//")) || value.startsWith(QStringLiteral("\\\\")))
        return true;
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    // One letter before the colon is a drive, not a scheme.
    if (colon < 2)
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = value.at(i);
        const bool letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        const bool other = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+')
            || c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!letter && !(i > 0 && other))
            return false;
    }
    return true;
}

std::optional<QString> PageDetails::diskPath(const QString &value, const QString &pageDirectory)
{
    const std::optional<QString> relative = relativeName(value);
    // ".." alone, or only climbing, names a folder, not a file.
    if (!relative || *relative == QStringLiteral("..") || relative->endsWith(QStringLiteral("/..")))
        return std::nullopt;
    QString path = QDir::cleanPath(pageDirectory + QLatin1Char('/') + *relative);
    // As on any server and in any shell, climbing above the root stays there.
    while (path.startsWith(QStringLiteral("/../")))
        path.remove(0, 3);
    return path;
}

std::optional<QString> PageDetails::localPath(const QString &value, const QString &pageDirectory)
{
    const std::optional<QString> relative = relativeName(value);
    if (!relative || *relative == QStringLiteral("..")
        || relative->startsWith(QStringLiteral("../")))
        return std::nullopt;
    return QDir::cleanPath(pageDirectory + QLatin1Char('/') + *relative);
}

PageDetailsReport PageDetails::Evaluate(QStringView text, const QString &pageDirectory)
{
    using Kind = PageReference::Kind;
    PageDetailsReport report;
    report.title = PageTitle::fromText(text);
    const QList<PageReference> references = PageReferences::parse(text);

    FileLookup files(pageDirectory);
    AnchorLookup anchors;
    OnceList found, missing, links, located, markers, broken;
    QSet<QString> ids;
    QSet<QString> counted; // each file's bytes count once, however often it is used
    QStringList backgroundLines, sourceLines, linkLines, markerLines;
    QList<std::pair<int, int>> backgroundAt, sourceAt, linkAt, markerAt;

    // Links come before markers, whose check looks them up; the page's ids
    // are targets for "#name" links as named anchors are.
    for (const PageReference &r : references) {
        if (r.kind == Kind::Id && !r.value.isEmpty())
            ids.insert(r.value);
        else if (r.kind == Kind::Link && !r.value.isEmpty())
            links.add(r.value);
        else if (r.kind == Kind::Marker && !r.value.isEmpty())
            markers.add(r.value);
    }

    for (const PageReference &r : references) {
        switch (r.kind) {
        case Kind::Background:
        case Kind::Source: {
            if (r.value.isEmpty())
                break; // nothing to look for, and no detail line
            const FileLookup::Entry &file = files.find(r.value);
            QString detail = position(r) + r.value;
            if (file.path.isEmpty()) {
                missing.add(r.value);
                detail += notLocated();
            } else {
                found.add(r.value);
                report.locatedPaths.insert(r.value, file.path);
                if (!counted.contains(file.path)) {
                    counted.insert(file.path);
                    report.totalBytes += file.size;
                }
            }
            if (r.kind == Kind::Background)
                detail += backgroundImage();
            detail += QStringLiteral(" Size=") + QString::number(file.size)
                + QStringLiteral(" bytes.");
            (r.kind == Kind::Background ? backgroundLines : sourceLines).append(detail);
            (r.kind == Kind::Background ? backgroundAt : sourceAt).append({ r.line, r.column });
            break;
        }
        case Kind::Link: {
            if (r.value.isEmpty()) {
                linkLines.append(QString::number(r.line)
                                 + QStringLiteral(": Appears to be a link without quotes"));
                linkAt.append({ r.line, r.column });
                break;
            }
            // Addresses of other sites and mail addresses are not checked.
            bool isLocated = true;
            if (r.value.startsWith(QLatin1Char('#'))) {
                const QString name = r.value.mid(1);
                isLocated = markers.contains(name) || ids.contains(name);
            } else if (!hasScheme(r.value)) {
                const FileLookup::Entry &file = files.find(r.value);
                // The file is there for publishing even when its anchor is not.
                if (!file.path.isEmpty())
                    report.locatedPaths.insert(r.value, file.path);
                const QString fragment = fragmentOf(r.value);
                isLocated = !file.path.isEmpty()
                    && (fragment.isEmpty() || !AnchorLookup::isPage(file.path)
                        || anchors.has(file.path, fragment));
                if (isLocated)
                    located.add(r.value);
                else
                    broken.add(r.value);
            }
            linkLines.append(position(r) + r.value + (isLocated ? QString() : notLocated()));
            linkAt.append({ r.line, r.column });
            break;
        }
        case Kind::Marker: {
            if (r.value.isEmpty()) {
                markerLines.append(QString::number(r.line)
                                   + QStringLiteral(": Appears to be a name without quotes"));
                markerAt.append({ r.line, r.column });
                break;
            }
            const bool isLocated = links.contains(QLatin1Char('#') + r.value);
            markerLines.append(position(r) + r.value + (isLocated ? QString() : notLocated()));
            markerAt.append({ r.line, r.column });
            break;
        }
        case Kind::Id:
            break;
        }
    }

    QStringList missingMarkers;
    for (const QString &link : links.items) {
        if (!link.startsWith(QLatin1Char('#')))
            continue;
        const QString name = link.mid(1);
        if (!markers.contains(name) && !ids.contains(name))
            missingMarkers.append(name);
    }
    for (const QString &marker : markers.items) {
        if (!links.contains(QLatin1Char('#') + marker))
            missingMarkers.append(QLatin1Char('#') + marker);
    }

    report.FilesFound = found.items;
    report.FilesMissing = missing.items;
    report.Links = links.items;
    report.LocatedLinks = located.items;
    report.PageMarkers = markers.items;
    report.MissingPages = missingMarkers;
    report.Broken = broken.items;
    for (QStringList *list :
         { &report.FilesFound, &report.FilesMissing, &report.Links, &report.LocatedLinks,
           &report.PageMarkers, &report.MissingPages, &report.Broken })
        sortForList(*list);

    const auto add = [&report](const QString &line, std::pair<int, int> at = { 0, 0 }) {
        report.WebDetails.append(line);
        report.detailPositions.append(at);
    };
    const auto addAll = [&add](const QStringList &lines, const QList<std::pair<int, int>> &at) {
        for (qsizetype i = 0; i < lines.size(); ++i)
            add(lines.at(i), at.at(i));
    };
    add(QStringLiteral("Searching for Title..."));
    add(report.title);
    addAll(backgroundLines, backgroundAt);
    add(QStringLiteral("Searching for image items..."));
    addAll(sourceLines, sourceAt);
    add(QStringLiteral("Searching for link references..."));
    addAll(linkLines, linkAt);
    add(QStringLiteral("Searching for page markers..."));
    addAll(markerLines, markerAt);
    add(QString());
    add(summary(report.FilesFound.size(), report.totalBytes));
    return report;
}

} // namespace Tarnwick

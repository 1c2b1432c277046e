// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/sitecheck.h"

#include "check/markupcheck.h"
#include "check/pagecharset.h"
#include "platform/filefilter.h"
#include "platform/fileops.h"
#include "platform/textfile.h"
#include "preview/pagedetails.h"
#include "preview/pagereferences.h"
#include "project/orphansearch.h"
#include "project/projectpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace Tarnwick {

namespace {

using Kind = SiteFinding::Kind;
using Severity = SiteFinding::Severity;

bool is(QStringView name, QLatin1String word)
{
    return name.compare(word, Qt::CaseInsensitive) == 0;
}

// Whether an attribute of a tag names a file or page the browser loads or goes to.
bool isReference(QStringView tag, QStringView attribute)
{
    if (is(attribute, QLatin1String("src")) || is(attribute, QLatin1String("background")))
        return true;
    if (is(attribute, QLatin1String("href")))
        return is(tag, QLatin1String("a")) || is(tag, QLatin1String("area"))
            || is(tag, QLatin1String("link"));
    if (is(attribute, QLatin1String("action")))
        return is(tag, QLatin1String("form"));
    if (is(attribute, QLatin1String("usemap")))
        return is(tag, QLatin1String("img")) || is(tag, QLatin1String("input"))
            || is(tag, QLatin1String("object"));
    if (is(attribute, QLatin1String("data")))
        return is(tag, QLatin1String("object"));
    if (is(attribute, QLatin1String("poster")))
        return is(tag, QLatin1String("video"));
    return false;
}

// The names "#name" can go to: NAME of A and MAP, ID of any tag.
void collectAnchor(const PageTag &tag, QSet<QString> &anchors)
{
    for (const PageAttribute &a : tag.attributes) {
        if (!a.hasValue || a.value.isEmpty())
            continue;
        if (is(a.name, QLatin1String("id"))
            || (is(a.name, QLatin1String("name"))
                && (is(tag.name, QLatin1String("a")) || is(tag.name, QLatin1String("map")))))
            anchors.insert(a.value);
    }
}

QString decoded(const QString &value)
{
    return QUrl::fromPercentEncoding(value.toUtf8());
}

// An address written as a path of this computer rather than of the site.
bool isHostPath(const QString &path)
{
    static const QStringList roots
        = { QStringLiteral("/home/"),  QStringLiteral("/root/"), QStringLiteral("/tmp/"),
            QStringLiteral("/Users/"), QStringLiteral("/mnt/"),  QStringLiteral("/media/"),
            QStringLiteral("/var/"),   QStringLiteral("/usr/") };
    return std::any_of(roots.begin(), roots.end(),
                       [&](const QString &root) { return path.startsWith(root); });
}

bool inside(const QString &path, const QString &root)
{
    return path == root || path.startsWith(root + QLatin1Char('/')) || root == QStringLiteral("/");
}

struct Text
{
    QByteArray bytes;
    QString text;
    QString problem; // why the file was not checked; empty when it was read
    Severity severity = Severity::Warning;
};

Text readPage(const QString &path)
{
    Text page;
    const QFileInfo info(path);
    if (!info.exists()) {
        page.problem = QStringLiteral("cannot be read: no such file");
        page.severity = Severity::Error;
        return page;
    }
    if (info.isDir()) {
        page.problem = QStringLiteral("is a folder, not a page");
        page.severity = Severity::Error;
        return page;
    }
    if (info.size() > SiteCheck::MaxPageBytes) {
        page.problem = QStringLiteral("not checked: larger than %1 MB")
                           .arg(SiteCheck::MaxPageBytes / (1024 * 1024));
        return page;
    }
    // The file may have grown since it was listed.
    FileOps::BoundedRead read = FileOps::readAtMost(path, SiteCheck::MaxPageBytes);
    if (!read.error.isEmpty()) {
        page.problem = QStringLiteral("cannot be read: ") + read.error;
        page.severity = Severity::Error;
        return page;
    }
    if (read.tooLarge) {
        page.problem = QStringLiteral("not checked: larger than %1 MB")
                           .arg(SiteCheck::MaxPageBytes / (1024 * 1024));
        return page;
    }
    page.bytes = std::move(read.bytes);
    TextFileContent content = TextFile::decode(page.bytes);
    if (!content.looksLikeText) {
        page.problem = QStringLiteral("not checked: the file is not text");
        page.bytes.clear();
        return page;
    }
    page.text = std::move(content.text);
    return page;
}

} // namespace

struct SiteCheck::Page
{
    QString relative; // to the project folder, or the absolute path outside it
    QString directory; // absolute
    QList<SiteFinding> findings;
    QStringList located; // existing local files it uses, absolute

    void add(int line, int column, Severity severity, Kind kind, const QString &message)
    {
        findings.append({ relative, line, column, severity, kind, message });
    }
};

SiteCheck::SiteCheck(Request request)
    : m_request(std::move(request))
    , m_root(QDir::cleanPath(QDir(m_request.projectDir).absolutePath()))
    , m_files(m_root)
{
    if (m_request.fromProjectTree) {
        for (const QString &page : std::as_const(m_request.pages))
            m_treePages.insert(relativeName(QDir(m_root).absoluteFilePath(page)));
    }
}

bool SiteCheck::hasPageExtension(const QString &name, const QString &extensions)
{
    const QString suffix = QFileInfo(name).suffix();
    const QStringList list = FileFilter::looseExtensionList(extensions);
    return !suffix.isEmpty() && std::any_of(list.begin(), list.end(), [&](const QString &e) {
        return suffix.compare(e, Qt::CaseInsensitive) == 0;
    });
}

QString SiteCheck::relativeName(const QString &path) const
{
    const QString clean = QDir::cleanPath(path);
    if (clean.startsWith(m_root + QLatin1Char('/')))
        return clean.mid(m_root.size() + 1);
    return clean;
}

qsizetype SiteCheck::count(const QList<SiteFinding> &findings, SiteFinding::Severity severity)
{
    return std::count_if(findings.begin(), findings.end(),
                         [&](const SiteFinding &f) { return f.severity == severity; });
}

const QSet<QString> &SiteCheck::anchorsOf(const QString &relative)
{
    auto found = m_anchors.constFind(relative);
    if (found != m_anchors.constEnd())
        return *found;
    QSet<QString> anchors;
    const Text page = readPage(m_root + QLatin1Char('/') + relative);
    PageReferences::forEachTag(page.text, [&](const PageTag &tag) { collectAnchor(tag, anchors); });
    return *m_anchors.insert(relative, std::move(anchors));
}

void SiteCheck::checkAnchor(Page &page, const QString &target, const QString &name, int line,
                            int column)
{
    if (name.isEmpty() || anchorsOf(target).contains(name))
        return;
    // "#top" goes to the top of any page in every browser.
    if (name.compare(QLatin1String("top"), Qt::CaseInsensitive) == 0)
        return;
    if (target == page.relative)
        page.add(line, column, Severity::Error, Kind::Anchor,
                 QStringLiteral("no anchor named \"%1\" in this page").arg(name));
    else
        page.add(line, column, Severity::Error, Kind::Anchor,
                 QStringLiteral("no anchor named \"%1\" in %2").arg(name, target));
}

void SiteCheck::checkReference(Page &page, const QString &tag, const QString &attribute,
                               const QString &written, int line, int column)
{
    QString value = written.trimmed();
    value.replace(QStringLiteral("&amp;"), QStringLiteral("&"), Qt::CaseInsensitive);
    if (value.isEmpty())
        return;
    const QString what = QStringLiteral("%1 of <%2>").arg(attribute.toUpper(), tag.toUpper());
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/]|$)"));
    if (value.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        page.add(line, column, Severity::Error, Kind::LocalPath,
                 QStringLiteral("%1 is a file: address, which only works on this computer: %2")
                     .arg(what, value));
        return;
    }
    if (drive.match(value).hasMatch() || value.startsWith(QLatin1String("\\\\"))) {
        page.add(line, column, Severity::Error, Kind::LocalPath,
                 QStringLiteral("%1 names a Windows drive or share, which the server does not "
                                "have: %2")
                     .arg(what, value));
        return;
    }
    if (PageDetails::hasScheme(value)) {
        if (value.startsWith(QLatin1String("http:"), Qt::CaseInsensitive)
            || value.startsWith(QLatin1String("https:"), Qt::CaseInsensitive)
            || value.startsWith(QLatin1String("//")))
            page.add(line, column, Severity::Note, Kind::External,
                     QStringLiteral("address on another site, not checked: %1").arg(value));
        return; // mailto:, javascript:, tel: and the like go nowhere in the folder
    }
    if (value.contains(QLatin1Char('\\'))) {
        QString written_ = value;
        page.add(line, column, Severity::Error, Kind::LocalPath,
                 QStringLiteral("%1 has backslashes, which only Windows reads as folders: "
                                "write \"%2\"")
                     .arg(what, written_.replace(QLatin1Char('\\'), QLatin1Char('/'))));
        return;
    }
    QString path = value;
    QString fragment;
    if (const qsizetype hash = path.indexOf(QLatin1Char('#')); hash >= 0) {
        fragment = decoded(path.mid(hash + 1));
        path.truncate(hash);
    }
    if (const qsizetype query = path.indexOf(QLatin1Char('?')); query >= 0)
        path.truncate(query);
    path = decoded(path);
    if (path.isEmpty()) {
        // "#name" or "?query": this very page.
        checkAnchor(page, page.relative, fragment, line, column);
        return;
    }
    QString absolute;
    if (path.startsWith(QLatin1Char('/'))) {
        if (isHostPath(path)
            || (!inside(QDir::cleanPath(path), m_root) && QFileInfo::exists(path))) {
            page.add(line, column, Severity::Error, Kind::LocalPath,
                     QStringLiteral("%1 is a path of this computer, which the server does not "
                                    "have: %2")
                         .arg(what, value));
            return;
        }
        // From the top of the site, which is the project folder.
        absolute = QDir::cleanPath(m_root + path);
    } else {
        absolute = QDir::cleanPath(page.directory + QLatin1Char('/') + path);
    }
    if (!inside(absolute, m_root)) {
        page.add(line, column, Severity::Error, Kind::Outside,
                 QStringLiteral("%1 points outside the project folder, where nothing is "
                                "published: %2")
                     .arg(what, value));
        return;
    }
    const QString relative = relativeName(absolute);
    if (absolute == m_root)
        return; // the top of the site
    const SiteFiles::Lookup lookup = m_files.find(relative);
    if (lookup.found == SiteFiles::Found::OtherCase) {
        page.add(line, column, Severity::Error, Kind::LetterCase,
                 QStringLiteral("%1 names \"%2\" but the file is \"%3\": a server that tells "
                                "capitals apart will not find it")
                     .arg(what, relative, lookup.actual));
        return;
    }
    if (lookup.found == SiteFiles::Found::Missing) {
        page.add(line, column, Severity::Error, Kind::Missing,
                 QStringLiteral("%1 names a file that does not exist: %2").arg(what, relative));
        return;
    }
    const QFileInfo info(absolute);
    const QString canonical = info.canonicalFilePath();
    const QString canonicalRoot = QFileInfo(m_root).canonicalFilePath();
    if (!canonical.isEmpty() && !canonicalRoot.isEmpty() && !inside(canonical, canonicalRoot)) {
        page.add(line, column, Severity::Warning, Kind::Symlink,
                 QStringLiteral("%1 reaches %2 through a symbolic link to %3, outside the project "
                                "folder")
                     .arg(what, relative, canonical));
    }
    if (info.isDir())
        return;
    page.located.append(absolute);
    const bool isPage = hasPageExtension(relative, m_request.pageExtensions);
    if (isPage && m_request.fromProjectTree && !m_treePages.contains(relative)
        && is(attribute, QLatin1String("href")))
        page.add(line, column, Severity::Warning, Kind::NotInProject,
                 QStringLiteral("links to %1, which is not a page of the project").arg(relative));
    if (isPage && !fragment.isEmpty())
        checkAnchor(page, relative, fragment, line, column);
}

QList<SiteFinding> SiteCheck::checkPage(qsizetype index)
{
    if (index < 0 || index >= m_request.pages.size())
        return {};
    const QString absolute
        = QDir::cleanPath(QDir(m_root).absoluteFilePath(m_request.pages.at(index)));
    Page page;
    page.relative = relativeName(absolute);
    page.directory = QFileInfo(absolute).absolutePath();
    const Text text = readPage(absolute);
    if (!text.problem.isEmpty()) {
        page.add(0, 0, text.severity, Kind::Unreadable, text.problem);
        return page.findings;
    }
    page.findings = PageCharset::check(text.bytes, page.relative);

    // The page's tags first, for the anchors that its own "#name" links need.
    struct Reference
    {
        QString tag;
        QString attribute;
        QString value;
        int line;
        int column;
    };
    QList<Reference> references;
    QSet<QString> anchors;
    PageReferences::forEachTag(text.text, [&](const PageTag &tag) {
        collectAnchor(tag, anchors);
        bool alt = false;
        for (const PageAttribute &a : tag.attributes) {
            if (a.hasValue && isReference(tag.name, a.name))
                references.append(
                    { tag.name.toString(), a.name.toString(), a.value, a.line, a.column + 1 });
            alt = alt || is(a.name, QLatin1String("alt"));
        }
        if (is(tag.name, QLatin1String("img")) && !alt)
            page.add(tag.line, tag.column + 1, Severity::Warning, Kind::Alt,
                     QStringLiteral("picture without ALT text, which readers who cannot see it "
                                    "and search engines need"));
    });
    m_anchors.insert(page.relative, anchors);
    for (const Reference &r : std::as_const(references))
        checkReference(page, r.tag, r.attribute, r.value, r.line, r.column);

    static const QRegularExpression title(QStringLiteral("<title\\b[^>]*>([^<]*)</title\\s*>"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (title.match(text.text).captured(1).trimmed().isEmpty())
        page.add(0, 0, Severity::Warning, Kind::Title, QStringLiteral("page without a title"));

    if (m_request.markup)
        page.findings += MarkupCheck::check(text.text, page.relative);
    std::stable_sort(page.findings.begin(), page.findings.end(), SiteFinding::lessThan);
    m_located.insert(absolute, page.located);
    return page.findings;
}

QList<SiteFinding> SiteCheck::folderFindings() const
{
    QList<SiteFinding> found;
    if (!m_request.orphans)
        return found;
    OrphanSearch search(m_root, m_request.pages, [this](const QString &page) {
        return Expected<QStringList>(m_located.value(QDir::cleanPath(page)));
    });
    for (int i = 0; i < m_request.pages.size(); ++i)
        (void)search.CollectFiles(i);
    for (const QString &name : search.orphans(OrphanSearch::directoryFiles(m_root))) {
        // The settings file is never sent; pages of the folder the tree lacks
        // are not what the orphan list is about when every page is checked.
        if (name.compare(ProjectPaths::SettingsFileName, Qt::CaseInsensitive) == 0)
            continue;
        found.append({ name, 0, 0, Severity::Note, Kind::Orphan,
                       QStringLiteral("no page of the project uses this file") });
    }
    return found;
}

QList<SiteFinding> SiteCheck::run(const Request &request, const Progress &progress)
{
    SiteCheck check(request);
    QList<SiteFinding> found;
    const qsizetype total = check.pageCount();
    for (qsizetype i = 0; i < total; ++i) {
        if (progress && !progress(i, total))
            return found;
        found += check.checkPage(i);
    }
    found += check.folderFindings();
    if (progress)
        progress(total, total);
    return found;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishplan.h"

#include "platform/filefilter.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace Tarnwick {

namespace {

const QString settingsFileName = QStringLiteral("PROJECT.INI");

bool isSettingsFile(const QString &remoteName)
{
    return remoteName.compare(settingsFileName, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString &name)
{
    return name.contains(QLatin1Char('\r')) || name.contains(QLatin1Char('\n'));
}

// Why a name written in a page cannot stand below the remote directory;
// empty when it can.
QString placeProblem(const QString &value)
{
    QString name = value;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')) || QDir::isAbsolutePath(name)
        || (name.size() >= 2 && name.at(1) == QLatin1Char(':')))
        return PublishPlan::absolutePath();
    const QStringList parts = name.split(QLatin1Char('/'));
    if (parts.contains(QStringLiteral("..")))
        return PublishPlan::aboveRemoteDirectory();
    return {};
}

void sortByRemoteName(QList<PublishFile> &files)
{
    std::stable_sort(files.begin(), files.end(), [](const PublishFile &a, const PublishFile &b) {
        const int folded = a.remoteName.compare(b.remoteName, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.remoteName < b.remoteName;
    });
}

} // namespace

QString PublishPlan::unreadablePage(const QString &error)
{
    return QStringLiteral("page not read: ") + error;
}

bool PublishPlan::ModeType(const QString &name, const QString &smartAscii,
                           const QString &extensions)
{
    const QString file = name.section(QLatin1Char('/'), -1);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == file.size() - 1)
        return true;
    const QString extension = file.mid(dot + 1);
    const QStringList entries
        = FileFilter::looseExtensionList(smartAscii + QLatin1Char(' ') + extensions);
    return std::none_of(entries.begin(), entries.end(), [&](const QString &entry) {
        return entry.compare(extension, Qt::CaseInsensitive) == 0;
    });
}

void PublishPlan::skip(QList<PublishSkip> &list, const QString &name, const QString &page,
                       const QString &reason)
{
    for (const PublishSkip &s : std::as_const(list)) {
        if (s.name == name)
            return;
    }
    list.append({ name, page, reason });
}

PublishPlan PublishPlan::build(const Request &request)
{
    PublishPlan plan;
    const QDir project(request.projectDir);
    QSet<QString> pageNames;
    for (const QString &entry : request.pages) {
        QString name = entry;
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (isSettingsFile(name) || pageNames.contains(name))
            continue;
        if (hasLineBreak(name)) {
            plan.skip(plan.skipped, name, QString(), lineBreak());
            continue;
        }
        if (const QString problem = placeProblem(name); !problem.isEmpty()) {
            plan.skip(plan.skipped, name, QString(), problem);
            continue;
        }
        pageNames.insert(QDir::cleanPath(name));
        PublishFile file;
        file.kind = PublishFile::Kind::Page;
        file.remoteName = QDir::cleanPath(name);
        file.localPath = project.filePath(file.remoteName);
        const QFileInfo info(file.localPath);
        file.size = info.isFile() ? info.size() : -1;
        file.binary = false; // pages go in ASCII
        plan.pages.append(file);
    }
    sortByRemoteName(plan.pages);

    if (request.withReferences && request.scanner) {
        for (const PublishFile &page : std::as_const(plan.pages)) {
            if (page.size < 0)
                continue;
            const Expected<QList<ScannedReference>> scanned = request.scanner(page.localPath);
            if (!scanned) {
                plan.skip(plan.skipped, page.remoteName, page.remoteName,
                          unreadablePage(scanned.error()));
                continue;
            }
            for (const ScannedReference &r : *scanned)
                plan.addReference(request, page.remoteName, r);
        }
        // A page selected for sending goes as a page, not as a reference.
        plan.references.removeIf(
            [&pageNames](const PublishFile &f) { return pageNames.contains(f.remoteName); });
        sortByRemoteName(plan.references);
    }
    return plan;
}

void PublishPlan::addReference(const Request &request, const QString &page,
                               const ScannedReference &r)
{
    if (r.value.isEmpty() || r.value.startsWith(QLatin1Char('#')))
        return;
    if (r.outside) {
        skip(skipped, r.value, page, outsideSite());
        return;
    }
    if (hasLineBreak(r.value)) {
        skip(skipped, r.value, page, lineBreak());
        return;
    }
    if (const QString problem = placeProblem(r.value); !problem.isEmpty()) {
        skip(skipped, r.value, page, problem);
        return;
    }
    if (!r.located) {
        if (!r.path.isEmpty() && QFileInfo(r.path).isDir())
            skip(skipped, r.value, page, folder());
        else
            skip(missing, r.value, page, notFound());
        return;
    }
    const QString remote = QDir(request.projectDir).relativeFilePath(r.path);
    if (remote.startsWith(QStringLiteral("../")) || remote == QStringLiteral("..")
        || QDir::isAbsolutePath(remote)) {
        skip(skipped, r.value, page, aboveRemoteDirectory());
        return;
    }
    if (hasLineBreak(remote)) {
        skip(skipped, r.value, page, lineBreak());
        return;
    }
    if (isSettingsFile(remote)) {
        skip(skipped, r.value, page, settingsFile());
        return;
    }
    for (const PublishFile &f : std::as_const(references)) {
        if (f.remoteName == remote)
            return;
    }
    PublishFile file;
    file.kind = PublishFile::Kind::Reference;
    file.localPath = r.path;
    file.remoteName = remote;
    const QFileInfo info(r.path);
    file.size = info.isFile() ? info.size() : -1;
    file.binary = ModeType(remote, request.smartAscii, request.extensions);
    references.append(file);
}

QList<PublishSkip> PublishPlan::skippedPages(const QList<PublishSkip> &skipped)
{
    QList<PublishSkip> pages;
    for (const PublishSkip &s : skipped) {
        // A page's own entry names no page; an unread page names itself.
        if (s.page.isEmpty() || s.name == s.page)
            pages.append(s);
    }
    return pages;
}

qint64 PublishPlan::bytes(const QList<PublishFile> &files)
{
    qint64 total = 0;
    for (const PublishFile &f : files)
        total += qMax<qint64>(f.size, 0);
    return total;
}

QString PublishPlan::dryRunText(const QList<PublishFile> &files, const QList<PublishSkip> &skipped,
                                const QList<PublishSkip> &missing, const QString &remoteDir)
{
    QString base = remoteDir;
    while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const QString prefix = base.isEmpty() ? QString() : base + QLatin1Char('/');
    QStringList lines;
    lines << QStringLiteral("Files that will be sent (%1, %2 bytes):")
                 .arg(files.size())
                 .arg(QLocale::c().toString(bytes(files)));
    for (const PublishFile &f : files) {
        lines << QStringLiteral("  %1  %2  %3  -> %4")
                     .arg(f.localPath,
                          f.size < 0 ? QStringLiteral("missing")
                                     : QLocale::c().toString(f.size) + QStringLiteral(" bytes"),
                          f.binary ? QStringLiteral("binary") : QStringLiteral("ASCII"),
                          prefix + f.remoteName);
    }
    appendSkips(lines, QStringLiteral("Skipped references:"), skipped);
    appendSkips(lines, QStringLiteral("Missing references:"), missing);
    return lines.join(QLatin1Char('\n'));
}

void PublishPlan::appendSkips(QStringList &lines, const QString &title,
                              const QList<PublishSkip> &entries)
{
    if (entries.isEmpty())
        return;
    lines << QString() << title;
    for (const PublishSkip &s : entries) {
        QString line = QStringLiteral("  ") + s.name;
        if (!s.page.isEmpty() && s.page != s.name)
            line += QStringLiteral(" (in ") + s.page + QLatin1Char(')');
        lines << line + QStringLiteral(": ") + s.reason;
    }
}

} // namespace Tarnwick

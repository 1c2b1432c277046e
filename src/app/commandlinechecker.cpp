// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandlinechecker.h"

#include "app/commandlinepublisher.h"
#include "check/sitecheck.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace Tarnwick {

QString CommandLineChecker::usage()
{
    return QStringLiteral(
        "Usage: tarnwick-check PROJECT_DIR [--json] [--no-markup] [--home DIR]\n"
        "       tarnwick-check PAGE... [--json] [--no-markup]\n"
        "       tarnwick-check --help\n"
        "Checks a site before it is published: local links, pictures, style sheets,\n"
        "scripts, frames, image maps and form actions whose file is missing or is\n"
        "spelt with other capitals, \"#name\" links without their anchor, addresses\n"
        "that only work on this computer, the declared encoding against the bytes,\n"
        "the markup, titles and ALT texts, and the files nothing uses. Addresses of\n"
        "other sites are listed, not fetched. A project folder is checked with the\n"
        "pages of its project in the Tarnwick home's project list, else with every\n"
        "page file in it.\n"
        "Prints one line per finding: path:line:column: error|warning|note: message [kind]\n"
        "--json prints the findings as one JSON object instead.\n"
        "Exit status: 0 no errors, 1 errors were found, 2 bad usage or nothing to check.\n");
}

Expected<CommandLineChecker::Options> CommandLineChecker::parse(const QStringList &arguments)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            options.help = true;
            return options;
        }
        if (a == QStringLiteral("--json"))
            options.json = true;
        else if (a == QStringLiteral("--no-markup"))
            options.markup = false;
        else if (a == QStringLiteral("--home") && i + 1 < arguments.size())
            options.programDir = arguments.at(++i);
        else if (a == QStringLiteral("--"))
            options.targets += arguments.mid(i + 1), i = arguments.size();
        else if (a.startsWith(QLatin1Char('-')) && a.size() > 1)
            return Expected<Options>::failure(QStringLiteral("Unknown argument: ") + a);
        else
            options.targets << a;
    }
    if (options.targets.isEmpty())
        return Expected<Options>::failure(QStringLiteral("Name a project folder or page files."));
    return options;
}

namespace {

// The request for the targets: a folder and its pages, or the pages named.
Expected<SiteCheck::Request> requestFor(const CommandLineChecker::Options &options)
{
    SiteCheck::Request request;
    request.pageExtensions = options.extensions;
    for (const QString &target : options.targets) {
        if (!QFileInfo::exists(target))
            return Expected<SiteCheck::Request>::failure(QStringLiteral("No such file or folder: ")
                                                         + target);
    }
    request.markup = options.markup;
    const QFileInfo first(options.targets.first());
    if (options.targets.size() == 1 && first.isDir()) {
        if (!first.isReadable() || !first.isExecutable())
            return Expected<SiteCheck::Request>::failure(QStringLiteral("Cannot read the folder ")
                                                         + options.targets.first());
        CommandLinePublisher::Options publisher;
        publisher.projectDir = options.targets.first();
        publisher.programDir = options.programDir;
        publisher.extensions = options.extensions;
        const Expected<std::optional<QStringList>> tree
            = CommandLinePublisher::treePagesOf(publisher);
        if (!tree)
            return Expected<SiteCheck::Request>::failure(tree.error());
        const Expected<QStringList> pages = CommandLinePublisher::pagesOf(publisher);
        if (!pages)
            return Expected<SiteCheck::Request>::failure(pages.error());
        request.projectDir = first.absoluteFilePath();
        request.pages = *pages;
        request.fromProjectTree = tree->has_value();
        return request;
    }
    for (const QString &target : options.targets) {
        const QFileInfo info(target);
        if (info.isDir())
            return Expected<SiteCheck::Request>::failure(
                QStringLiteral("Name one project folder, or page files: ") + target);
        request.pages << info.absoluteFilePath();
    }
    request.projectDir = first.absolutePath();
    request.orphans = false;
    return request;
}

} // namespace

int CommandLineChecker::run(const Options &options, QTextStream &out, QTextStream &err)
{
    const Expected<SiteCheck::Request> request = requestFor(options);
    if (!request) {
        err << request.error() << '\n';
        return BadUsage;
    }
    if (request->pages.isEmpty() && !request->orphans) {
        err << "No pages to check.\n";
        return BadUsage;
    }
    const QList<SiteFinding> findings = SiteCheck::run(*request);
    const qsizetype errors = SiteCheck::count(findings, SiteFinding::Severity::Error);
    const qsizetype warnings = SiteCheck::count(findings, SiteFinding::Severity::Warning);
    const qsizetype notes = SiteCheck::count(findings, SiteFinding::Severity::Note);
    if (options.json) {
        QJsonArray list;
        for (const SiteFinding &f : findings)
            list.append(f.toJson());
        const QJsonObject report { { QStringLiteral("projectDir"), request->projectDir },
                                   { QStringLiteral("pages"), request->pages.size() },
                                   { QStringLiteral("errors"), errors },
                                   { QStringLiteral("warnings"), warnings },
                                   { QStringLiteral("notes"), notes },
                                   { QStringLiteral("findings"), list } };
        out << QJsonDocument(report).toJson(QJsonDocument::Indented);
    } else {
        for (const SiteFinding &f : findings)
            out << f.toLine() << '\n';
        err << QStringLiteral("%1 pages checked: %2 errors, %3 warnings, %4 notes.\n")
                   .arg(request->pages.size())
                   .arg(errors)
                   .arg(warnings)
                   .arg(notes);
    }
    return errors > 0 ? ErrorsFound : NoErrors;
}

} // namespace Tarnwick

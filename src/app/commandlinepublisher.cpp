// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandlinepublisher.h"

#include "app/publishcommands.h"
#include "project/entrytext.h"
#include "project/projectpaths.h"
#include "project/projectsettings.h"
#include "project/projecttree.h"
#include "publish/ftpaddress.h"
#include "publish/passwordcodec.h"
#include "publish/passwordstore.h"
#include "publish/publishconnector.h"
#include "publish/publishsender.h"
#include "publish/tftpclient.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace Tarnwick {

namespace {

QString canonical(const QString &dir)
{
    const QString path = QFileInfo(dir).canonicalFilePath();
    return path.isEmpty() ? QDir::cleanPath(QFileInfo(dir).absoluteFilePath()) : path;
}

} // namespace

QString CommandLinePublisher::usage()
{
    return QStringLiteral(
        "Usage: tarnwick-publish PROJECT_DIR [--dry-run] [--trust-sha256 HEX] [--home DIR]\n"
        "       tarnwick-publish --help\n"
        "Sends the project's pages and the files they reference to the site named in\n"
        "its PROJECT.INI. The password is the desktop keyring's entry for the site\n"
        "(user@host:port, service Tarnwick), else $TARNWICK_FTP_PASSWORD, else PROJECT.INI's.\n"
        "Exit status: 0 every file arrived, 1 some did not or a page was skipped,\n"
        "2 nothing could be sent.\n");
}

Expected<CommandLinePublisher::Options> CommandLinePublisher::parse(const QStringList &arguments)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            options.help = true;
            return options;
        }
        if (a == QStringLiteral("--dry-run")) {
            options.dryRun = true;
        } else if (a == QStringLiteral("--trust-sha256") && i + 1 < arguments.size()) {
            options.trustSha256 = arguments.at(++i);
            options.trustSha256.remove(QLatin1Char(':'));
            static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
            if (!hex.match(options.trustSha256).hasMatch())
                return Expected<Options>::failure(
                    QStringLiteral("--trust-sha256 needs the 64 hex digits of a SHA-256 digest"));
        } else if (a == QStringLiteral("--home") && i + 1 < arguments.size()) {
            options.programDir = arguments.at(++i);
        } else if (a.startsWith(QStringLiteral("--")) || !options.projectDir.isEmpty()) {
            return Expected<Options>::failure(QStringLiteral("Unknown argument: ") + a);
        } else {
            options.projectDir = a;
        }
    }
    if (options.projectDir.isEmpty())
        return Expected<Options>::failure(QStringLiteral("No project directory given."));
    return options;
}

Expected<QStringList> CommandLinePublisher::pagesOf(const Options &options)
{
    const QString wanted = canonical(options.projectDir);
    if (!QFileInfo(wanted).isDir())
        return Expected<QStringList>::failure(QStringLiteral("No such directory: ")
                                              + options.projectDir);
    const QString list = QDir(options.programDir).filePath(QStringLiteral("project.dat"));
    if (!options.programDir.isEmpty() && QFileInfo::exists(list)) {
        const Expected<ProjectTree> tree = ProjectTree::load(list);
        if (!tree)
            return Expected<QStringList>::failure(list + QStringLiteral(": ") + tree.error());
        for (const int row : tree->projectRows()) {
            const QString dir = ProjectPaths::projectDirectory(
                options.programDir, EntryText::EntryTarget(tree->entry(row).text));
            if (canonical(dir) != wanted)
                continue;
            QStringList pages;
            for (const int page : tree->pageRowsOf(row)) {
                const QString target = EntryText::EntryTarget(tree->entry(page).text);
                if (!ProjectPaths::isSettingsEntry(target))
                    pages << target;
            }
            return pages;
        }
    }
    QStringList masks;
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    for (QString e : options.extensions.split(separators, Qt::SkipEmptyParts)) {
        while (e.startsWith(QLatin1Char('*')) || e.startsWith(QLatin1Char('.')))
            e.remove(0, 1);
        masks << QStringLiteral("*.") + e;
    }
    QDir dir(wanted);
    dir.setNameFilters(masks);
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name);
    return dir.entryList();
}

int CommandLinePublisher::run(const Options &options, QTextStream &out, QTextStream &err)
{
    const Expected<QStringList> pages = pagesOf(options);
    if (!pages) {
        err << pages.error() << '\n';
        return NothingSent;
    }
    const QString projectDir = canonical(options.projectDir);
    PublishPlan::Request request;
    request.projectDir = projectDir;
    request.pages = *pages;
    request.withReferences = true;
    request.smartAscii = options.smartAscii;
    request.extensions = options.extensions;
    request.scanner = PublishCommands::scanner(nullptr);
    const PublishPlan plan = PublishPlan::build(request);
    const QList<PublishFile> files = plan.pages + plan.references;
    const ProjectSettings settings = ProjectSettings::read(projectDir);
    // A page left out is a run that did not do what was asked.
    const QList<PublishSkip> skippedPages = PublishPlan::skippedPages(plan.skipped);
    for (const PublishSkip &s : skippedPages)
        err << "Page skipped: " << s.name << ": " << s.reason << '\n';
    err.flush();

    if (options.dryRun) {
        out << PublishPlan::dryRunText(files, plan.skipped, plan.missing, settings.ftpDirectory)
            << '\n';
        out.flush();
        if (files.isEmpty())
            return NothingSent;
        return skippedPages.isEmpty() ? AllSent : SomeFailed;
    }
    if (files.isEmpty()) {
        err << "Nothing to send.\n";
        return NothingSent;
    }

    TFtpClient client;
    client.SetTimeout(options.timeOutMs / 1000);
    QObject::connect(&client, &TCustomFtpCli::OnDisplay, &client, [&out](const QString &line) {
        out << line << '\n';
        out.flush();
    });
    if (!options.trustSha256.isEmpty())
        client.SetTrustedCertificateSha256(QByteArray::fromHex(options.trustSha256.toLatin1()));
    PublishConnector::Site site;
    site.address = settings.webURL;
    site.directory = settings.ftpDirectory;
    site.user = settings.loginID;
    // The keyring first, then the environment, then PROJECT.INI.
    PasswordStore keyring;
    const std::optional<QString> key = FtpAddress::siteKey(settings.webURL, settings.loginID);
    if (key && keyring.available()) {
        if (const Expected<QString> kept = keyring.read(*key); kept)
            site.password = *kept;
        else
            err << "Desktop keyring: " << kept.error() << '\n';
    }
    if (site.password.isEmpty())
        site.password = options.password.isEmpty()
            ? PasswordCodec::DecodeStr(settings.loginPassword)
            : options.password;
    site.tls = settings.useFtps;
    PublishConnector connector(&client, nullptr);
    const PublishConnector::Outcome outcome = connector.run(site);
    if (outcome.status != PublishConnector::Status::Ready) {
        err << outcome.error << '\n';
        if (client.Connected())
            client.Quit();
        return NothingSent;
    }
    PublishSender sender(&client);
    const QList<PublishSender::FileResult> results = sender.send(files);
    if (client.Connected())
        client.Quit();
    out << PublishSender::summaryText(results, plan.skipped, plan.missing) << '\n';
    out.flush();
    int sent = 0;
    for (const PublishSender::FileResult &r : results)
        sent += r.sent ? 1 : 0;
    if (sent == 0)
        return NothingSent;
    return sent == results.size() && plan.missing.isEmpty() && skippedPages.isEmpty() ? AllSent
                                                                                      : SomeFailed;
}

} // namespace Tarnwick

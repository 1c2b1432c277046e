// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandlinepublisher.h"

#include "app/publishcommands.h"
#include "platform/filefilter.h"
#include "project/entrytext.h"
#include "project/projectpaths.h"
#include "project/projectsettings.h"
#include "project/projecttree.h"
#include "publish/ftpaddress.h"
#include "publish/ftptransport.h"
#include "publish/publishchanges.h"
#include "publish/publishmanifest.h"
#include "publish/sftptransport.h"
#include "publish/sftpclient.h"
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
        "Usage: tarnwick-publish PROJECT_DIR [--dry-run] [--all] [--trust-sha256 HEX] [--home DIR]\n"
        "       tarnwick-publish --help\n"
        "Sends the project's pages and the files they reference to the site named in\n"
        "its PROJECT.INI, by FTP, FTPS or SFTP. Files as they were at the last send to\n"
        "the same place are left out; --all sends them too. The password is the desktop\n"
        "keyring's entry for the site (user@host:port, service Tarnwick), else\n"
        "$TARNWICK_FTP_PASSWORD, else PROJECT.INI's.\n"
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
        } else if (a == QStringLiteral("--all")) {
            options.all = true;
        } else if (a == QStringLiteral("--trust-sha256") && i + 1 < arguments.size()) {
            options.trustSha256 = arguments.at(++i);
            // As OpenSSH shows a host key: "SHA256:" and base64.
            if (options.trustSha256.startsWith(QStringLiteral("SHA256:"))) {
                const QByteArray digest = QByteArray::fromBase64(
                    options.trustSha256.mid(7).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
                options.trustSha256
                    = digest.size() == 32 ? QString::fromLatin1(digest.toHex()) : QString();
            }
            options.trustSha256.remove(QLatin1Char(':'));
            static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
            if (!hex.match(options.trustSha256).hasMatch())
                return Expected<Options>::failure(
                    QStringLiteral("--trust-sha256 needs the 64 hex digits of a SHA-256 digest, "
                                   "or SHA256: and its base64 as ssh-keygen -l shows it"));
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

Expected<std::optional<QStringList>> CommandLinePublisher::treePagesOf(const Options &options)
{
    using Found = Expected<std::optional<QStringList>>;
    const QString wanted = canonical(options.projectDir);
    if (!QFileInfo(wanted).isDir())
        return Found::failure(QStringLiteral("No such directory: ") + options.projectDir);
    const QString list = QDir(options.programDir).filePath(QStringLiteral("project.dat"));
    if (options.programDir.isEmpty() || !QFileInfo::exists(list))
        return Found(std::nullopt);
    const Expected<ProjectTree> tree = ProjectTree::load(list);
    if (!tree)
        return Found::failure(list + QStringLiteral(": ") + tree.error());
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
        return Found(std::optional<QStringList>(pages));
    }
    return Found(std::nullopt);
}

Expected<QStringList> CommandLinePublisher::pagesOf(const Options &options)
{
    const Expected<std::optional<QStringList>> tree = treePagesOf(options);
    if (!tree)
        return Expected<QStringList>::failure(tree.error());
    if (tree.value())
        return *tree.value();
    const QString wanted = canonical(options.projectDir);
    QStringList masks;
    for (const QString &e : FileFilter::looseExtensionList(options.extensions))
        masks << QStringLiteral("*.") + e;
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

    PublishConnector::Site site;
    site.address = settings.webURL;
    site.directory = settings.ftpDirectory;
    site.user = settings.loginID;
    // The keyring first, then the environment, then PROJECT.INI.
    PasswordStore keyring;
    const std::optional<QString> key = FtpAddress::siteKey(settings.webURL, settings.loginID);
    if (key && !options.dryRun && keyring.available()) {
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
    site.sftp = settings.useSftp;
    site.keyFile = settings.sshKeyFile;

    // What was sent to this place before, kept in the Tarnwick home.
    std::optional<PublishManifest> record;
    if (const std::optional<PublishDestination> destination = PublishConnector::destinationOf(site);
        destination && !options.programDir.isEmpty()) {
        record = PublishManifest::load(PublishManifest::pathIn(options.programDir), *destination);
        if (!record->note().isEmpty())
            err << "Record of sent files not used: " << record->note() << '\n';
    }

    if (options.dryRun) {
        // Without a connection: what the record says has changed.
        if (record) {
            const PublishChanges changes = PublishChanges::decide(files, *record, {}, options.all);
            out << changes.dryRunText(plan.skipped, plan.missing, settings.ftpDirectory) << '\n';
        } else {
            out << PublishPlan::dryRunText(files, plan.skipped, plan.missing,
                                           settings.ftpDirectory)
                << '\n';
        }
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
    const QByteArray trusted = QByteArray::fromHex(options.trustSha256.toLatin1());
    if (!trusted.isEmpty())
        client.SetTrustedCertificateSha256(trusted);
    std::unique_ptr<PublishTransport> transport;
    if (PublishConnector::usesSftp(site)) {
        auto sftp = std::make_unique<SftpTransport>(
            nullptr, SftpTransport::userKnownHostsFile(),
            options.programDir.isEmpty() ? QString()
                                         : SftpTransport::ownHostsFile(options.programDir));
        sftp->setTimeout(options.timeOutMs / 1000);
        if (!trusted.isEmpty())
            sftp->client()->setTrustedKeySha256(trusted);
        transport = std::move(sftp);
    } else {
        transport = std::make_unique<FtpTransport>(&client, nullptr);
    }
    QObject::connect(transport.get(), &PublishTransport::display, transport.get(),
                     [&out](const QString &line) {
                         out << line << '\n';
                         out.flush();
                     });
    const PublishConnector::Outcome outcome = transport->open(site);
    if (outcome.status != PublishConnector::Status::Ready) {
        err << outcome.error << '\n';
        transport->close();
        return NothingSent;
    }
    QList<PublishFile> toSend = files;
    std::optional<PublishChanges> changes;
    if (record) {
        changes = PublishChanges::decide(
            files, *record, [&transport](const PublishFile &f) { return transport->remoteSize(f); },
            options.all);
        toSend = changes->filesToSend();
    }
    PublishSender sender(transport.get());
    const QList<PublishSender::FileResult> results = sender.send(toSend);
    transport->close();
    if (record && !results.isEmpty()) {
        changes->update(*record, results);
        if (const Result saved = record->save(); !saved)
            err << "The record of what was sent is not kept: " << saved.error() << '\n';
    }
    out << PublishSender::summaryText(results, plan.skipped, plan.missing) << '\n';
    if (changes && !changes->unchanged.isEmpty())
        out << changes->unchanged.size() << " files unchanged since the last send, not sent again.\n";
    out.flush();
    int sent = 0;
    for (const PublishSender::FileResult &r : results)
        sent += r.sent ? 1 : 0;
    // Nothing needed sending: the site is as the project.
    if (results.isEmpty() && changes)
        return plan.missing.isEmpty() && skippedPages.isEmpty() ? AllSent : SomeFailed;
    if (sent == 0)
        return NothingSent;
    return sent == results.size() && plan.missing.isEmpty() && skippedPages.isEmpty() ? AllSent
                                                                                      : SomeFailed;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
// Times publishing a project of 200 pages and 300 images to a local FTP
// server (pyftpdlib on 127.0.0.1): the plan from the pages' references, log-in,
// the remote directory, then every file as the publishing dialog sends it; and
// in the same run curl uploading the same files over one connection. Prints
// both times and their ratio. Then the same over SFTP to a local OpenSSH
// server beside OpenSSH's own "sftp -b" batch upload of the same files, and a
// publish again after one page changed (sign-in, the choice of changed files
// and the send), as the publishing dialog does it.
// Usage: bench_publish [repetitions]

#include "app/publishcommands.h"
#include "publish/publishconnector.h"
#include "publish/publishplan.h"
#include "publish/publishsender.h"
#include "opensshserver.h"
#include "publish/publishchanges.h"
#include "publish/publishmanifest.h"
#include "publish/sftpclient.h"
#include "publish/sftptransport.h"
#include "publish/tftpclient.h"
#include "pyftpserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Tarnwick;

namespace {

constexpr int PageCount = 200;
constexpr int ImageCount = 300;
constexpr int ImageSize = 12 * 1024;

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString pageName(int i)
{
    return QStringLiteral("page%1.htm").arg(i, 3, 10, QLatin1Char('0'));
}

QString imageName(int i)
{
    return QStringLiteral("img/pic%1.gif").arg(i, 3, 10, QLatin1Char('0'));
}

// Each page shows three images and links two other pages; every image is used.
bool makeProject(const QString &dir)
{
    for (int i = 0; i < ImageCount; ++i) {
        QByteArray bytes(ImageSize, Qt::Uninitialized);
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(bytes.data()),
                                              bytes.size() / 4);
        if (!write(dir + QLatin1Char('/') + imageName(i), bytes))
            return false;
    }
    for (int i = 0; i < PageCount; ++i) {
        QByteArray page = "<html><head><title>Page</title></head><body>\r\n";
        for (int k = 0; k < 3; ++k)
            page += "<p><img src=\"" + imageName((i * 3 + k) % ImageCount).toUtf8()
                + "\" width=10 height=10> Some text about the picture.</p>\r\n";
        page += "<a href=\"" + pageName((i + 1) % PageCount).toUtf8() + "\">next</a>\r\n";
        page += "<a href=\"" + pageName((i + 7) % PageCount).toUtf8() + "\">other</a>\r\n";
        page += QByteArray(1500, 'x') + "\r\n</body></html>\r\n";
        if (!write(dir + QLatin1Char('/') + pageName(i), page))
            return false;
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QStringList pages()
{
    QStringList names;
    for (int i = 0; i < PageCount; ++i)
        names << pageName(i);
    return names;
}

// Milliseconds for the whole publish, or -1; planMs gets the plan's share.
double publishRun(quint16 port, const PyFtpServer::Options &account, const QString &project,
                  double &planMs)
{
    QElapsedTimer timer;
    timer.start();
    PublishPlan::Request request;
    request.projectDir = project;
    request.pages = pages();
    request.extensions = QStringLiteral("html,htm");
    request.scanner = PublishCommands::scanner(nullptr);
    const PublishPlan plan = PublishPlan::build(request);
    planMs = timer.nsecsElapsed() / 1e6;
    if (plan.pages.size() != PageCount || plan.references.size() != ImageCount) {
        std::fprintf(stderr, "plan: %lld pages, %lld references\n", qint64(plan.pages.size()),
                     qint64(plan.references.size()));
        return -1;
    }
    TFtpClient client;
    client.SetTimeout(60);
    PublishConnector connector(&client, nullptr);
    PublishConnector::Site where;
    where.address = QStringLiteral("127.0.0.1:%1").arg(port);
    where.directory = QStringLiteral("www");
    where.user = account.user;
    where.password = account.password;
    const PublishConnector::Outcome outcome = connector.run(where);
    if (outcome.status != PublishConnector::Status::Ready) {
        std::fprintf(stderr, "connect: %s\n", qPrintable(outcome.error));
        return -1;
    }
    PublishSender sender(&client);
    const QList<PublishSender::FileResult> results = sender.send(plan.pages + plan.references);
    client.Quit();
    if (!PublishSender::allSent(results)) {
        std::fprintf(stderr, "%s\n", qPrintable(PublishSender::summaryText(results, {}, {})));
        return -1;
    }
    return timer.nsecsElapsed() / 1e6;
}

// One curl process, one connection: the pages, then the images into img/.
double curlRun(quint16 port, const PyFtpServer::Options &account, const QString &project)
{
    const QString base = QStringLiteral("ftp://%1:%2@127.0.0.1:%3/www/")
                             .arg(account.user, account.password)
                             .arg(port);
    QStringList images;
    for (int i = 0; i < ImageCount; ++i)
        images << imageName(i);
    const QStringList arguments {
        QStringLiteral("-sS"),
        QStringLiteral("--ftp-create-dirs"),
        QStringLiteral("-T"),
        QLatin1Char('{') + pages().join(QLatin1Char(',')) + QLatin1Char('}'),
        base,
        QStringLiteral("-T"),
        QLatin1Char('{') + images.join(QLatin1Char(',')) + QLatin1Char('}'),
        base + QStringLiteral("img/")
    };
    QProcess curl;
    curl.setWorkingDirectory(project);
    QElapsedTimer timer;
    timer.start();
    curl.start(QStringLiteral("curl"), arguments);
    if (!curl.waitForFinished(600000) || curl.exitCode() != 0) {
        std::fprintf(stderr, "curl: %s\n", curl.readAllStandardError().constData());
        return -1;
    }
    return timer.nsecsElapsed() / 1e6;
}

// Images must arrive unchanged; pages may have their line ends changed.
bool arrived(const QString &project, const QString &remote)
{
    for (int i = 0; i < ImageCount; ++i) {
        QFile a(project + QLatin1Char('/') + imageName(i));
        QFile b(remote + QStringLiteral("/www/") + imageName(i));
        if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly)
            || a.readAll() != b.readAll())
            return false;
    }
    for (int i = 0; i < PageCount; ++i) {
        if (!QFileInfo(remote + QStringLiteral("/www/") + pageName(i)).isFile())
            return false;
    }
    return true;
}

PublishPlan planOf(const QString &project)
{
    PublishPlan::Request request;
    request.projectDir = project;
    request.pages = pages();
    request.extensions = QStringLiteral("html,htm");
    request.scanner = PublishCommands::scanner(nullptr);
    return PublishPlan::build(request);
}

struct SftpSite
{
    OpenSshServer *server;
    QString key;
    QString home; // the Tarnwick home with the record of what was sent
};

// Where a run's time went.
struct Phases
{
    double signIn = 0, choice = 0, send = 0;
};

// Milliseconds from sign-in to the last file, or -1. With a record, only
// what changed since the last run is sent; sent gets the number sent.
double sftpRun(const SftpSite &site, const QString &project, bool onlyChanged, int &sent,
               Phases *phases = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    const PublishPlan plan = planOf(project);
    const QList<PublishFile> files = plan.pages + plan.references;
    SftpTransport transport(nullptr, QString(), QString());
    transport.setTimeout(60);
    transport.client()->setTrustedKeySha256(site.server->hostKeySha256());
    PublishConnector::Site where;
    where.address = QStringLiteral("sftp://127.0.0.1:%1").arg(site.server->port());
    where.directory = QStringLiteral("www");
    where.user = site.server->user();
    where.keyFile = site.key;
    QElapsedTimer phase;
    phase.start();
    const PublishConnector::Outcome outcome = transport.open(where);
    if (outcome.status != PublishConnector::Status::Ready) {
        std::fprintf(stderr, "sftp connect: %s\n", qPrintable(outcome.error));
        return -1;
    }
    const double signedIn = phase.nsecsElapsed() / 1e6;
    PublishManifest record = PublishManifest::load(PublishManifest::pathIn(site.home),
                                                   *PublishConnector::destinationOf(where));
    const PublishChanges changes = PublishChanges::decide(
        files, record, [&](const PublishFile &f) { return transport.remoteSize(f); },
        !onlyChanged);
    const double chosen = phase.nsecsElapsed() / 1e6;
    PublishSender sender(&transport);
    const QList<PublishSender::FileResult> results = sender.send(changes.filesToSend());
    transport.close();
    changes.update(record, results);
    if (!record.save() || !PublishSender::allSent(results)) {
        std::fprintf(stderr, "%s\n", qPrintable(PublishSender::summaryText(results, {}, {})));
        return -1;
    }
    sent = int(results.size());
    if (phases)
        *phases = { signedIn, chosen - signedIn, phase.nsecsElapsed() / 1e6 - chosen };
    return timer.nsecsElapsed() / 1e6;
}

// OpenSSH's sftp in batch mode: one connection, every file put in turn.
double sftpBatchRun(const SftpSite &site, const QString &project, const QString &batchFile)
{
    QFile batch(batchFile);
    if (!batch.open(QIODevice::WriteOnly))
        return -1;
    batch.write("-mkdir www\ncd www\n-mkdir img\n");
    for (const QString &page : pages())
        batch.write("put " + page.toUtf8() + "\n");
    for (int i = 0; i < ImageCount; ++i)
        batch.write("put " + imageName(i).toUtf8() + " img/\n");
    batch.close();
    QProcess sftp;
    sftp.setWorkingDirectory(project);
    QElapsedTimer timer;
    timer.start();
    sftp.start(QStringLiteral("sftp"),
               { QStringLiteral("-q"), QStringLiteral("-b"), batchFile, QStringLiteral("-i"),
                 site.key, QStringLiteral("-o"), QStringLiteral("StrictHostKeyChecking=no"),
                 QStringLiteral("-o"), QStringLiteral("UserKnownHostsFile=/dev/null"),
                 QStringLiteral("-o"), QStringLiteral("IdentitiesOnly=yes"), QStringLiteral("-P"),
                 QString::number(site.server->port()),
                 site.server->user() + QStringLiteral("@127.0.0.1") });
    if (!sftp.waitForFinished(600000) || sftp.exitCode() != 0) {
        std::fprintf(stderr, "sftp -b: %s\n", sftp.readAllStandardError().constData());
        return -1;
    }
    return timer.nsecsElapsed() / 1e6;
}

int sftpBench(const QString &project, int runs)
{
    // Nothing of the user's own SSH set-up takes part.
    QTemporaryDir home, tarnwickHome, remote;
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("SSH_AUTH_SOCK");
    OpenSshServer server;
    if (!server.start(remote.path())) {
        std::fprintf(stderr, "sshd: %s\n", qPrintable(server.error()));
        return 1;
    }
    const QString key = server.makeKey(QStringLiteral("bench"));
    if (key.isEmpty() || !server.authorize(key))
        return 1;
    const SftpSite site { &server, key, tarnwickHome.path() };
    const QString www = remote.filePath(QStringLiteral("www"));
    std::vector<double> ours, theirs, again, signIns, choices, sends;
    for (int run = 0; run < runs; ++run) {
        QDir(www).removeRecursively();
        QFile::remove(PublishManifest::pathIn(site.home));
        int sent = 0;
        const double a = sftpRun(site, project, false, sent);
        if (a < 0 || sent != PageCount + ImageCount || !arrived(project, remote.path()))
            return 1;
        // One page changed: the publish again sends that page alone.
        const QString changed = project + QLatin1Char('/') + pageName(run % PageCount);
        QFile page(changed);
        if (!page.open(QIODevice::Append) || page.write("<!-- changed -->\r\n") < 0)
            return 1;
        page.close();
        Phases phases;
        const double c = sftpRun(site, project, true, sent, &phases);
        if (c < 0 || sent != 1)
            return 1;
        signIns.push_back(phases.signIn);
        choices.push_back(phases.choice);
        sends.push_back(phases.send);
        QDir(www).removeRecursively();
        const double b = sftpBatchRun(site, project, home.filePath(QStringLiteral("batch")));
        if (b < 0 || !arrived(project, remote.path()))
            return 1;
        ours.push_back(a);
        theirs.push_back(b);
        again.push_back(c);
    }
    const double mine = median(ours), openssh = median(theirs);
    std::printf("SFTP %d pages + %d images: publish %8.1f ms   sftp -b %8.1f ms   ratio %.2f   "
                "(median of %d)\n",
                PageCount, ImageCount, mine, openssh, mine / openssh, runs);
    std::printf("SFTP publish again, one page changed (sign-in included): %.1f ms (median of %d): "
                "sign-in %.1f ms, choice of changed files %.1f ms, send and record %.1f ms\n",
                median(again), runs, median(signIns), median(choices), median(sends));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir local, remote;
    const QString project = local.filePath(QStringLiteral("site"));
    if (!makeProject(project))
        return 1;
    PyFtpServer server;
    PyFtpServer::Options account;
    if (!server.start(remote.path(), account)) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    std::vector<double> ours, plans, theirs;
    for (int run = 0; run < runs; ++run) {
        QDir(remote.filePath(QStringLiteral("www"))).removeRecursively();
        double planMs = 0;
        const double a = publishRun(server.port(), account, project, planMs);
        if (a < 0 || !arrived(project, remote.path()))
            return 1;
        QDir(remote.filePath(QStringLiteral("www"))).removeRecursively();
        const double b = curlRun(server.port(), account, project);
        if (b < 0 || !arrived(project, remote.path()))
            return 1;
        ours.push_back(a);
        plans.push_back(planMs);
        theirs.push_back(b);
    }
    const double mine = median(ours), curl = median(theirs);
    std::printf("%d pages + %d images: publish %8.1f ms (plan %.1f ms)   curl %8.1f ms   "
                "ratio %.2f   (median of %d)\n",
                PageCount, ImageCount, mine, median(plans), curl, mine / curl, runs);
    return sftpBench(project, runs);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Times uploads to a local OpenSSH server: one 100 MB file, and 200 files of
// 4 KB over one connection, each with SftpClient and with OpenSSH's sftp in
// batch mode, and prints both times and their ratio. Each time covers the
// whole session: connect, sign in, upload, disconnect.
// Usage: bench_sftp [repetitions]

#include "opensshserver.h"
#include "publish/sftpclient.h"

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

constexpr qint64 BigSize = 100LL * 1024 * 1024;
constexpr int SmallCount = 200;
constexpr qint64 SmallSize = 4096;

bool writeRandom(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (qint64 left = size; left > 0; left -= block.size()) {
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(block.data()),
                                              block.size() / 4);
        if (file.write(block.constData(), qMin<qint64>(left, block.size())) < 0)
            return false;
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Setup
{
    const OpenSshServer *server;
    QString keyFile;
    QString knownHosts;
};

double clientRun(const Setup &setup, const QString &localDir, const QStringList &names)
{
    QElapsedTimer timer;
    timer.start();
    SftpClient client;
    client.setTimeout(60);
    client.setKnownHosts(setup.knownHosts, QString());
    SftpClient::Login login;
    login.host = QStringLiteral("127.0.0.1");
    login.port = setup.server->port();
    login.user = setup.server->user();
    login.keyFile = setup.keyFile;
    if (!client.connectToHost(login)) {
        std::fprintf(stderr, "SftpClient: %s\n", qPrintable(client.errorMessage()));
        return -1;
    }
    for (const QString &name : names) {
        if (!client.put(localDir + QLatin1Char('/') + name, name)) {
            std::fprintf(stderr, "SftpClient: %s\n", qPrintable(client.errorMessage()));
            return -1;
        }
    }
    client.disconnectFromHost();
    return timer.nsecsElapsed() / 1e6;
}

double sftpRun(const Setup &setup, const QString &localDir, const QStringList &names)
{
    QByteArray batch;
    for (const QString &name : names)
        batch += "put " + name.toUtf8() + '\n';
    QProcess sftp;
    sftp.setWorkingDirectory(localDir);
    QElapsedTimer timer;
    timer.start();
    sftp.start(QStringLiteral("sftp"),
               { QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-"),
                 QStringLiteral("-i"), setup.keyFile, QStringLiteral("-P"),
                 QString::number(setup.server->port()), QStringLiteral("-o"),
                 QStringLiteral("UserKnownHostsFile=") + setup.knownHosts, QStringLiteral("-o"),
                 QStringLiteral("BatchMode=yes"),
                 setup.server->user() + QStringLiteral("@127.0.0.1") });
    sftp.write(batch);
    sftp.closeWriteChannel();
    if (!sftp.waitForFinished(600000) || sftp.exitCode() != 0) {
        std::fprintf(stderr, "sftp: %s\n", sftp.readAllStandardError().constData());
        return -1;
    }
    return timer.nsecsElapsed() / 1e6;
}

bool sameFiles(const QString &localDir, const QString &remoteDir, const QStringList &names)
{
    for (const QString &name : names) {
        QFile a(localDir + QLatin1Char('/') + name);
        QFile b(remoteDir + QLatin1Char('/') + name);
        if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size())
            return false;
        while (!a.atEnd()) {
            if (a.read(1 << 20) != b.read(1 << 20))
                return false;
        }
    }
    return true;
}

void clear(const QString &dir)
{
    QDir root(dir);
    for (const QString &name : root.entryList(QDir::Files))
        root.remove(name);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    QTemporaryDir local;
    QTemporaryDir remote;
    OpenSshServer server;
    if (!server.start(remote.path())) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    const QString key = server.makeKey(QStringLiteral("bench"));
    const QString knownHosts = local.filePath(QStringLiteral("known_hosts"));
    QFile hosts(knownHosts);
    if (key.isEmpty() || !server.authorize(key) || !hosts.open(QIODevice::WriteOnly)
        || hosts.write(QStringLiteral("[127.0.0.1]:%1 %2\n")
                           .arg(server.port())
                           .arg(server.hostKeyLine())
                           .toUtf8())
            < 0) {
        std::fprintf(stderr, "cannot set up the server: %s\n", qPrintable(server.error()));
        return 1;
    }
    hosts.close();
    const Setup setup { &server, key, knownHosts };

    const QStringList big { QStringLiteral("big.bin") };
    QStringList small;
    for (int i = 0; i < SmallCount; ++i)
        small << QStringLiteral("page%1.htm").arg(i, 3, 10, QLatin1Char('0'));
    if (!writeRandom(local.filePath(big.first()), BigSize))
        return 1;
    for (const QString &name : small) {
        if (!writeRandom(local.filePath(name), SmallSize))
            return 1;
    }

    std::printf("%-28s %12s %12s %8s\n", "median of runs (ms)", "SftpClient", "sftp", "ratio");
    for (const auto &[label, names] :
         { std::pair { "one 100 MB file", big }, std::pair { "200 files of 4 KB", small } }) {
        std::vector<double> ours;
        std::vector<double> theirs;
        for (int run = 0; run < runs; ++run) {
            clear(remote.path());
            ours.push_back(clientRun(setup, local.path(), names));
            if (ours.back() < 0 || !sameFiles(local.path(), remote.path(), names))
                return 1;
            clear(remote.path());
            theirs.push_back(sftpRun(setup, local.path(), names));
            if (theirs.back() < 0 || !sameFiles(local.path(), remote.path(), names))
                return 1;
        }
        const double a = median(ours);
        const double b = median(theirs);
        std::printf("%-28s %12.0f %12.0f %8.2f\n", label, a, b, a / b);
    }
    return 0;
}

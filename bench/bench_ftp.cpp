// SPDX-License-Identifier: GPL-3.0-or-later
// Times uploads to a local FTP server (pyftpdlib on 127.0.0.1): one 200 MB
// file, and 500 files of 4 KB over one connection, each with TFtpClient and
// with curl, and prints both times and their ratio. Each time covers the
// whole session: connect, log in, upload, quit.
// Usage: bench_ftp [repetitions]

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

constexpr qint64 BigSize = 200LL * 1024 * 1024;
constexpr int SmallCount = 500;
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

struct Session
{
    quint16 port;
    PyFtpServer::Options account;
};

// Milliseconds for one session of TFtpClient uploading the files, or -1.
double clientRun(const Session &session, const QString &localDir, const QStringList &names)
{
    QElapsedTimer timer;
    timer.start();
    TFtpClient client;
    client.SetHostName(QStringLiteral("127.0.0.1"));
    client.SetPort(QString::number(session.port));
    client.SetUserName(session.account.user);
    client.SetPassWord(session.account.password);
    client.SetTimeout(60);
    if (!client.Connect() || !client.TypeSet()) {
        std::fprintf(stderr, "TFtpClient: %s\n", qPrintable(client.ErrorMessage()));
        return -1;
    }
    for (const QString &name : names) {
        client.SetPassive(true);
        client.SetLocalFileName(localDir + QLatin1Char('/') + name);
        client.SetHostFileName(name);
        if (!client.Put()) {
            std::fprintf(stderr, "TFtpClient: %s\n", qPrintable(client.ErrorMessage()));
            return -1;
        }
    }
    client.Quit();
    return timer.nsecsElapsed() / 1e6;
}

// The same with one curl process, all files over its one connection.
double curlRun(const Session &session, const QString &localDir, const QStringList &names)
{
    const QString url = QStringLiteral("ftp://%1:%2@127.0.0.1:%3/")
                            .arg(session.account.user, session.account.password)
                            .arg(session.port);
    QStringList arguments { QStringLiteral("-sS") };
    arguments << QStringLiteral("-T")
              << (names.size() == 1
                      ? names.first()
                      : QLatin1Char('{') + names.join(QLatin1Char(',')) + QLatin1Char('}'));
    arguments << url;
    QProcess curl;
    curl.setWorkingDirectory(localDir);
    QElapsedTimer timer;
    timer.start();
    curl.start(QStringLiteral("curl"), arguments);
    if (!curl.waitForFinished(600000) || curl.exitCode() != 0) {
        std::fprintf(stderr, "curl: %s\n", curl.readAllStandardError().constData());
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
    PyFtpServer server;
    Session session { 0, {} };
    if (!server.start(remote.path(), session.account)) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    session.port = server.port();

    const QStringList big { QStringLiteral("big.bin") };
    QStringList small;
    if (!writeRandom(local.filePath(big.first()), BigSize))
        return 1;
    for (int i = 0; i < SmallCount; ++i) {
        small << QStringLiteral("s%1.bin").arg(i, 3, 10, QLatin1Char('0'));
        if (!writeRandom(local.filePath(small.last()), SmallSize))
            return 1;
    }

    struct Case
    {
        const char *what;
        const QStringList *names;
    } cases[] = { { "one 200 MB file", &big }, { "500 files of 4 KB", &small } };

    for (const Case &c : cases) {
        std::vector<double> ours, theirs;
        for (int run = 0; run < runs; ++run) {
            clear(remote.path());
            const double a = clientRun(session, local.path(), *c.names);
            if (a < 0 || !sameFiles(local.path(), remote.path(), *c.names)) {
                std::fprintf(stderr, "TFtpClient upload wrong\n");
                return 1;
            }
            clear(remote.path());
            const double b = curlRun(session, local.path(), *c.names);
            if (b < 0 || !sameFiles(local.path(), remote.path(), *c.names)) {
                std::fprintf(stderr, "curl upload wrong\n");
                return 1;
            }
            ours.push_back(a);
            theirs.push_back(b);
        }
        const double mine = median(ours);
        const double curl = median(theirs);
        std::printf("%-20s TFtpClient %8.1f ms   curl %8.1f ms   ratio %.2f   (median of %d)\n",
                    c.what, mine, curl, mine / curl, runs);
    }
    return 0;
}

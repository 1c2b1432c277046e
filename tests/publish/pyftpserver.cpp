// SPDX-License-Identifier: GPL-3.0-or-later
#include "pyftpserver.h"

#include <QFile>
#include <QStandardPaths>

namespace Tarnwick {

namespace {

QString python()
{
    // The system interpreter is the one with the server library installed.
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

} // namespace

PyFtpServer::PyFtpServer() = default;

PyFtpServer::~PyFtpServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
}

bool PyFtpServer::start(const QString &root, const Options &options)
{
    QStringList arguments { QStringLiteral(TARNWICK_FTP_SERVER_SCRIPT),
                            QStringLiteral("--root"),
                            root,
                            QStringLiteral("--user"),
                            options.user,
                            QStringLiteral("--password"),
                            options.password,
                            QStringLiteral("--log"),
                            m_work.filePath(QStringLiteral("commands.log")) };
    if (!options.noPasswordUser.isEmpty())
        arguments << QStringLiteral("--no-password-user") << options.noPasswordUser;
    for (const QString &name : options.refuse)
        arguments << QStringLiteral("--refuse") << name;
    if (!options.banner.isEmpty())
        arguments << QStringLiteral("--banner") << options.banner;
    if (options.tls) {
        const QString pem = m_work.filePath(QStringLiteral("server.pem"));
        if (!makeCertificate({ QStringLiteral("-subj"), QStringLiteral("/CN=localhost") }, pem,
                             certificatePath()))
            return false;
        arguments << QStringLiteral("--cert") << pem;
        if (options.strictTls)
            arguments << QStringLiteral("--strict-tls");
        if (options.otherDataCertificate) {
            const QString caKey = m_work.filePath(QStringLiteral("ca.key"));
            const QString dataPem = m_work.filePath(QStringLiteral("data.pem"));
            if (!makeCertificate(
                    { QStringLiteral("-subj"), QStringLiteral("/CN=Tarnwick test CA") }, caKey,
                    caCertificatePath())
                || !makeCertificate({ QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                                      QStringLiteral("-CA"), caCertificatePath(),
                                      QStringLiteral("-CAkey"), caKey, QStringLiteral("-addext"),
                                      QStringLiteral("subjectAltName=IP:127.0.0.1"),
                                      QStringLiteral("-addext"),
                                      QStringLiteral("basicConstraints=critical,CA:FALSE") },
                                    dataPem, m_work.filePath(QStringLiteral("data-cert.pem"))))
                return false;
            arguments << QStringLiteral("--data-cert") << dataPem;
        }
    }
    m_process.setStandardErrorFile(m_work.filePath(QStringLiteral("server.err")));
    m_process.start(python(), arguments);
    QByteArray line;
    // A loaded machine takes its time to start the interpreter.
    while (!line.contains('\n') && m_process.waitForReadyRead(120000))
        line += m_process.readAllStandardOutput();
    bool ok = false;
    m_port = static_cast<quint16>(line.trimmed().toUInt(&ok));
    if (!ok || m_port == 0) {
        QFile err(m_work.filePath(QStringLiteral("server.err")));
        err.open(QIODevice::ReadOnly);
        m_error
            = QStringLiteral("FTP server did not start: ") + QString::fromLocal8Bit(err.readAll());
        return false;
    }
    return true;
}

// A throwaway certificate: its key, then the certificate, in keyPath; the
// certificate alone in certificatePath.
bool PyFtpServer::makeCertificate(const QStringList &arguments, const QString &keyPath,
                                  const QString &certificatePath)
{
    QProcess openssl;
    openssl.start(
        QStringLiteral("openssl"),
        QStringList { QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                      QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                      QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                      QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-keyout"),
                      keyPath, QStringLiteral("-out"), certificatePath }
            + arguments);
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
        m_error = QStringLiteral("openssl failed: ")
            + QString::fromLocal8Bit(openssl.readAllStandardError());
        return false;
    }
    QFile key(keyPath);
    QFile cert(certificatePath);
    if (!cert.open(QIODevice::ReadOnly) || !key.open(QIODevice::Append)
        || key.write(cert.readAll()) < 0) {
        m_error = QStringLiteral("cannot write the certificate");
        return false;
    }
    return true;
}

QString PyFtpServer::certificatePath() const
{
    return m_work.filePath(QStringLiteral("cert.pem"));
}

QString PyFtpServer::caCertificatePath() const
{
    return m_work.filePath(QStringLiteral("ca.pem"));
}

QStringList PyFtpServer::commands() const
{
    QFile log(m_work.filePath(QStringLiteral("commands.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace Tarnwick

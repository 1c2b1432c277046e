// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace Tarnwick {

// A real FTP server (pyftpdlib, tests/publish/ftpserver.py) on 127.0.0.1 with
// a free port, serving one account rooted in a directory the caller owns.
class PyFtpServer final
{
public:
    struct Options
    {
        QString user = QStringLiteral("tester");
        QString password = QStringLiteral("s3cret!");
        QString noPasswordUser; // logged in by USER alone
        bool tls = false; // explicit TLS with a throwaway self-signed certificate
        bool strictTls = false; // uploads must resume the session and end with a TLS close
        // Data connections present another certificate than the control
        // connection: one for 127.0.0.1 signed by caCertificatePath().
        bool otherDataCertificate = false;
        QString banner; // "\n" starts another greeting line
        QStringList refuse; // file names whose STOR the server answers with 550
    };

    PyFtpServer();
    ~PyFtpServer();

    bool start(const QString &root, const Options &options);
    quint16 port() const { return m_port; }
    QString error() const { return m_error; }
    // Every command the server received, one a line (PASS without its argument).
    QStringList commands() const;
    // The PEM certificate the server offers with tls.
    QString certificatePath() const;
    // The authority that signed the data connections' certificate.
    QString caCertificatePath() const;

private:
    bool makeCertificate(const QStringList &arguments, const QString &keyPath,
                         const QString &certificatePath);

    QTemporaryDir m_work;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace Tarnwick

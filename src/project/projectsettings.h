// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QColor>
#include <QString>

#include <optional>

namespace Tarnwick {

// The keys of a project's "PROJECT.INI", section "PROJECT". A missing file or
// key reads as the default. loginPassword holds the encoded form, never clear text;
// it is empty when the desktop keyring keeps the password.
struct ProjectSettings
{
    QString mailto;
    QString webURL;
    QString ftpDirectory;
    QString textColor = QStringLiteral("000000");
    QString linkColor = QStringLiteral("000000");
    QString aLinkColor = QStringLiteral("000000");
    QString vLinkColor = QStringLiteral("000000");
    QString bgColor = QStringLiteral("000000");
    QString themeStyle;
    QString loginID;
    QString loginPassword;
    // "UseFTPS": explicit TLS for publishing; written after the eleven keys,
    // missing in older files (off).
    bool useFtps = false;
    // "UseSFTP": publishing by SFTP instead; "SSHKeyFile": the private key it
    // signs in with, empty for the SSH agent's keys and the default ones.
    // Written after UseFTPS only once either is set, so a project that never
    // used them keeps the file it had.
    bool useSftp = false;
    QString sshKeyFile;

    static inline const QString Section = QStringLiteral("PROJECT");

    // The settings file of projectDir. On a case-sensitive file system another
    // spelling of the name is taken when that is the one that exists.
    static QString settingsFilePath(const QString &projectDir);
    static bool exists(const QString &projectDir);

    static ProjectSettings read(const QString &projectDir);

    // "SendReferences": whether the FTP Vaza Ded last sent a page's SRC and
    // HREF references too; kept apart from the dialog's keys, so that saving
    // the project settings leaves it alone. Missing: no.
    static bool sendReferences(const QString &projectDir);
    // Written only into an existing PROJECT.INI: a project without one keeps
    // the defaults that having no file gives.
    static Result setSendReferences(const QString &projectDir, bool send);
    // LoginPassword alone; every other key of the file stays as it is.
    static Result setLoginPassword(const QString &projectDir, const QString &encoded);
    // CreateINI: all eleven keys in their fixed order, empty values included;
    // other sections and keys of the file stay.
    Result write(const QString &projectDir) const;

    // One "#" dropped, then RRGGBB in hex; empty or unreadable text is black.
    static QColor colorFromText(QString text);
    // A page colour as typed or stored, RRGGBB or #RRGGBB: its six digits
    // without "#"; empty text is no colour (empty). Anything else: nullopt.
    static std::optional<QString> colorDigits(const QString &text);
    // Why a colour text was refused; caption names the field.
    static QString badColorMessage(const QString &caption, const QString &text);
    // WebURL + "/" + FTPDirectory, as the send commands show it.
    QString siteCaption() const;

    friend bool operator==(const ProjectSettings &, const ProjectSettings &) = default;
};

} // namespace Tarnwick

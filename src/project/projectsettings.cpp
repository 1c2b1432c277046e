// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectsettings.h"

#include "platform/profilefile.h"
#include "project/projectpaths.h"

#include <QDir>
#include <QFileInfo>

#include <cctype>

namespace Tarnwick {

namespace {

const QString sendReferencesKey = QStringLiteral("SendReferences");

// Key names in the order CreateINI writes them.
struct Key
{
    const char *name;
    QString ProjectSettings::*field;
};

constexpr Key keys[] = {
    { "mailto", &ProjectSettings::mailto },
    { "WebURL", &ProjectSettings::webURL },
    { "FTPDirectory", &ProjectSettings::ftpDirectory },
    { "TextColor", &ProjectSettings::textColor },
    { "LinkColor", &ProjectSettings::linkColor },
    { "aLinkColor", &ProjectSettings::aLinkColor },
    { "vLinkColor", &ProjectSettings::vLinkColor },
    { "bgColor", &ProjectSettings::bgColor },
    { "ThemeStyle", &ProjectSettings::themeStyle },
    { "LoginID", &ProjectSettings::loginID },
    { "LoginPassword", &ProjectSettings::loginPassword },
};

} // namespace

namespace {
const QString useSftpKey = QStringLiteral("UseSFTP");
const QString sshKeyFileKey = QStringLiteral("SSHKeyFile");
} // namespace

QString ProjectSettings::settingsFilePath(const QString &projectDir)
{
    const QString exact = projectDir + QLatin1Char('/') + ProjectPaths::SettingsFileName;
    if (QFileInfo::exists(exact))
        return exact;
    // Name filters ignore case unless told otherwise.
    const QStringList any
        = QDir(projectDir).entryList({ ProjectPaths::SettingsFileName }, QDir::Files);
    return any.isEmpty() ? exact : projectDir + QLatin1Char('/') + any.constFirst();
}

bool ProjectSettings::exists(const QString &projectDir)
{
    return QFileInfo::exists(settingsFilePath(projectDir));
}

ProjectSettings ProjectSettings::read(const QString &projectDir)
{
    const ProfileFile file(settingsFilePath(projectDir));
    ProjectSettings settings;
    for (const Key &key : keys) {
        QString &value = settings.*key.field;
        value = file.readString(Section, QLatin1String(key.name), value);
    }
    settings.useFtps
        = file.readString(Section, QStringLiteral("UseFTPS"), QStringLiteral("0")).trimmed()
        == QStringLiteral("1");
    settings.useSftp
        = file.readString(Section, useSftpKey, QStringLiteral("0")).trimmed() == QStringLiteral("1");
    settings.sshKeyFile = file.readString(Section, sshKeyFileKey, QString());
    return settings;
}

Result ProjectSettings::write(const QString &projectDir) const
{
    QList<QPair<QString, QString>> values;
    for (const Key &key : keys)
        values.append({ QLatin1String(key.name), this->*key.field });
    values.append(
        { QStringLiteral("UseFTPS"), useFtps ? QStringLiteral("1") : QStringLiteral("0") });
    ProfileFile file(settingsFilePath(projectDir));
    const QString unset = QStringLiteral("\x01");
    if (useSftp || !sshKeyFile.isEmpty() || file.readString(Section, useSftpKey, unset) != unset
        || file.readString(Section, sshKeyFileKey, unset) != unset) {
        values.append({ useSftpKey, useSftp ? QStringLiteral("1") : QStringLiteral("0") });
        values.append({ sshKeyFileKey, sshKeyFile });
    }
    return file.writeStrings(Section, values);
}

bool ProjectSettings::sendReferences(const QString &projectDir)
{
    const ProfileFile file(settingsFilePath(projectDir));
    return file.readString(Section, sendReferencesKey, QStringLiteral("0")).trimmed()
        == QStringLiteral("1");
}

Result ProjectSettings::setSendReferences(const QString &projectDir, bool send)
{
    if (!exists(projectDir))
        return Result::success();
    ProfileFile file(settingsFilePath(projectDir));
    return file.writeString(Section, sendReferencesKey,
                            send ? QStringLiteral("1") : QStringLiteral("0"));
}

Result ProjectSettings::setLoginPassword(const QString &projectDir, const QString &encoded)
{
    ProfileFile file(settingsFilePath(projectDir));
    return file.writeString(Section, QStringLiteral("LoginPassword"), encoded);
}

QColor ProjectSettings::colorFromText(QString text)
{
    text = text.trimmed();
    if (text.startsWith(QLatin1Char('#')))
        text.remove(0, 1);
    bool ok = false;
    const uint rgb = text.toUInt(&ok, 16);
    if (!ok || text.size() > 6)
        return QColor(Qt::black);
    return QColor::fromRgb(QRgb(rgb));
}

std::optional<QString> ProjectSettings::colorDigits(const QString &text)
{
    QString digits = text.trimmed();
    if (digits.isEmpty())
        return QString();
    if (digits.startsWith(QLatin1Char('#')))
        digits.remove(0, 1);
    if (digits.size() != 6)
        return std::nullopt;
    for (const QChar c : std::as_const(digits)) {
        if (c.unicode() > 0x7F || !std::isxdigit(c.unicode()))
            return std::nullopt;
    }
    return digits;
}

QString ProjectSettings::badColorMessage(const QString &caption, const QString &text)
{
    return caption + QStringLiteral(": \"") + text
        + QStringLiteral("\" is not a colour. Give six hexadecimal digits, RRGGBB or #RRGGBB.");
}

QString ProjectSettings::siteCaption() const
{
    // One "/" where the two meet, however they were typed ("host/" and "/site").
    QString site = webURL;
    while (site.endsWith(QLatin1Char('/')) && !site.endsWith(QLatin1String("://")))
        site.chop(1);
    qsizetype start = 0;
    while (start < ftpDirectory.size() && ftpDirectory.at(start) == QLatin1Char('/'))
        ++start;
    return site + QLatin1Char('/') + ftpDirectory.mid(start);
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectsetup.h"

#include "platform/fileops.h"
#include "project/entrynames.h"
#include "project/entrytext.h"
#include "project/projectpaths.h"
#include "publish/ftpaddress.h"
#include "publish/passwordstore.h"

#include <QDir>
#include <QFileInfo>

namespace Tarnwick {

ProjectSetup::ProjectSetup(QString programDirectory, Coding encode, Coding decode,
                           PasswordStore *passwords)
    : m_programDirectory(std::move(programDirectory))
    , m_encode(std::move(encode))
    , m_decode(std::move(decode))
    , m_passwords(passwords)
{
}

ProjectSetup::Fields ProjectSetup::newProjectFields()
{
    Fields fields;
    fields.textColor = QStringLiteral("000000");
    fields.linkColor = QStringLiteral("FF0000");
    fields.vLinkColor = QStringLiteral("800080");
    fields.aLinkColor = QStringLiteral("000000");
    fields.bgColor = QStringLiteral("C0C0C0");
    return fields;
}

QString ProjectSetup::requiredFieldMissing()
{
    return QStringLiteral("Required field missing!");
}

QString ProjectSetup::dashNotAllowed()
{
    return QStringLiteral("The dash character, '-', is not allowed in a project description.  "
                          "Please remove it before continuing.");
}

QString ProjectSetup::projectExists()
{
    return QStringLiteral("Project already exists, using previously defined defaults.");
}

QString ProjectSetup::directoryError()
{
    return QStringLiteral("Error processing new project directory!");
}

QString ProjectSetup::driveError()
{
    return QStringLiteral("Error changing to specified project drive!");
}

QString ProjectSetup::controlCharacters(const QString &field)
{
    return QStringLiteral("The ") + field
        + QStringLiteral(" holds a control character (such as a tab or a line break), which "
                         "the project list cannot keep.  Please remove it before continuing.");
}

QString ProjectSetup::directoryInUse(const QString &directory, const QString &project)
{
    return QStringLiteral("The directory ") + directory
        + QStringLiteral(" already belongs to the project \"") + project
        + QStringLiteral("\".  Please choose another directory.");
}

bool ProjectSetup::descriptionHasDash(const QString &description)
{
    return description.contains(QLatin1Char('-'));
}

QString ProjectSetup::typedDirectory(const QString &typed)
{
    QString directory = typed.trimmed();
    if (directory.size() > 1
        && (directory.endsWith(QLatin1Char('\\')) || directory.endsWith(QLatin1Char('/'))))
        directory.chop(1);
    return directory;
}

QString ProjectSetup::projectDirectory(const QString &typed) const
{
    return ProjectPaths::projectDirectory(m_programDirectory, typedDirectory(typed));
}

std::optional<ProjectSetup::Refusal> ProjectSetup::check(const QString &directory,
                                                         const QString &description,
                                                         const ProjectTree &tree) const
{
    using Field = Refusal::Field;
    const QString name = directory.trimmed();
    const QString text = description.trimmed();
    if (name.isEmpty())
        return Refusal { Prompter::Kind::Information, requiredFieldMissing(), Field::Directory };
    if (text.isEmpty())
        return Refusal { Prompter::Kind::Information, requiredFieldMissing(), Field::Description };
    if (descriptionHasDash(text))
        return Refusal { Prompter::Kind::Warning, dashNotAllowed(), Field::Description };
    if (EntryNames::hasControlCharacters(name))
        return Refusal { Prompter::Kind::Warning,
                         controlCharacters(QStringLiteral("project directory")), Field::Directory };
    if (EntryNames::hasControlCharacters(text))
        return Refusal { Prompter::Kind::Warning,
                         controlCharacters(QStringLiteral("project description")),
                         Field::Description };
    const QString wanted = projectDirectory(name);
    for (const int row : tree.projectRows()) {
        const QString entry = tree.entry(row).text;
        const QString used
            = ProjectPaths::projectDirectory(m_programDirectory, EntryText::EntryTarget(entry));
        if (FileOps::samePath(used, wanted))
            return Refusal { Prompter::Kind::Warning,
                             directoryInUse(wanted, EntryText::EntryDescription(entry)),
                             Field::Directory };
    }
    return std::nullopt;
}

Result ProjectSetup::CreateProjectDir(const QString &typed) const
{
    const QString directory = projectDirectory(typed);
    // A drive this system has no notion of would otherwise become a folder
    // named "C:..." wherever the process happens to be.
    if (!QDir::isAbsolutePath(directory))
        return Result::failure(driveError());
    if (!QDir().mkpath(directory) || !QFileInfo(directory).isDir())
        return Result::failure(directoryError());
    return Result::success();
}

ProjectSettings ProjectSetup::settingsFrom(const Fields &fields) const
{
    ProjectSettings settings;
    settings.mailto = fields.email;
    settings.webURL = fields.webURL;
    settings.ftpDirectory = fields.ftpDirectory;
    settings.textColor = fields.textColor;
    settings.linkColor = fields.linkColor;
    settings.aLinkColor = fields.aLinkColor;
    settings.vLinkColor = fields.vLinkColor;
    settings.bgColor = fields.bgColor;
    settings.themeStyle = fields.theme;
    settings.loginID = fields.loginID;
    settings.useFtps = fields.useFtps;
    settings.useSftp = fields.useSftp;
    settings.sshKeyFile = fields.sshKeyFile;
    settings.loginPassword = m_encode ? m_encode(fields.password) : QString();
    return settings;
}

ProjectSetup::Fields ProjectSetup::fieldsFrom(const ProjectSettings &settings) const
{
    Fields fields;
    fields.email = settings.mailto;
    fields.webURL = settings.webURL;
    fields.ftpDirectory = settings.ftpDirectory;
    fields.textColor = settings.textColor;
    fields.linkColor = settings.linkColor;
    fields.aLinkColor = settings.aLinkColor;
    fields.vLinkColor = settings.vLinkColor;
    fields.bgColor = settings.bgColor;
    fields.theme = settings.themeStyle;
    fields.loginID = settings.loginID;
    fields.useFtps = settings.useFtps;
    fields.useSftp = settings.useSftp;
    fields.sshKeyFile = settings.sshKeyFile;
    fields.password = m_decode ? m_decode(settings.loginPassword) : QString();
    return fields;
}

QString ProjectSetup::keptInKeyring()
{
    return QStringLiteral("Kept in the desktop keyring.");
}

QString ProjectSetup::keptInProjectFile(bool keyringRunning)
{
    return keyringRunning
        ? QStringLiteral("Kept in PROJECT.INI (encoded, not encrypted).")
        : QStringLiteral("Kept in PROJECT.INI (encoded, not encrypted): no desktop keyring is "
                         "running.");
}

QString ProjectSetup::keyringRefused(const QString &error)
{
    return QStringLiteral("The desktop keyring did not take the password: ") + error
        + QStringLiteral("\nThe password is kept in PROJECT.INI (encoded, not encrypted) instead.");
}

QString ProjectSetup::keyringUnread(const QString &error)
{
    return QStringLiteral("The password could not be read from the desktop keyring: ") + error;
}

QString ProjectSetup::moveFailed(const QString &error)
{
    return QStringLiteral("The password could not be moved to the desktop keyring: ") + error
        + QStringLiteral("\nIt is still kept in PROJECT.INI.");
}

QString ProjectSetup::noSiteForKeyring()
{
    return QStringLiteral("The website URL names no site to keep the password under.");
}

bool ProjectSetup::keyringInUse() const
{
    return m_passwords && m_passwords->available();
}

ProjectSetup::Loaded ProjectSetup::load(const QString &projectDir) const
{
    const ProjectSettings settings = ProjectSettings::read(projectDir);
    Loaded loaded;
    loaded.fields = fieldsFrom(settings);
    loaded.passwordInProjectFile = !loaded.fields.password.isEmpty();
    if (loaded.passwordInProjectFile || !keyringInUse())
        return loaded;
    const std::optional<QString> key = FtpAddress::siteKey(settings.webURL, settings.loginID);
    if (!key)
        return loaded;
    const Expected<QString> kept = m_passwords->read(*key);
    if (kept)
        loaded.fields.password = *kept;
    else
        loaded.warning = keyringUnread(kept.error());
    return loaded;
}

ProjectSetup::Saved ProjectSetup::save(const Fields &fields, const QString &projectDir) const
{
    ProjectSettings settings = settingsFrom(fields);
    Saved saved;
    const std::optional<QString> key = FtpAddress::siteKey(fields.webURL, fields.loginID);
    // Without a site there is no entry to keep it under; PROJECT.INI keeps it as before.
    if (key && keyringInUse()) {
        if (const Result kept = m_passwords->write(*key, fields.password); kept)
            settings.loginPassword.clear();
        else
            saved.warning = keyringRefused(kept.error());
    }
    saved.written = settings.write(projectDir);
    return saved;
}

Result ProjectSetup::movePasswordToKeyring(const QString &projectDir) const
{
    const ProjectSettings settings = ProjectSettings::read(projectDir);
    const QString password = m_decode ? m_decode(settings.loginPassword) : QString();
    if (password.isEmpty())
        return Result::success();
    if (!keyringInUse())
        return Result::failure(moveFailed(PasswordStore::noKeyring()));
    const std::optional<QString> key = FtpAddress::siteKey(settings.webURL, settings.loginID);
    if (!key)
        return Result::failure(moveFailed(noSiteForKeyring()));
    if (const Result kept = m_passwords->write(*key, password); !kept)
        return Result::failure(moveFailed(kept.error()));
    // Only now that the keyring holds it may PROJECT.INI let go of it.
    return ProjectSettings::setLoginPassword(projectDir, QString());
}

} // namespace Tarnwick

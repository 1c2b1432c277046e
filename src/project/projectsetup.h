// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/prompter.h"
#include "platform/result.h"
#include "project/projectsettings.h"
#include "project/projecttree.h"

#include <QString>

#include <functional>
#include <optional>

namespace Tarnwick {

class PasswordStore;

// What the project dialog checks and does, apart from its widgets: the
// checks of a new project's directory and description, making its
// directory, and turning the dialog's fields into PROJECT.INI keys and back.
// With a desktop keyring running, the password goes there rather than into
// PROJECT.INI; a password PROJECT.INI still holds keeps working.
class ProjectSetup final
{
public:
    // Password coding: the clear text to its stored form, and back.
    using Coding = std::function<QString(const QString &)>;

    struct Fields
    {
        QString webURL;
        QString ftpDirectory;
        QString loginID;
        QString password; // clear text
        QString email;
        QString textColor = QStringLiteral("000000");
        QString linkColor = QStringLiteral("000000");
        QString vLinkColor = QStringLiteral("000000");
        QString aLinkColor = QStringLiteral("000000");
        QString bgColor = QStringLiteral("000000");
        QString theme;
        bool useFtps = false;
        bool useSftp = false;
        QString sshKeyFile;

        friend bool operator==(const Fields &, const Fields &) = default;
    };

    // A check that failed: the message and the field it is about.
    struct Refusal
    {
        enum class Field { Directory, Description };
        Prompter::Kind kind = Prompter::Kind::Warning;
        QString text;
        Field field = Field::Directory;
    };

    // passwords: the desktop keyring; none, or one without a running keyring,
    // keeps passwords in PROJECT.INI.
    ProjectSetup(QString programDirectory, Coding encode, Coding decode,
                 PasswordStore *passwords = nullptr);

    // What the dialog offers for a new project: the page colours a folder
    // without PROJECT.INI gives new pages (black text, red links, purple
    // visited links, black active links, grey background), never black on
    // black.
    static Fields newProjectFields();

    static QString requiredFieldMissing();
    static QString dashNotAllowed();
    static QString projectExists();
    static QString directoryError();
    static QString driveError();
    static QString controlCharacters(const QString &field);
    static QString directoryInUse(const QString &directory, const QString &project);

    // A description must not hold "-", which separates it from the target.
    static bool descriptionHasDash(const QString &description);
    // The directory as typed, without one trailing separator.
    static QString typedDirectory(const QString &typed);
    // Where a project whose directory is typed this way lives.
    QString projectDirectory(const QString &typed) const;

    // The checks of "Ok" for a new project, in order: both fields filled,
    // no "-" in the description, no control characters, a directory no
    // other project of the tree uses. Fields are taken trimmed.
    std::optional<Refusal> check(const QString &directory, const QString &description,
                                 const ProjectTree &tree) const;

    // Makes the project's directory with every missing parent. Fails with
    // driveError() for a drive path this system cannot reach and with
    // directoryError() when the directory cannot be made.
    Result CreateProjectDir(const QString &typed) const;

    ProjectSettings settingsFrom(const Fields &fields) const;
    Fields fieldsFrom(const ProjectSettings &settings) const;

    static QString keptInKeyring();
    static QString keptInProjectFile(bool keyringRunning);
    static QString keyringRefused(const QString &error);
    static QString keyringUnread(const QString &error);
    static QString moveFailed(const QString &error);
    static QString noSiteForKeyring();

    // A desktop keyring answers: passwords go there.
    bool keyringInUse() const;

    struct Loaded
    {
        Fields fields;
        bool passwordInProjectFile = false; // PROJECT.INI holds a password
        QString warning; // the keyring failed to give the password
    };
    // The dialog's fields from projectDir's PROJECT.INI; the password from the
    // keyring when PROJECT.INI holds none.
    Loaded load(const QString &projectDir) const;

    struct Saved
    {
        Result written = Result::success(); // PROJECT.INI
        QString warning; // the keyring refused the password, which went into PROJECT.INI
    };
    // Writes PROJECT.INI from the fields. With the keyring in use the password
    // (an empty one removes the site's entry) goes there first and LoginPassword
    // is written empty; a keyring that refuses it leaves it in PROJECT.INI.
    Saved save(const Fields &fields, const QString &projectDir) const;

    // Moves the password PROJECT.INI holds into the keyring, under the site
    // PROJECT.INI names: the keyring is written first, then LoginPassword
    // emptied. On failure PROJECT.INI still holds the password.
    Result movePasswordToKeyring(const QString &projectDir) const;

private:
    QString m_programDirectory;
    Coding m_encode;
    Coding m_decode;
    PasswordStore *m_passwords;
};

} // namespace Tarnwick

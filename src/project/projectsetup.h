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

// What the project dialog checks and does, apart from its widgets: the
// checks of a new project's directory and description, making its
// directory, and turning the dialog's fields into PROJECT.INI keys and back.
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

    ProjectSetup(QString programDirectory, Coding encode, Coding decode);

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

private:
    QString m_programDirectory;
    Coding m_encode;
    Coding m_decode;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/publishplan.h"
#include "publish/tqftpform.h"

#include <QObject>
#include <QStringView>

#include <optional>

namespace Tarnwick {

class OpenPages;
class PasswordStore;
class ProjectMenu;
class ProjectOutline;
class Prompter;
class Settings;

// The send items of the project menus: their caption for the selected entry
// and FTPSendClick, which shows the FTP Vaza Ded for the selected page or
// project. Without a menu (tests) nothing shows the items.
class PublishCommands final : public QObject
{
    Q_OBJECT

public:
    PublishCommands(ProjectMenu *menu, ProjectOutline *outline, OpenPages *pages,
                    Prompter *prompter, Settings *settings, PasswordStore *passwords = nullptr,
                    QObject *parent = nullptr);

    QString sendCaption() const;
    // The check of the pages about to be sent, when the settings ask for it.
    using PageCheck = std::function<bool(const QString &projectDir, const QStringList &pages)>;
    void setPageCheck(PageCheck check) { m_pageCheck = std::move(check); }
    void FTPSendClick(const QString &caption);
    // The dialog's data for the selected entry; nothing when no entry is selected.
    // The password is PROJECT.INI's, else the desktop keyring's.
    std::optional<TQFTPForm::Request> request() const;

    // The references of a page's text, from the page details check.
    static QList<ScannedReference> referencesOf(QStringView text, const QString &pageDirectory);
    // Of a page's tab when it is open, else of its file.
    static ReferenceScanner scanner(const OpenPages *pages);

    static QString closeProjectFiles()
    {
        return QStringLiteral(
            "You must close all project files before you can send them to your site.");
    }
    static QString nothingSelected()
    {
        return QStringLiteral("Select a page or a project in the project tree to send it.");
    }
    static QString settingsNotSent()
    {
        return QStringLiteral("PROJECT.INI holds the project's settings and is never sent.");
    }

private:
    bool projectFileOpen() const;
    PageCheck m_pageCheck;

    ProjectOutline *m_outline;
    OpenPages *m_pages;
    Prompter *m_prompter;
    Settings *m_settings;
    PasswordStore *m_passwords;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/publishcommands.h"

#include "app/openpages.h"
#include "app/projectmenu.h"
#include "app/settings.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "preview/pagedetails.h"
#include "project/entrytext.h"
#include "project/projectoutline.h"
#include "project/projectpaths.h"
#include "project/projectsettings.h"
#include "project/projectsetup.h"
#include "publish/ftpaddress.h"
#include "publish/passwordcodec.h"
#include "publish/passwordstore.h"

#include <QFileInfo>

namespace Tarnwick {

PublishCommands::PublishCommands(ProjectMenu *menu, ProjectOutline *outline, OpenPages *pages,
                                 Prompter *prompter, Settings *settings, PasswordStore *passwords,
                                 QObject *parent)
    : QObject(parent)
    , m_outline(outline)
    , m_pages(pages)
    , m_prompter(prompter)
    , m_settings(settings)
    , m_passwords(passwords)
{
    if (menu)
        menu->setSendCommand([this] { return sendCaption(); },
                             [this](const QString &caption) { FTPSendClick(caption); });
}

QString PublishCommands::sendCaption() const
{
    const int level = m_outline->selectedLevel();
    if (level == 0)
        return QStringLiteral("Send to website...");
    const QString site = ProjectSettings::read(m_outline->GetSelectedProjectDir()).siteCaption();
    if (level == 1)
        return QStringLiteral("Send entire site to ") + site;
    const bool open = m_pages->IsFileNameOpen(m_outline->GetSelectedFilename());
    return (open ? QStringLiteral("(OPEN)") : QString()) + QStringLiteral("Send to ") + site;
}

bool PublishCommands::projectFileOpen() const
{
    const QString dir = m_outline->GetSelectedProjectDir();
    const ProjectTree tree = m_outline->tree();
    for (const int row : tree.pageRowsOf(m_outline->currentRow())) {
        const QString target = EntryText::EntryTarget(tree.entry(row).text);
        if (m_pages->IsFileNameOpen(dir + QLatin1Char('/') + target))
            return true;
    }
    return false;
}

std::optional<TQFTPForm::Request> PublishCommands::request() const
{
    const int level = m_outline->selectedLevel();
    if (level == 0)
        return std::nullopt;
    TQFTPForm::Request r;
    r.projectDir = m_outline->GetSelectedProjectDir();
    const ProjectTree tree = m_outline->tree();
    if (level == 1) {
        for (const int row : tree.pageRowsOf(m_outline->currentRow())) {
            const QString target = EntryText::EntryTarget(tree.entry(row).text);
            if (!ProjectPaths::isSettingsEntry(target))
                r.pages.append(target);
        }
    } else {
        r.pages.append(EntryText::EntryTarget(m_outline->selectedText()));
    }
    const ProjectSettings settings = ProjectSettings::read(r.projectDir);
    r.site.address = settings.webURL;
    r.site.directory = settings.ftpDirectory;
    r.site.user = settings.loginID;
    r.site.password = PasswordCodec::DecodeStr(settings.loginPassword);
    // A password moved to the keyring leaves LoginPassword empty.
    if (r.site.password.isEmpty() && m_passwords && m_passwords->available()) {
        if (const std::optional<QString> key
            = FtpAddress::siteKey(settings.webURL, settings.loginID)) {
            if (const Expected<QString> kept = m_passwords->read(*key); kept)
                r.site.password = *kept;
            else
                m_prompter->warning(ProjectSetup::keyringUnread(kept.error()));
        }
    }
    r.site.tls = settings.useFtps;
    r.site.sftp = settings.useSftp;
    r.site.keyFile = settings.sshKeyFile;
    if (m_pages)
        r.programDir = m_pages->programDirectory();
    r.timeOutMs = m_settings->FTP.TimeOut;
    r.smartAscii = m_settings->FTP.SmartASCII;
    r.extensions = m_settings->Defaults.Extension;
    r.scanner = scanner(m_pages);
    r.sendReferences = ProjectSettings::sendReferences(r.projectDir);
    if (m_pageCheck && m_settings->FTP.CheckSite)
        r.checkPages = [check = m_pageCheck, directory = r.projectDir](const QStringList &pages) {
            return check(directory, pages);
        };
    r.rememberSendReferences = [prompter = m_prompter, directory = r.projectDir](bool send) {
        if (const Result kept = ProjectSettings::setSendReferences(directory, send); !kept)
            prompter->error(kept.error());
    };
    return r;
}

void PublishCommands::FTPSendClick(const QString &caption)
{
    if (caption.contains(QStringLiteral("entire site")) && projectFileOpen()) {
        m_prompter->warning(closeProjectFiles());
        return;
    }
    const std::optional<TQFTPForm::Request> r = request();
    if (!r) {
        m_prompter->information(nothingSelected());
        return;
    }
    if (r->pages.size() == 1
        && r->pages.first().compare(ProjectPaths::SettingsFileName, Qt::CaseInsensitive) == 0) {
        m_prompter->information(settingsNotSent());
        return;
    }
    TQFTPForm dialog(*r, m_prompter, m_outline->window());
    dialog.exec();
}

QList<ScannedReference> PublishCommands::referencesOf(QStringView text,
                                                      const QString &pageDirectory)
{
    const PageDetailsReport report = PageDetails::Evaluate(text, pageDirectory);
    QList<ScannedReference> references;
    const auto add = [&](const QString &value, bool located) {
        ScannedReference r;
        r.value = value;
        r.outside = PageDetails::hasScheme(value);
        r.located = located;
        if (located)
            r.path = report.locatedPaths.value(value);
        else if (const std::optional<QString> path = PageDetails::localPath(value, pageDirectory))
            r.path = *path;
        references.append(r);
    };
    for (const QString &value : report.FilesFound)
        add(value, true);
    for (const QString &value : report.FilesMissing)
        add(value, false);
    for (const QString &value : report.Links) {
        if (!value.startsWith(QLatin1Char('#')))
            add(value, report.locatedPaths.contains(value));
    }
    return references;
}

ReferenceScanner PublishCommands::scanner(const OpenPages *pages)
{
    return [pages](const QString &pagePath) -> Expected<QList<ScannedReference>> {
        QString text;
        if (const std::optional<QString> open
            = pages ? pages->openPageText(pagePath) : std::nullopt) {
            text = *open;
        } else {
            Expected<TextFileContent> read = TextFile::read(pagePath);
            if (!read)
                return Expected<QList<ScannedReference>>::failure(read.error());
            text = read->text;
        }
        return referencesOf(text, QFileInfo(pagePath).absolutePath());
    };
}

} // namespace Tarnwick

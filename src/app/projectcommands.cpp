// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/projectcommands.h"

#include "app/linkupdater.h"
#include "app/openpages.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "platform/filefilter.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "preview/pagedetails.h"
#include "project/entrytext.h"
#include "project/projectoutline.h"
#include "project/projectpaths.h"
#include "project/projecttree.h"
#include "project/tcopymoveform.h"
#include "project/tcrtpageform.h"
#include "project/tcrtprjform.h"
#include "project/textrafilesfrm.h"
#include "publish/passwordcodec.h"
#include "tags/basictags.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace Tarnwick {

namespace {

QString encodePassword(const QString &password)
{
    return PasswordCodec::EncodeStr(password);
}

} // namespace

ProjectCommands::ProjectCommands(ProjectOutline *outline, OpenPages *pages, EditorControl *editor,
                                 Prompter *prompter, Settings *settings,
                                 const QString &programDirectory, PasswordStore *passwords,
                                 QObject *parent)
    : QObject(parent)
    , m_outline(outline)
    , m_pages(pages)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_settings(settings)
    , m_programDirectory(programDirectory)
    , m_passwords(passwords)
{
    connect(m_outline, &ProjectOutline::pageOpenRequested, this, &ProjectCommands::LoadProjectpage);
    PageOperations::Hooks hooks;
    hooks.evaluate = &ProjectCommands::checkImportedPage;
    hooks.standardPage = &BasicTags::pageText;
    hooks.defaultPageOpened = [this] {
        if (m_editor->LineCount() > 1)
            return;
        BasicTags::InsertBasicTags(*m_editor);
        Q_EMIT refreshPreview();
    };
    hooks.framePageOpened = [this] { Q_EMIT framePageOpened(); };
    hooks.templatePageOpened = [this] { Q_EMIT templatePageOpened(); };
    hooks.treeChanged = [this](const TreeSelection &s) { m_outline->showTree(s.tree, s.row); };
    hooks.pageMoved = [this](const QStringList &pages, const QString &from, const QString &to) {
        LinkUpdater(m_pages, m_prompter).offer(pages, from, to);
    };
    m_operations = std::make_unique<PageOperations>(m_programDirectory, m_prompter, m_pages,
                                                    std::move(hooks));
}

ProjectCommands::~ProjectCommands() = default;

QString ProjectCommands::projectListPath() const
{
    return m_programDirectory + QStringLiteral("project.dat");
}

QString ProjectCommands::treeKept(const QString &reason)
{
    return QStringLiteral("The project list could not be read (") + reason
        + QStringLiteral("). It is kept as it is, and projects cannot be changed until it is "
                         "repaired and Tarnwick started again.");
}

void ProjectCommands::loadTree()
{
    const QString path = projectListPath();
    if (!QFileInfo::exists(path)) {
        m_outline->setTree(ProjectTree::defaultTree());
        m_outline->expandAll();
        return;
    }
    Expected<ProjectTree> tree = ProjectTree::load(path);
    if (!tree) {
        // Keep the unreadable file: saving an empty tree over it at exit would
        // throw away every project the user has.
        m_treeLoaded = false;
        m_loadError = tree.error();
        m_prompter->warning(tree.error());
        return;
    }
    m_outline->setTree(tree.value());
    m_outline->expandAll();
}

void ProjectCommands::saveTree()
{
    if (!m_treeLoaded)
        return;
    if (const Result saved = m_outline->tree().save(projectListPath()); !saved)
        m_prompter->error(saved.error());
}

bool ProjectCommands::treeChangeAllowed()
{
    if (!m_treeLoaded)
        m_prompter->warning(treeKept(m_loadError));
    return m_treeLoaded;
}

void ProjectCommands::LoadProjectpage(const QString &path, bool direct)
{
    if (!direct && m_pages->IsSelectedFileOpen(path, true))
        return;
    if (!direct && ProjectPaths::isSettingsEntry(QFileInfo(path).fileName())) {
        ShowProjectSettings();
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_outline->setEnabled(false);
    m_pages->LoadFile(path, true);
    m_outline->setEnabled(true);
    QGuiApplication::restoreOverrideCursor();
    m_editor->setFocus();
}

void ProjectCommands::NewProjectClick()
{
    if (!treeChangeAllowed())
        return;
    TCrtPrjForm dialog(TCrtPrjForm::Mode::Create, m_outline, m_prompter, m_programDirectory,
                       encodePassword, &PasswordCodec::DecodeStr, m_passwords, m_outline->window());
    dialog.exec();
    saveTree();
}

void ProjectCommands::ShowProjectSettings()
{
    TCrtPrjForm dialog(TCrtPrjForm::Mode::Settings, m_outline, m_prompter, m_programDirectory,
                       encodePassword, &PasswordCodec::DecodeStr, m_passwords, m_outline->window());
    dialog.exec();
}

QStringList ProjectCommands::selectedProjectPages() const
{
    const ProjectTree tree = m_outline->tree();
    const int project = tree.projectRowOf(m_outline->currentRow());
    QStringList pages;
    if (project < 0)
        return pages;
    for (const int row : tree.pageRowsOf(project)) {
        const QString target = EntryText::EntryTarget(tree.entry(row).text);
        if (!ProjectPaths::isSettingsEntry(target))
            pages.append(target);
    }
    return pages;
}

Expected<QStringList> ProjectCommands::pageReferences(const QString &pagePath) const
{
    QString text;
    if (const std::optional<QString> open = m_pages->openPageText(pagePath)) {
        text = *open;
    } else {
        Expected<TextFileContent> read = TextFile::read(pagePath);
        if (!read)
            return Expected<QStringList>::failure(read.error());
        text = read->text;
    }
    return PageDetails::Evaluate(text, QFileInfo(pagePath).absolutePath()).locatedFiles();
}

void ProjectCommands::FindOrphansClick()
{
    if (!m_outline->selectedIsProject())
        return;
    const QString directory = m_outline->GetSelectedProjectDir();
    if (!QFileInfo(directory).isDir()) {
        m_prompter->error(OrphanSearch::missingDirectory(directory));
        return;
    }
    const DefaultsSettings &d = m_settings->Defaults;
    TExtraFilesFrm dialog(
        directory, selectedProjectPages(),
        [this](const QString &page) { return pageReferences(page); }, m_prompter,
        { d.Extension, d.GraphicExtension }, m_outline->window());
    dialog.setOpenPageCheck([this](const QString &page) { return m_pages->IsFileNameOpen(page); });
    dialog.exec();
}

PageOperations::PageCheck ProjectCommands::checkImportedPage(const QString &text,
                                                             const QString &pageDirectory)
{
    const PageDetailsReport report = PageDetails::Evaluate(text, pageDirectory);
    PageOperations::PageCheck check;
    check.title = report.title;
    for (const QString &value : report.FilesMissing) {
        QString relative;
        if (!PageDetails::hasScheme(value)) {
            if (const std::optional<QString> path = PageDetails::localPath(value, pageDirectory))
                relative = QDir(pageDirectory).relativeFilePath(*path);
        }
        check.missing.append({ value, relative });
    }
    return check;
}

TreeSelection ProjectCommands::selection() const
{
    return { m_outline->tree(), m_outline->currentRow() };
}

void ProjectCommands::run(const std::function<bool(TreeSelection &)> &command)
{
    if (!treeChangeAllowed())
        return;
    TreeSelection s = selection();
    const TreeSelection before = s;
    const bool write = command(s);
    if (s != before)
        m_outline->showTree(s.tree, s.row);
    if (write)
        saveTree();
}

void ProjectCommands::AddPageClick()
{
    if (!treeChangeAllowed())
        return;
    if (m_outline->selectedLevel() < 1) {
        m_prompter->information(PageOperations::highlightProject());
        return;
    }
    TCrtPageForm dialog(PageOperations::extensions(m_settings->Defaults.Extension),
                        m_programDirectory, m_outline->window());
    if (dialog.exec() != QDialog::Accepted) {
        saveTree();
        return;
    }
    const PageOperations::NewPage page = dialog.page();
    run([&](TreeSelection &s) { return m_operations->createPage(s, page); });
}

void ProjectCommands::ImportPageClick()
{
    if (!treeChangeAllowed())
        return;
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Import Page");
    request.directory = m_pages->currentDirectory().isEmpty() ? m_outline->GetSelectedProjectDir()
                                                              : m_pages->currentDirectory();
    request.filter
        = FileFilter::build(m_settings->Defaults.Extension, m_settings->Defaults.GraphicExtension);
    const std::optional<QStringList> files = m_prompter->openFileNames(request);
    run([&](TreeSelection &s) { return !files || m_operations->importPages(s, *files); });
}

void ProjectCommands::DeletePageClick()
{
    run([this](TreeSelection &s) { return m_operations->deletePage(s); });
}

void ProjectCommands::CopyMovepageClick()
{
    if (!treeChangeAllowed() || !m_operations->copyMoveAllowed(selection()))
        return;
    const TreeSelection s = selection();
    TCopyMoveForm dialog(s.tree, s.row, m_outline->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    run([&](TreeSelection &current) {
        return m_operations->copyMove(current, dialog.chosenProjectRow(), dialog.move());
    });
}

void ProjectCommands::ChangeDescriptionClick()
{
    run([this](TreeSelection &s) { return m_operations->changeDescription(s); });
}

void ProjectCommands::RenameFileClick()
{
    run([this](TreeSelection &s) { return m_operations->renameFile(s); });
}

void ProjectCommands::RemovefromprojectClick()
{
    run([this](TreeSelection &s) { return m_operations->removeFromProject(s); });
}

void ProjectCommands::DeleteProjectClick()
{
    run([this](TreeSelection &s) { return m_operations->deleteProject(s); });
}

} // namespace Tarnwick

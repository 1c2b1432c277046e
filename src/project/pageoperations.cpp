// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/pageoperations.h"

#include "platform/charsetdeclaration.h"
#include "platform/fileops.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "project/entrynames.h"
#include "project/entrytext.h"
#include "project/openpageaccess.h"
#include "project/projectpaths.h"
#include "project/projectsetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace Tarnwick {

namespace {

using Kind = Prompter::Kind;
using Buttons = Prompter::Buttons;
using Answer = Prompter::Answer;

// exists() follows links; a dangling link still takes the name.
bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

int entryLevel(const ProjectTree &tree, int row)
{
    return row >= 0 && row < tree.size() ? tree.entry(row).level : 0;
}

QString targetOf(const ProjectTree &tree, int row)
{
    return EntryText::EntryTarget(tree.entry(row).text);
}

// Adds a page entry in its sorted place; the selection follows it or stays
// on the entry it was on.
int insertPage(TreeSelection &s, int projectRow, const QString &text, bool select)
{
    const int row = s.tree.addPage(projectRow, text);
    if (row < 0)
        return row;
    if (select)
        s.row = row;
    else if (s.row >= row)
        ++s.row;
    return row;
}

// Removes an entry with what lies below it; a selection inside it goes to
// the entry above.
void removeRow(TreeSelection &s, int row)
{
    const qsizetype before = s.tree.size();
    s.tree.removeEntry(row);
    const int removed = int(before - s.tree.size());
    if (s.row >= row + removed)
        s.row -= removed;
    else if (s.row >= row)
        s.row = row > 0 ? row - 1 : (s.tree.isEmpty() ? -1 : 0);
}

// A file the program copied from its own data may be read-only there; the
// user's new page must not be.
void makeWritable(const QString &path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
}

} // namespace

PageOperations::PageOperations(QString programDirectory, Prompter *prompter, OpenPageAccess *pages,
                               Hooks hooks)
    : m_programDirectory(std::move(programDirectory))
    , m_prompter(prompter)
    , m_pages(pages)
    , m_hooks(std::move(hooks))
{
}

// ---------------------------------------------------------------- paths

QString PageOperations::projectDirectory(const ProjectTree &tree, int projectRow) const
{
    return ProjectPaths::projectDirectory(m_programDirectory, targetOf(tree, projectRow));
}

QString PageOperations::pagePath(const ProjectTree &tree, int pageRow) const
{
    return projectDirectory(tree, tree.projectRowOf(pageRow)) + QLatin1Char('/')
        + targetOf(tree, pageRow);
}

QString PageOperations::templateDirectory(const QString &programDirectory)
{
    return QDir(programDirectory).filePath(QStringLiteral("template"));
}

QStringList PageOperations::templateNames(const QString &programDirectory)
{
    QStringList names;
    const QStringList files
        = QDir(templateDirectory(programDirectory)).entryList(QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (QFileInfo(file).suffix().startsWith(QStringLiteral("ht"), Qt::CaseInsensitive))
            names.append(file);
    }
    return names;
}

QStringList PageOperations::extensions(const QString &extensionSetting)
{
    QStringList result;
    for (const QString &field : extensionSetting.split(QLatin1Char(','))) {
        if (field.isEmpty())
            break;
        result.append(field);
    }
    return result;
}

bool PageOperations::selectedIsPage(const TreeSelection &s) const
{
    return entryLevel(s.tree, s.row) == 2 && s.tree.projectRowOf(s.row) >= 0;
}

bool PageOperations::namedElsewhere(const ProjectTree &tree, int pageRow) const
{
    const QString path = pagePath(tree, pageRow);
    const QString target = targetOf(tree, pageRow);
    for (const int project : tree.projectRows()) {
        for (const int row : tree.pageRowsOf(project)) {
            if (row == pageRow || !EntryNames::isPlainFileName(targetOf(tree, row)))
                continue;
            // Cheap test first: only entries of that file name can name it.
            if (targetOf(tree, row) == target && FileOps::samePath(pagePath(tree, row), path))
                return true;
        }
    }
    return false;
}

bool PageOperations::directoryShared(const ProjectTree &tree, int projectRow) const
{
    const QString directory = projectDirectory(tree, projectRow);
    for (const int project : tree.projectRows()) {
        if (project != projectRow && FileOps::samePath(projectDirectory(tree, project), directory))
            return true;
    }
    return false;
}

int PageOperations::pageWithTarget(const ProjectTree &tree, int projectRow, const QString &target)
{
    for (const int row : tree.pageRowsOf(projectRow)) {
        if (targetOf(tree, row) == target)
            return row;
    }
    return -1;
}

QString PageOperations::projectDescription(const ProjectTree &tree, int projectRow)
{
    return EntryText::EntryDescription(tree.entry(projectRow).text);
}

QStringList PageOperations::projectPagePaths(const ProjectTree &tree, int projectRow) const
{
    QStringList paths;
    for (const int row : tree.pageRowsOf(projectRow)) {
        const QString target = targetOf(tree, row);
        if (EntryNames::isPlainFileName(target) && !ProjectPaths::isSettingsEntry(target))
            paths.append(pagePath(tree, row));
    }
    return paths;
}

void PageOperations::tellPageMoved(const TreeSelection &s, const QStringList &pagePaths,
                                   const QString &from, const QString &to)
{
    if (!m_hooks.pageMoved)
        return;
    // The question that may follow comes over the tree as it is now.
    if (m_hooks.treeChanged)
        m_hooks.treeChanged(s);
    m_hooks.pageMoved(pagePaths, from, to);
}

bool PageOperations::IsAProjectFileOpen(const TreeSelection &s)
{
    if (entryLevel(s.tree, s.row) != 1)
        return false;
    for (const int row : s.tree.pageRowsOf(s.row)) {
        if (m_pages->IsSelectedFileOpen(pagePath(s.tree, row), false))
            return true;
    }
    return false;
}

// ---------------------------------------------------------------- commands

bool PageOperations::createPage(TreeSelection &s, const NewPage &page)
{
    const QString name = page.name.trimmed();
    const QString description = page.description.trimmed();
    if (!name.isEmpty() && !EntryNames::isNewPageName(name)) {
        m_prompter->warning(EntryNames::badPageName());
        return true;
    }
    if (name.isEmpty() || description.isEmpty()) {
        m_prompter->information(ProjectSetup::requiredFieldMissing());
        return true;
    }
    if (ProjectSetup::descriptionHasDash(description)) {
        m_prompter->warning(ProjectSetup::dashNotAllowed());
        return true;
    }
    if (EntryNames::hasControlCharacters(description)) {
        m_prompter->warning(EntryNames::controlCharacters());
        return true;
    }
    const QString fileName = name + QLatin1Char('.') + page.extension;
    if (page.extension.isEmpty() || !EntryNames::isPlainFileName(fileName)) {
        m_prompter->warning(EntryNames::badPageName());
        return true;
    }
    const int projectRow = s.tree.projectRowOf(s.row);
    if (projectRow < 0) {
        m_prompter->information(highlightProject());
        return true;
    }
    const QString directory = projectDirectory(s.tree, projectRow);
    if (!QFileInfo(directory).isDir()) {
        m_prompter->error(missingDirectory(directory));
        return true;
    }
    const QString path = directory + QLatin1Char('/') + fileName;
    if (nameTaken(path) || pageWithTarget(s.tree, projectRow, fileName) >= 0) {
        m_prompter->information(pageExists());
        return true;
    }

    Result created = Result::success();
    const QString templates = templateDirectory(m_programDirectory);
    switch (page.style) {
    case Style::DefaultPage: {
        const QString standard = QDir(templates).filePath(QStringLiteral("default.htm"));
        if (QFileInfo(standard).isFile())
            created = copyTemplate(standard, path);
        else
            created = FileOps::writeFileAtomic(
                path, m_hooks.standardPage ? m_hooks.standardPage().toUtf8() : QByteArray());
        break;
    }
    case Style::UseTemplate:
        if (!page.templateName.isEmpty()) {
            // A name from the template list; anything else names no template.
            const QString chosen = QDir(templates).filePath(page.templateName);
            created = EntryNames::isPlainFileName(page.templateName)
                ? copyTemplate(chosen, path)
                : Result::failure(QStringLiteral("Could not find or open: ") + chosen);
            break;
        }
        [[fallthrough]];
    case Style::ThemePage:
        created = FileOps::writeFileAtomic(path, QByteArray());
        break;
    case Style::FramePage:
        // Not empty, so that opening it does not offer the new-page questions.
        created = FileOps::writeFileAtomic(path, QByteArray(" \r\n"));
        break;
    }
    if (!created) {
        m_prompter->error(created.error());
        return true;
    }
    makeWritable(path);

    insertPage(s, projectRow, EntryText::compose(description, fileName), true);
    if (m_hooks.treeChanged)
        m_hooks.treeChanged(s);
    const bool loaded = m_pages->LoadFile(path, true);
    if (loaded && page.style == Style::DefaultPage && m_hooks.defaultPageOpened)
        m_hooks.defaultPageOpened();
    if (loaded && page.style == Style::FramePage && m_hooks.framePageOpened)
        m_hooks.framePageOpened();
    if (loaded && page.style == Style::UseTemplate && !page.templateName.isEmpty()
        && m_hooks.templatePageOpened)
        m_hooks.templatePageOpened();
    return true;
}

bool PageOperations::importPages(TreeSelection &s, const QStringList &files)
{
    for (const QString &file : files) {
        const std::optional<QString> typed
            = m_prompter->inputText(QStringLiteral("Importing Page"),
                                    QStringLiteral("Description for ") + file + QLatin1Char(':'),
                                    QStringLiteral("New Page"));
        if (!typed)
            continue;
        const int projectRow = s.tree.projectRowOf(s.row);
        if (projectRow < 0) {
            m_prompter->information(highlightProject());
            return true;
        }
        s.row = projectRow;
        const QString directory = projectDirectory(s.tree, projectRow);
        if (!QFileInfo(directory).isDir()) {
            m_prompter->error(missingDirectory(directory));
            return true;
        }
        const QString name = QFileInfo(file).fileName();
        if (!QFileInfo(file).isFile() || !EntryNames::isPlainFileName(name)) {
            m_prompter->information(QStringLiteral("Could not find or open: ") + file);
            continue;
        }
        if (pageWithTarget(s.tree, projectRow, name) >= 0) {
            m_prompter->information(alreadyInProject(name, projectDescription(s.tree, projectRow)));
            continue;
        }
        const QString target = directory + QLatin1Char('/') + name;
        if (!FileOps::samePath(file, target)) {
            if (nameTaken(target)) {
                // The same bytes already there are the page itself.
                if (!FileOps::sameContent(file, target)) {
                    m_prompter->warning(differentFileExists(target, file));
                    continue;
                }
            } else if (const Result copied = FileOps::copyFile(file, target); !copied) {
                m_prompter->error(copied.error());
                continue;
            }
        }

        PageCheck check;
        if (const Expected<TextFileContent> read = TextFile::read(target); read && m_hooks.evaluate)
            check = m_hooks.evaluate(read->text, directory);
        const QString description = EntryNames::importDescription(*typed, check.title);
        insertPage(s, projectRow, EntryText::compose(description, name), true);
        copyReferences(check, QFileInfo(file).absolutePath(), directory);
    }
    return true;
}

void PageOperations::copyReferences(const PageCheck &check, const QString &sourceDirectory,
                                    const QString &projectDirectory)
{
    bool sourceMissing = false;
    QStringList outside;
    for (const MissingReference &reference : check.missing) {
        if (reference.relativePath.isEmpty()) {
            outside.append(reference.value);
            continue;
        }
        const QString source = sourceDirectory + QLatin1Char('/') + reference.relativePath;
        const QString target = projectDirectory + QLatin1Char('/') + reference.relativePath;
        // Imported from the project directory itself, the file is missing there too.
        if (!QFileInfo(source).isFile() || FileOps::samePath(source, target)) {
            sourceMissing = true;
            continue;
        }
        if (nameTaken(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (const Result copied = FileOps::copyFile(source, target); !copied)
            m_prompter->error(copied.error());
    }
    if (sourceMissing)
        m_prompter->information(imagesMissing());
    if (!outside.isEmpty())
        m_prompter->information(notCopied(outside));
}

bool PageOperations::deletePage(TreeSelection &s)
{
    if (!selectedIsPage(s))
        return false;
    const QString path = pagePath(s.tree, s.row);
    if (m_pages->IsSelectedFileOpen(path, true))
        return false;
    if (m_prompter->message(Kind::Warning, deleteSelectedFile(), Buttons::OkCancel) != Answer::Ok)
        return false;
    const QString target = targetOf(s.tree, s.row);
    if (!EntryNames::isPlainFileName(target)) {
        m_prompter->information(targetNotPlain(target));
    } else if (namedElsewhere(s.tree, s.row)) {
        m_prompter->information(keptForOtherEntry(path));
    } else {
        if (nameTaken(path)) {
            if (const Result deleted = FileOps::deleteFile(path); !deleted) {
                m_prompter->warning(cannotDelete(deleted.error()));
                return false;
            }
        }
        QFile::remove(path + QLatin1Char('_'));
    }
    removeRow(s, s.row);
    return true;
}

bool PageOperations::removeFromProject(TreeSelection &s)
{
    if (!selectedIsPage(s) || m_pages->IsSelectedFileOpen(pagePath(s.tree, s.row), true))
        return false;
    if (m_prompter->message(Kind::Warning, removeSelectedFile(), Buttons::OkCancel) != Answer::Ok)
        return false;
    removeRow(s, s.row);
    return true;
}

bool PageOperations::changeDescription(TreeSelection &s)
{
    const int level = entryLevel(s.tree, s.row);
    if (level != 1 && level != 2)
        return false;
    const QString text = s.tree.entry(s.row).text;
    const QString target = EntryText::EntryTarget(text);
    if (level == 2 && ProjectPaths::isSettingsEntry(target))
        return false;
    const std::optional<QString> typed = m_prompter->inputText(
        QStringLiteral("Page Description:"), QStringLiteral("Description for ") + target,
        EntryText::EntryDescription(text));
    if (!typed)
        return true;
    if (ProjectSetup::descriptionHasDash(*typed)) {
        m_prompter->warning(ProjectSetup::dashNotAllowed());
        return false;
    }
    if (EntryNames::hasControlCharacters(*typed)) {
        m_prompter->warning(EntryNames::controlCharacters());
        return false;
    }
    const QString changed = EntryText::compose(*typed, target);
    if (level == 1) {
        s.tree.setText(s.row, changed);
        return true;
    }
    const int projectRow = s.tree.projectRowOf(s.row);
    removeRow(s, s.row);
    insertPage(s, projectRow, changed, true);
    return true;
}

bool PageOperations::renameFile(TreeSelection &s)
{
    if (!selectedIsPage(s))
        return false;
    const QString path = pagePath(s.tree, s.row);
    if (m_pages->IsSelectedFileOpen(path, true))
        return true;
    const QString text = s.tree.entry(s.row).text;
    const QString target = EntryText::EntryTarget(text);
    if (ProjectPaths::isSettingsEntry(target))
        return true;
    const std::optional<QString> typed = m_prompter->inputText(
        QStringLiteral("Rename File:"), QStringLiteral("Change filename for ") + target, target);
    if (!typed)
        return true;
    const QString name = typed->trimmed();
    if (name == target)
        return true;
    if (!EntryNames::isPlainFileName(target)) {
        m_prompter->information(targetNotPlain(target));
        return true;
    }
    if (!EntryNames::isPlainFileName(name)) {
        m_prompter->warning(EntryNames::badFileName(name));
        return true;
    }
    const int projectRow = s.tree.projectRowOf(s.row);
    if (pageWithTarget(s.tree, projectRow, name) >= 0) {
        m_prompter->information(alreadyInProject(name, projectDescription(s.tree, projectRow)));
        return true;
    }
    const QString renamed = projectDirectory(s.tree, projectRow) + QLatin1Char('/') + name;
    const QStringList pages = projectPagePaths(s.tree, projectRow);
    if (!FileOps::moveFile(path, renamed)) {
        m_prompter->information(renameFailed());
        return true;
    }
    removeRow(s, s.row);
    insertPage(s, projectRow, EntryText::compose(EntryText::EntryDescription(text), name), true);
    tellPageMoved(s, pages, path, renamed);
    return true;
}

bool PageOperations::copyMoveAllowed(const TreeSelection &s)
{
    return selectedIsPage(s) && !m_pages->IsSelectedFileOpen(pagePath(s.tree, s.row), true);
}

bool PageOperations::copyMove(TreeSelection &s, int targetProjectRow, bool move)
{
    if (!copyMoveAllowed(s) || entryLevel(s.tree, targetProjectRow) != 1)
        return false;
    const int pageRow = s.row;
    const int ownProject = s.tree.projectRowOf(pageRow);
    const QString text = s.tree.entry(pageRow).text;
    const QString name = EntryText::EntryTarget(text);
    if (!EntryNames::isPlainFileName(name)) {
        m_prompter->information(targetNotPlain(name));
        return false;
    }
    QString destinationName = name;
    if (targetProjectRow == ownProject) {
        if (move)
            return false;
        const std::optional<QString> typed = m_prompter->inputText(
            QStringLiteral("New Name"), QStringLiteral("New name:"), QString());
        if (!typed)
            return false;
        destinationName = typed->trimmed();
        if (!EntryNames::isPlainFileName(destinationName)) {
            m_prompter->warning(EntryNames::badFileName(destinationName));
            return false;
        }
    }
    const QString destinationDirectory = projectDirectory(s.tree, targetProjectRow);
    if (!QFileInfo(destinationDirectory).isDir()) {
        m_prompter->error(missingDirectory(destinationDirectory));
        return false;
    }
    if (pageWithTarget(s.tree, targetProjectRow, destinationName) >= 0) {
        m_prompter->information(
            alreadyInProject(destinationName, projectDescription(s.tree, targetProjectRow)));
        return false;
    }
    const QString source = pagePath(s.tree, pageRow);
    const QString destination = destinationDirectory + QLatin1Char('/') + destinationName;
    // Two projects on one directory share their files: only the entries change.
    if (!FileOps::samePath(source, destination)) {
        if (nameTaken(destination)) {
            m_prompter->warning(destinationExists(destination));
            return false;
        }
        const Result done = move ? FileOps::moveFile(source, destination)
                                 : FileOps::copyFile(source, destination);
        if (!done) {
            m_prompter->error(done.error());
            return false;
        }
    }
    const QString entry = EntryText::compose(EntryText::EntryDescription(text), destinationName);
    if (move) {
        const QStringList pages = projectPagePaths(s.tree, ownProject);
        // The target project keeps its place among the projects, not its row.
        const qsizetype project = s.tree.projectRows().indexOf(targetProjectRow);
        removeRow(s, pageRow);
        insertPage(s, s.tree.projectRows().at(project), entry, true);
        if (!FileOps::samePath(source, destination))
            tellPageMoved(s, pages, source, destination);
    } else {
        insertPage(s, targetProjectRow, entry, false);
    }
    if (!FileOps::samePath(source, destination))
        offerReferences(destination, QFileInfo(source).absolutePath(), destinationDirectory);
    return true;
}

Result PageOperations::copyTemplate(const QString &source, const QString &page)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(QStringLiteral("Could not find or open: ") + source);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Result::failure(QStringLiteral("Could not find or open: ") + source);
    // The new page says how it is encoded, unless its template did already.
    return FileOps::writeFileAtomic(
        page, CharsetDeclaration::withDeclaration(bytes, CharsetDeclaration::charsetOf(bytes)));
}

void PageOperations::offerReferences(const QString &page, const QString &sourceDirectory,
                                     const QString &destinationDirectory)
{
    if (!m_hooks.evaluate)
        return;
    const Expected<TextFileContent> read = TextFile::read(page);
    if (!read)
        return;
    // Only what lies below the page's old directory and is really there.
    QStringList wanted;
    for (const MissingReference &reference :
         m_hooks.evaluate(read->text, destinationDirectory).missing) {
        const QString relative = reference.relativePath;
        if (relative.isEmpty() || QDir::isAbsolutePath(relative)
            || relative.startsWith(QLatin1String("../")) || relative == QLatin1String("..")
            || wanted.contains(relative))
            continue;
        if (QFileInfo(sourceDirectory + QLatin1Char('/') + relative).isFile())
            wanted.append(relative);
    }
    if (wanted.isEmpty()
        || m_prompter->message(Kind::Confirmation, copyReferencesToo(wanted, destinationDirectory),
                               Buttons::YesNo)
            != Answer::Yes)
        return;
    for (const QString &relative : std::as_const(wanted)) {
        const QString target = destinationDirectory + QLatin1Char('/') + relative;
        // Nothing is overwritten: a file that arrived meanwhile stays.
        if (nameTaken(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (const Result copied
            = FileOps::copyFile(sourceDirectory + QLatin1Char('/') + relative, target);
            !copied)
            m_prompter->error(copied.error());
    }
}

bool PageOperations::deleteProject(TreeSelection &s)
{
    if (entryLevel(s.tree, s.row) != 1)
        return false;
    if (IsAProjectFileOpen(s)) {
        m_prompter->warning(closeProjectFiles());
        return false;
    }
    const int projectRow = s.row;
    const QString question
        = s.tree.pageRowsOf(projectRow).isEmpty() ? removeEmptyProject() : removeEverything();
    if (m_prompter->message(Kind::Warning, question, Buttons::OkCancel) != Answer::Ok)
        return true;
    const QString directory = projectDirectory(s.tree, projectRow);
    const bool shared = directoryShared(s.tree, projectRow);

    // The pages, first to last; an entry whose file stays keeps its place.
    int next = 0;
    for (;;) {
        const QList<int> pages = s.tree.pageRowsOf(projectRow);
        if (next >= pages.size())
            break;
        const int row = pages.at(next);
        const QString path = pagePath(s.tree, row);
        // Only the project's own files go; an entry alone may always go.
        const bool own
            = EntryNames::isPlainFileName(targetOf(s.tree, row)) && !namedElsewhere(s.tree, row);
        if (own && nameTaken(path)) {
            if (const Result deleted = FileOps::deleteFile(path); !deleted) {
                if (m_prompter->message(Kind::Warning, errorRemovingFile(path), Buttons::YesNo)
                    != Answer::Yes)
                    break;
                ++next;
                continue;
            }
        }
        if (own)
            QFile::remove(path + QLatin1Char('_'));
        removeRow(s, row);
    }

    // The directory goes only when it is empty, and never while another project lives there.
    bool remove = shared || !QFileInfo(directory).exists() || QDir().rmdir(directory);
    if (!remove)
        remove = m_prompter->message(Kind::Warning, errorRemovingDirectory(), Buttons::YesNo)
            == Answer::Yes;
    if (remove) {
        removeRow(s, projectRow);
    } else {
        s.row = projectRow;
    }
    return true;
}

// ---------------------------------------------------------------- messages

QString PageOperations::highlightProject()
{
    return QStringLiteral("Please Highlight a project.");
}

QString PageOperations::pageExists()
{
    return QStringLiteral("Project page already exists!");
}

QString PageOperations::imagesMissing()
{
    return QStringLiteral("Could not find one or more images in source directory");
}

QString PageOperations::renameFailed()
{
    return QStringLiteral("Could not rename the specified file.");
}

QString PageOperations::closeProjectFiles()
{
    return QStringLiteral("Close all project files before deleting project!");
}

QString PageOperations::removeEverything()
{
    return QStringLiteral("Project contains documents, remove everything?");
}

QString PageOperations::removeEmptyProject()
{
    return QStringLiteral("Remove empty project?");
}

QString PageOperations::errorRemovingFile(const QString &path)
{
    return QStringLiteral("Error removing file ") + path
        + QStringLiteral(". Would you like to remove the project from the list anyway?");
}

QString PageOperations::errorRemovingDirectory()
{
    return QStringLiteral("Error removing project directory. Would you like to remove the project "
                          "from the list anyway?");
}

QString PageOperations::deleteSelectedFile()
{
    return QStringLiteral("Delete selected file?");
}

QString PageOperations::removeSelectedFile()
{
    return QStringLiteral("Remove selected file from project?\n(File will not be deleted from "
                          "drive)");
}

QString PageOperations::missingDirectory(const QString &directory)
{
    return QStringLiteral("The project directory ") + directory
        + QStringLiteral(" does not exist.  Nothing was changed.");
}

QString PageOperations::destinationExists(const QString &destination)
{
    return destination
        + QStringLiteral(" already exists.  It is kept as it is, and nothing was copied or "
                         "moved.");
}

QString PageOperations::differentFileExists(const QString &destination, const QString &source)
{
    return QStringLiteral("Another file named ") + destination
        + QStringLiteral(" already exists.  It is kept as it is, and ") + source
        + QStringLiteral(" was not imported.");
}

QString PageOperations::alreadyInProject(const QString &name, const QString &project)
{
    return name + QStringLiteral(" is already a page of the project \"") + project
        + QStringLiteral("\".");
}

QString PageOperations::notCopied(const QStringList &references)
{
    return QStringLiteral("These references name another site or a file outside the project "
                          "directory, so nothing was copied for them:\n")
        + references.join(QLatin1Char('\n'));
}

QString PageOperations::copyReferencesToo(const QStringList &files, const QString &directory)
{
    return QStringLiteral("The page uses these files, which are not in ") + directory
        + QStringLiteral(":\n") + files.join(QLatin1Char('\n'))
        + QStringLiteral("\n\nCopy them there too? Files already there are kept.");
}

QString PageOperations::cannotDelete(const QString &reason)
{
    return reason + QStringLiteral("\nThe page stays in the project.");
}

QString PageOperations::keptForOtherEntry(const QString &path)
{
    return path
        + QStringLiteral(" is kept on the disk: another entry of the project list names it "
                         "too.  Only this entry is removed.");
}

QString PageOperations::targetNotPlain(const QString &target)
{
    return QStringLiteral("The entry names \"") + target
        + QStringLiteral("\", which is not a plain file name of the project directory, so "
                         "Tarnwick leaves that file alone.");
}

} // namespace Tarnwick

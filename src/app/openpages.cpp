// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/openpages.h"

#include "app/recentfiles.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "platform/filefilter.h"
#include "platform/fileops.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "preview/previewfile.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QTabBar>

#include <algorithm>
#include <tuple>

namespace Tarnwick {

namespace {

// Shows the busy cursor for the life of the object.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

bool isReadOnly(const QFileInfo &info)
{
    // The owner's write bit, not access(): running as root must not hide it.
    return !(info.permissions() & QFileDevice::WriteOwner);
}

// A name chosen without an extension gets the first valid page extension.
QString withDefaultExtension(const QString &path, const QString &extensions)
{
    const QString extension = FileFilter::extensionList(extensions).value(0);
    if (extension.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + (path.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".")) + extension;
}

} // namespace

OpenPages::OpenPages(EditorControl *editor, QTabBar *tabs, Prompter *prompter, Settings *settings,
                     const QString &programDirectory, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_tabs(tabs)
    , m_prompter(prompter)
    , m_settings(settings)
    , m_programDirectory(programDirectory)
{
    connect(m_tabs, &QTabBar::currentChanged, this, &OpenPages::WebPageTabsChange);
    connect(m_editor, &EditorControl::OnChange, this, &OpenPages::WebPageChange);
    m_tabs->installEventFilter(this);
}

QString OpenPages::formCaption(const QString &path)
{
    return QStringLiteral("Tarnwick - ") + path.toUpper();
}

void OpenPages::SetFormCaption(const QString &path)
{
    Q_EMIT captionChanged(formCaption(path));
}

void OpenPages::setCurrentFile(const QString &path)
{
    m_currentFileName = path;
    m_currentDirectory = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
    SetFormCaption(path);
}

void OpenPages::setCurrentTab(int index)
{
    const bool was = m_switching;
    m_switching = true;
    m_tabs->setCurrentIndex(index);
    m_switching = was;
}

bool OpenPages::IsFileNameOpen(const QString &path) const
{
    for (const PageRecord &record : m_pages) {
        if (FileOps::samePath(record.fileName, path))
            return true;
    }
    return false;
}

bool OpenPages::ShowOpenPage(const QString &path)
{
    for (int i = 0; i < m_pages.size(); ++i) {
        if (FileOps::samePath(m_pages.at(i).fileName, path)) {
            m_tabs->setCurrentIndex(i); // switches through WebPageTabsChange
            return true;
        }
    }
    return false;
}

bool OpenPages::ShowPageAt(const QString &path, int line, int column, int length)
{
    if (!QFileInfo(path).isFile() || (!ShowOpenPage(path) && !LoadFile(path, true)))
        return false;
    if (line < 1)
        return true;
    m_editor->StartLine = m_editor->EndLine = line;
    m_editor->StartPos = std::max(0, column - 1);
    m_editor->EndPos = std::min(m_editor->StartPos + std::max(0, length), m_editor->LineLength(line));
    m_editor->ApplySelection();
    m_editor->setFocus();
    return true;
}

std::optional<QString> OpenPages::openPageText(const QString &path) const
{
    for (int i = 0; i < m_pages.size(); ++i) {
        if (FileOps::samePath(m_pages.at(i).fileName, path))
            return i == m_activeIndex ? m_editor->GetTextBuffer() : m_pages.at(i).text;
    }
    return std::nullopt;
}

bool OpenPages::changeOpenPageLines(const QString &path, const QList<LinkLineChange> &lines)
{
    for (int i = 0; i < m_pages.size(); ++i) {
        if (!FileOps::samePath(m_pages.at(i).fileName, path))
            continue;
        if (i != m_activeIndex) {
            PageRecord &record = m_pages[i];
            QStringList text = record.text.split(QLatin1Char('\n'));
            for (const LinkLineChange &change : lines) {
                if (change.line < 1 || change.line > text.size()
                    || text.at(change.line - 1) != change.before)
                    return false;
            }
            for (const LinkLineChange &change : lines)
                text[change.line - 1] = change.after;
            record.text = text.join(QLatin1Char('\n'));
            record.modified = true;
            writeBackup(record);
            return true;
        }
        for (const LinkLineChange &change : lines) {
            if (change.line < 1 || change.line > m_editor->LineCount()
                || m_editor->GetLineText(change.line) != change.before)
                return false;
        }
        m_editor->ReadSelection();
        const int startLine = m_editor->StartLine, startPos = m_editor->StartPos;
        const int endLine = m_editor->EndLine, endPos = m_editor->EndPos;
        const int firstVisible = m_editor->FirstVisibleLine();
        for (const LinkLineChange &change : lines) {
            m_editor->StartLine = m_editor->EndLine = change.line;
            m_editor->StartPos = 0;
            m_editor->EndPos = int(change.before.size());
            m_editor->ApplySelection();
            m_editor->ReplaceSelection(change.after);
        }
        m_editor->StartLine = startLine;
        m_editor->StartPos = startPos;
        m_editor->EndLine = endLine;
        m_editor->EndPos = endPos;
        m_editor->ApplySelection();
        m_editor->SetFirstVisibleLine(firstVisible);
        Q_EMIT saveEnabledChanged(true);
        Q_EMIT refreshPreview();
        return true;
    }
    return false;
}

QString OpenPages::fileIsOpen()
{
    return QStringLiteral("Selected operation may not be performed on an open file.  Please close "
                          "the file and try again.");
}

bool OpenPages::IsSelectedFileOpen(const QString &selectedPath, bool warn)
{
    const bool open = IsFileNameOpen(selectedPath);
    if (open && warn)
        m_prompter->information(fileIsOpen());
    return open;
}

void OpenPages::setHelperTipHook(std::function<void(int)> showTip)
{
    m_showHelperTip = std::move(showTip);
}

void OpenPages::showHelperTip(int number)
{
    if (m_showHelperTip)
        m_showHelperTip(number);
}

bool OpenPages::refuseToOpen(const QString &path)
{
    m_prompter->information(QStringLiteral("Could not find or open: ") + path);
    Q_EMIT previewToTop();
    return false;
}

bool OpenPages::LoadFile(const QString &path, bool inProject)
{
    const QFileInfo info(path);
    const bool exists = !path.isEmpty() && info.exists();
    // A name holding "newpage" may be opened before it exists: it is created on saving.
    if ((!exists && !path.contains(QStringLiteral("newpage"))) || path.isEmpty()
        || (exists && !info.isFile()))
        return refuseToOpen(path);

    // Read before anything changes, so a file that cannot be read adds no tab.
    TextFileContent content;
    if (exists) {
        BusyCursor busy;
        Expected<TextFileContent> read = TextFile::read(path);
        if (!read)
            return refuseToOpen(path);
        content = std::move(read.value());
    }

    addPage(path, inProject, content);
    bool result = false;
    if (exists) {
        m_editor->SetModified(false);
        Q_EMIT saveEnabledChanged(false);
        result = true;
    }

    if (exists && !content.looksLikeText)
        m_prompter->information(
            path
            + QStringLiteral(" does not look like a text page: it holds NUL bytes or many control "
                             "characters. It is opened as it is, and saving it unchanged writes "
                             "back the same bytes."));
    if (exists && isReadOnly(info))
        m_prompter->information(QStringLiteral("File opened in Read-Only mode"));

    // A page the new-page dialog filled holds text its file does not have yet.
    bool filled = false;
    if (exists && info.size() == 0) {
        const auto answer = m_prompter->message(
            Prompter::Kind::Information, QStringLiteral("Empty file, start creation of new page?"),
            Prompter::Buttons::YesNo);
        if (answer == Prompter::Answer::Yes) {
            Q_EMIT newPageCreationRequested();
            result = true;
            filled = m_editor->TextLength() > 0;
        }
    }

    m_editor->SetModified(filled);
    Q_EMIT saveEnabledChanged(filled);
    Q_EMIT pageStateChanged(true);
    Q_EMIT refreshPreview();
    Q_EMIT previewToTop();
    Q_EMIT openPagesChanged();
    return result;
}

void OpenPages::addPage(const QString &path, bool inProject, const TextFileContent &content)
{
    PageRecord record;
    record.inProject = inProject;
    record.fileName = path;
    m_pages.append(record);
    {
        const bool was = m_switching;
        m_switching = true;
        m_tabs->addTab(QFileInfo(path).fileName());
        m_switching = was;
    }
    if (m_pages.size() >= 2 && m_activeIndex >= 0)
        SaveToPageHandle();
    m_activeIndex = int(m_pages.size()) - 1;
    setCurrentTab(m_activeIndex);

    m_editor->LoadFromText(content.text, content.format);
    m_editor->StartLine = m_editor->EndLine = 1;
    m_editor->StartPos = m_editor->EndPos = 0;
    m_editor->ApplySelection();
    m_editor->SetFirstVisibleLine(0);

    setCurrentFile(path);
    m_tabs->setToolTip(path);
    Q_EMIT statusText(path);
    SetLastFiles(path);
}

void OpenPages::LoadRecovered(const QString &path, const TextFileContent &content)
{
    const qsizetype open = fileNames().indexOf(path);
    if (open < 0) {
        addPage(path, false, content);
    } else {
        if (open != m_activeIndex)
            m_tabs->setCurrentIndex(int(open)); // as if the user picked the tab
        m_editor->LoadFromText(content.text, content.format);
    }
    m_editor->SetModified(true);
    Q_EMIT saveEnabledChanged(true);
    Q_EMIT pageStateChanged(true);
    Q_EMIT refreshPreview();
    Q_EMIT previewToTop();
    Q_EMIT openPagesChanged();
}

QStringList OpenPages::fileNames() const
{
    QStringList names;
    for (const PageRecord &record : m_pages)
        names.append(record.fileName);
    return names;
}

void OpenPages::removeBackup(const QString &fileName)
{
    if (fileNames().count(fileName) <= 1)
        QFile::remove(fileName + QLatin1Char('_'));
}

void OpenPages::New1Click()
{
    if (m_settings->Helpers.NewFile)
        showHelperTip(1);
    const QString path = m_programDirectory + QStringLiteral("newpage.htm");
    if (!QFileInfo::exists(path)) {
        if (const Result created = FileOps::writeFileAtomic(path, QByteArray()); !created) {
            m_prompter->error(created.error());
            return;
        }
    }
    LoadFile(path, false);
}

bool OpenPages::Save1Click()
{
    if (m_activeIndex < 0)
        return false;
    if (m_settings->Helpers.SavingToDefault
        && m_currentFileName.toLower().contains(QStringLiteral("newpage.htm")))
        showHelperTip(9);
    if (m_currentFileName.isEmpty())
        return SaveAs1Click();
    if (m_beforeSave)
        m_beforeSave();
    if (!settleEncoding(m_currentFileName))
        return false;
    BusyCursor busy;
    if (const Result saved = m_editor->SaveToFile(m_currentFileName); !saved) {
        m_prompter->error(saved.error());
        return false;
    }
    m_editor->SetModified(false);
    Q_EMIT saveEnabledChanged(false);
    // The page file holds the text now.
    removeBackup(m_currentFileName);
    Q_EMIT pageSaved(m_currentFileName);
    return true;
}

bool OpenPages::SaveAs1Click()
{
    if (m_activeIndex < 0)
        return false;
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Save As");
    request.directory = m_currentDirectory;
    request.fileName = m_currentFileName;
    request.filter = QStringLiteral("HTML Documents|*.htm;*.html|Frame Settings|*.set");
    request.filterIndex = 0;
    const std::optional<QString> chosen = m_prompter->saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return false;

    // Only the file name is lower-cased: the directories are the user's.
    const QString named = withDefaultExtension(*chosen, m_settings->Defaults.Extension);
    const QFileInfo chosenInfo(named);
    const QString target = chosenInfo.absoluteDir().filePath(chosenInfo.fileName().toLower());
    // Ask about the file that would really be replaced, which after lower-casing
    // may not be the one the user picked.
    if (QFileInfo::exists(target) || QFileInfo::exists(named)) {
        const auto answer = m_prompter->message(Prompter::Kind::Warning,
                                                QStringLiteral("Overwrite existing file?"),
                                                Prompter::Buttons::OkCancel);
        if (answer != Prompter::Answer::Ok)
            return false;
    }

    if (m_beforeSave)
        m_beforeSave();
    // The answer about characters the encoding cannot hold goes with the page.
    if (m_referencePages.contains(m_currentFileName))
        m_referencePages.insert(target);
    if (!settleEncoding(target))
        return false;
    {
        BusyCursor busy;
        if (const Result saved = m_editor->SaveToFile(target); !saved) {
            m_prompter->error(saved.error());
            return false;
        }
    }
    m_editor->SetModified(false);
    Q_EMIT saveEnabledChanged(false);
    setCurrentFile(target);
    m_tabs->setToolTip(target);
    SetLastFiles(target);

    // RenameSaveAsFile: the tab now stands for the new file.
    PageRecord &record = m_pages[m_activeIndex];
    removeBackup(record.fileName);
    record.fileName = target;
    m_tabs->setTabText(m_activeIndex, QFileInfo(target).fileName());
    if (record.inProject) {
        m_prompter->information(QStringLiteral(
            "A Save As function has been performed on document that was in a project.  The file "
            "that is being edited is no longer part of that project."));
        record.inProject = false;
    }
    Q_EMIT openPagesChanged();
    Q_EMIT pageSaved(target);
    return true;
}

bool OpenPages::settleEncoding(const QString &path)
{
    TextFileFormat format = m_editor->FileFormat();
    if (format.encoding != TextFileFormat::Encoding::Windows1252)
        return true;
    const QString text = m_editor->Text();
    QStringList referenced = TextFile::unheldCharacters(text, format);
    if (!referenced.isEmpty() && !m_referencePages.contains(path)) {
        QString listed;
        for (const QString &character : std::as_const(referenced))
            listed += character + QLatin1Char(' ');
        const auto answer = m_prompter->message(
            Prompter::Kind::Confirmation,
            path + QStringLiteral(" is saved as Windows-1252, which cannot hold: ") + listed
                + QStringLiteral(". Write them as character references (Yes), save the page as "
                                 "UTF-8 (No), or Cancel?"),
            Prompter::Buttons::YesNoCancel);
        if (answer == Prompter::Answer::Cancel)
            return false;
        if (answer == Prompter::Answer::No) {
            format.encoding = TextFileFormat::Encoding::Utf8;
            format.utf8Bom = false;
            m_editor->SetFileFormat(format);
            return true;
        }
        m_referencePages.insert(path);
    }
    // Windows-1252 bytes that happen to be valid UTF-8 would read back as
    // other text: the page stays Windows-1252 and its non-ASCII characters
    // go out as references, which read back (and show in a browser) the same.
    referenced
        += TextFile::misreadCharacters(TextFile::withCharacterReferences(text, referenced), format);
    if (referenced.isEmpty())
        return true;
    // The editor shows what is written.
    QList<std::pair<QString, QString>> replacements;
    for (const QString &character : std::as_const(referenced))
        replacements.append({ character, TextFile::characterReference(character) });
    m_editor->ReplaceEach(replacements);
    return true;
}

bool OpenPages::CloseActivePage()
{
    if (m_activeIndex < 0)
        return false;
    if (m_editor->Modified()) {
        const auto answer = m_prompter->message(Prompter::Kind::Confirmation,
                                                QStringLiteral("Save ") + m_currentFileName
                                                    + QStringLiteral(" before closing?"),
                                                Prompter::Buttons::YesNoCancel);
        if (answer == Prompter::Answer::Cancel)
            return false;
        // A save that failed keeps the page open: closing would lose the text.
        if (answer == Prompter::Answer::Yes && !Save1Click())
            return false;
    }
    removeActivePage();
    return true;
}

void OpenPages::removeActivePage()
{
    const PageRecord closing = m_pages.at(m_activeIndex);
    removeBackup(closing.fileName);
    QFile::remove(PreviewFile::path(QFileInfo(closing.fileName).absolutePath()));

    const int index = m_activeIndex;
    m_pages.removeAt(index);
    {
        const bool was = m_switching;
        m_switching = true;
        m_tabs->removeTab(index);
        m_switching = was;
    }

    if (m_pages.isEmpty()) {
        m_activeIndex = -1;
        m_editor->LoadFromText(QString(), TextFileFormat());
        setCurrentFile(QString());
        m_tabs->setToolTip(QString());
        Q_EMIT saveEnabledChanged(false);
        Q_EMIT pageStateChanged(false);
        Q_EMIT refreshPreview();
        Q_EMIT openPagesChanged();
        return;
    }
    // The next tab takes over, or the previous one when the last tab closed.
    m_activeIndex = std::min(index, int(m_pages.size()) - 1);
    setCurrentTab(m_activeIndex);
    LoadFromPageHandle();
    Q_EMIT openPagesChanged();
}

bool OpenPages::CloseAllPages()
{
    while (!m_pages.isEmpty()) {
        if (!CloseActivePage())
            return false;
    }
    return true;
}

bool OpenPages::editOpenPage(const QString &path, const QList<TextEdit> &edits)
{
    int index = -1;
    for (int i = 0; i < m_pages.size() && index < 0; ++i) {
        if (FileOps::samePath(m_pages.at(i).fileName, path))
            index = i;
    }
    if (index < 0)
        return false;
    if (edits.isEmpty())
        return true;
    QList<TextEdit> sorted = edits;
    std::sort(sorted.begin(), sorted.end(),
              [](const TextEdit &a, const TextEdit &b) { return a.offset > b.offset; });
    if (index != m_activeIndex) {
        PageRecord &record = m_pages[index];
        if (record.textBeforeReplace.isNull()) {
            record.textBeforeReplace = record.text;
            record.modifiedBeforeReplace = record.modified;
        }
        for (const TextEdit &e : std::as_const(sorted))
            record.text.replace(e.offset, e.length, e.text);
        record.modified = true;
        writeBackup(record); // what the tab will show
        return true;
    }
    // The page in front: each edit in place, last first, so that the caret
    // and the view stay where they are; together one undo step.
    // Lines and columns of every edit's ends, in one pass from the start.
    const QString text = m_editor->GetTextBuffer();
    QList<qsizetype> ends;
    for (const TextEdit &e : std::as_const(sorted))
        ends << e.offset << e.offset + e.length;
    std::sort(ends.begin(), ends.end());
    QHash<qsizetype, std::pair<int, int>> places;
    int line = 1;
    qsizetype lineStart = 0;
    qsizetype at = 0;
    for (const qsizetype end : std::as_const(ends)) {
        for (; at < end && at < text.size(); ++at) {
            if (text.at(at) == QLatin1Char('\n')) {
                ++line;
                lineStart = at + 1;
            }
        }
        places.insert(end, {line, int(end - lineStart)});
    }
    m_editor->ReadSelection();
    const int keepLine = m_editor->EndLine;
    const int keepColumn = m_editor->EndPos;
    const int firstVisible = m_editor->FirstVisibleLine();
    m_editor->BeginUndoAction();
    for (const TextEdit &e : std::as_const(sorted)) {
        std::tie(m_editor->StartLine, m_editor->StartPos) = places.value(e.offset);
        std::tie(m_editor->EndLine, m_editor->EndPos) = places.value(e.offset + e.length);
        m_editor->ApplySelection();
        m_editor->ReplaceSelection(e.text);
    }
    m_editor->EndUndoAction();
    m_editor->StartLine = m_editor->EndLine = keepLine;
    m_editor->StartPos = m_editor->EndPos = keepColumn;
    m_editor->ApplySelection();
    m_editor->SetFirstVisibleLine(firstVisible);
    Q_EMIT saveEnabledChanged(true);
    Q_EMIT refreshPreview();
    return true;
}

void OpenPages::SaveToPageHandle()
{
    if (m_activeIndex < 0 || m_activeIndex >= m_pages.size())
        return;
    PageRecord &record = m_pages[m_activeIndex];
    m_editor->ReadSelection();
    record.startLine = m_editor->StartLine;
    record.startColumn = m_editor->StartPos;
    record.endLine = m_editor->EndLine;
    record.endColumn = m_editor->EndPos;
    record.firstVisibleLine = m_editor->FirstVisibleLine();
    record.modified = m_editor->Modified();
    record.text = m_editor->Text();
    record.format = m_editor->FileFormat();
    writeBackup(record);
}

void OpenPages::writeBackup(const PageRecord &record)
{
    if (const Result written = TextFile::write(record.backupFileName(), record.text, record.format);
        !written)
        Q_EMIT statusText(written.error());
}

void OpenPages::LoadFromPageHandle()
{
    if (m_activeIndex < 0 || m_activeIndex >= m_pages.size())
        return;
    PageRecord &record = m_pages[m_activeIndex];
    setCurrentFile(record.fileName);
    Q_EMIT statusText(record.fileName);
    m_tabs->setToolTip(record.fileName);

    if (!record.textBeforeReplace.isNull()) {
        // The text as it was, then the Replace in Project as one undo step.
        m_editor->LoadFromText(record.textBeforeReplace, record.format);
        m_editor->SetModified(record.modifiedBeforeReplace);
        m_editor->BeginUndoAction();
        m_editor->SelectAll();
        m_editor->ReplaceSelection(record.text);
        m_editor->EndUndoAction();
        record.textBeforeReplace = QString();
    } else {
        m_editor->LoadFromText(record.text, record.format);
    }
    record.text.clear(); // the editor holds it now
    m_editor->StartLine = record.startLine;
    m_editor->StartPos = record.startColumn;
    m_editor->EndLine = record.endLine;
    m_editor->EndPos = record.endColumn;
    m_editor->ApplySelection();
    m_editor->SetFirstVisibleLine(record.firstVisibleLine);
    m_editor->SetModified(record.modified);
    Q_EMIT saveEnabledChanged(record.modified);
    Q_EMIT refreshPreview();
}

void OpenPages::WebPageTabsChange(int index)
{
    if (m_switching || index < 0 || index == m_activeIndex || index >= m_pages.size())
        return;
    BusyCursor busy;
    m_tabs->setEnabled(false);
    SaveToPageHandle();
    m_activeIndex = index;
    LoadFromPageHandle();
    m_tabs->setEnabled(true);
    m_editor->setFocus();
    Q_EMIT tabSwitched();
}

void OpenPages::WebPageTabsMouseUp()
{
    if (m_activeIndex < 0)
        return; // no page, nothing to back up
    Q_EMIT statusText(
        QStringLiteral("A backup of the File has been saved with a '_' character appended."));
    const PageRecord &record = m_pages.at(m_activeIndex);
    const QDir directory = QFileInfo(record.fileName).absoluteDir();
    if (!directory.exists())
        m_prompter->error(QStringLiteral("Error changing default directory."));
    TextFile::write(record.backupFileName(), m_editor->Text(), m_editor->FileFormat());
    PreviewFile::write(*m_editor, directory.path());
}

void OpenPages::WebPageChange()
{
    if (m_activeIndex >= 0 && m_editor->Modified())
        Q_EMIT saveEnabledChanged(true);
}

void OpenPages::SetLastFiles(const QString &path)
{
    RecentFiles recent(m_settings->LastFiles.files());
    if (recent.SetLastFiles(path)) {
        m_settings->LastFiles.setFiles(recent.entries());
        Q_EMIT recentFilesChanged();
    }
}

bool OpenPages::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tabs && event->type() == QEvent::MouseButtonRelease)
        WebPageTabsMouseUp();
    return QObject::eventFilter(watched, event);
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pagerecord.h"
#include "preview/linkupdate.h"
#include "project/openpageaccess.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class QTabBar;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Settings;

// The open pages: one tab each over the one page editor. The active page's
// text is in the editor; every other page's text is held for its tab and
// written to its page backup file (the page's path followed by "_").
class OpenPages final : public QObject, public OpenPageAccess
{
    Q_OBJECT

public:
    OpenPages(EditorControl *editor, QTabBar *tabs, Prompter *prompter, Settings *settings,
              const QString &programDirectory, QObject *parent = nullptr);

    // Shows a helper tip by number (File ▸ New, saving the default page).
    void setHelperTipHook(std::function<void(int tipNumber)> showTip);
    // Runs on the editor's text right before Save and Save As write it.
    void setBeforeSave(std::function<void()> hook) { m_beforeSave = std::move(hook); }

    bool LoadFile(const QString &path, bool inProject) override;
    // Puts text the last run left in a backup back into the page, marked
    // modified: in its tab when the page is open, else in a new tab (also
    // when the page file no longer exists; saving creates it).
    void LoadRecovered(const QString &path, const TextFileContent &content);
    void New1Click();
    bool Save1Click(); // false when nothing was written
    bool SaveAs1Click(); // false when cancelled or failed
    bool CloseActivePage(); // false when the user cancelled (or a save failed)
    bool CloseAllPages(); // true when no page is left open
    void Last4Click(const QString &path) { LoadFile(path, false); }

    // Paths are compared as the file system resolves them (cleaned, absolute,
    // links followed), with case.
    bool IsFileNameOpen(const QString &path) const;
    // Brings the tab of an open page to the front (as a click on it does);
    // false when no tab holds that page.
    bool ShowOpenPage(const QString &path);
    // The page's tab, or the page opened in a new one, with the caret at the
    // line (from 1) and column (from 1) and length characters selected there
    // (no further than the line's end). False when the page cannot be opened.
    bool ShowPageAt(const QString &path, int line, int column, int length = 0);
    // The text of the open page of that path as its tab holds it now, saved
    // or not; nothing when the page is not open.
    std::optional<QString> openPageText(const QString &path) const;
    // Puts changed lines into the open page of that path as its tab holds
    // it: into the editor for the page shown (one undo step each, bookmarks
    // kept), else into the tab's text and its backup. The page is then
    // modified. False, changing nothing, when the page is not open or a line
    // no longer reads as `before`.
    bool changeOpenPageLines(const QString &path, const QList<LinkLineChange> &lines);
    // A Replace in Project in an open page: each edit puts text in place of
    // [offset, offset + length) of the page's text ('\n' line breaks). The
    // edits make one undo step, and the page stays unsaved. False when no tab
    // holds the page.
    struct TextEdit
    {
        qsizetype offset = 0;
        qsizetype length = 0;
        QString text;
    };
    bool editOpenPage(const QString &path, const QList<TextEdit> &edits);
    // The same for a file chosen in the project tree or the file list; when it
    // is open and warn is set, the user is told the operation cannot be done.
    bool IsSelectedFileOpen(const QString &selectedPath, bool warn) override;
    static QString fileIsOpen();

    int count() const { return int(m_pages.size()); }
    int activeIndex() const { return m_activeIndex; }
    const PageRecord &page(int index) const { return m_pages.at(index); }
    QStringList fileNames() const; // in tab order
    QString currentFileName() const { return m_currentFileName; }
    QString currentDirectory() const { return m_currentDirectory; }
    QString programDirectory() const { return m_programDirectory; }
    EditorControl *editor() const { return m_editor; }

    static QString formCaption(const QString &path);

Q_SIGNALS:
    void pageStateChanged(bool anyPageOpen);
    void captionChanged(const QString &caption);
    void statusText(const QString &text); // status panel 2
    void saveEnabledChanged(bool enabled);
    void pageSaved(const QString &path); // the page's file holds its text now
    void recentFilesChanged();
    void openPagesChanged(); // a page opened, closed or took a new name
    void refreshPreview();
    void previewToTop();
    // The user switched to another tab and its page is in the editor now.
    void tabSwitched();
    // The user asked to build a new page for an empty file.
    void newPageCreationRequested();

private:
    bool refuseToOpen(const QString &path); // tells the user; always false
    void showHelperTip(int number);
    // Makes the editor's text writable to path in the page's encoding; false
    // when the user cancelled.
    bool settleEncoding(const QString &path);
    // A new tab for path showing content; it becomes the active page.
    void addPage(const QString &path, bool inProject, const TextFileContent &content);
    // The backup of a page that was saved or closed, unless another tab of
    // the same file still keeps its text there.
    void removeBackup(const QString &fileName);
    void SaveToPageHandle();
    // The hidden page's text to its backup file; a failure is told in the status bar.
    void writeBackup(const PageRecord &record);
    void LoadFromPageHandle();
    void WebPageTabsChange(int index);
    void WebPageTabsMouseUp();
    void WebPageChange();
    void SetFormCaption(const QString &path);
    void SetLastFiles(const QString &path);
    void setCurrentFile(const QString &path);
    void removeActivePage();
    void setCurrentTab(int index);

    bool eventFilter(QObject *watched, QEvent *event) override;

    EditorControl *m_editor;
    QTabBar *m_tabs;
    Prompter *m_prompter;
    Settings *m_settings;
    QString m_programDirectory;

    QList<PageRecord> m_pages;
    int m_activeIndex = -1; // the page whose text is in the editor
    bool m_switching = false; // tab changes made here, not by the user
    QString m_currentFileName;
    QString m_currentDirectory;
    std::function<void(int)> m_showHelperTip;
    std::function<void()> m_beforeSave;
    // Windows-1252 pages whose user chose character references in this run.
    QSet<QString> m_referencePages;
};

} // namespace Tarnwick

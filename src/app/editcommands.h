// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/printdialog.h"
#include "platform/result.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QPrinter;
class QSplitter;
class QWidget;

namespace Tarnwick {

class EditorControl;
class OpenPages;
class Prompter;
class Renderer;
class Settings;

// The clipboard, undo, search, go-to-line, bookmark, insert-file and print
// commands, the internal clipboard (a second editor whose text is kept in
// "scratch.txt" between runs) and the enabling of their menu items.
//
// Most commands act on the target editor: the internal clipboard when it has
// the keyboard focus, otherwise the page editor.
class EditCommands final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EditorControl *webPage = nullptr;
        EditorControl *spareEditor = nullptr;
        QSplitter *mainSplitter = nullptr; // holds spareEditor as its last pane
        OpenPages *pages = nullptr;
        Settings *settings = nullptr;
        Prompter *prompter = nullptr;
        QString programDirectory; // with a trailing slash
    };

    // Lets the user pick and set up a printer for one print job; false when
    // the job is cancelled. The default shows the system print dialog.
    using PrinterChooser = std::function<bool(QPrinter *printer, const QString &caption)>;

    explicit EditCommands(const Parts &parts, QObject *parent = nullptr);
    ~EditCommands() override;

    // The rendered preview: Copy takes its selection when it has the focus,
    // and the graphic view prints it. Without one both are unavailable.
    void setPreview(Renderer *preview);
    // The full-screen preview: Copy takes its selection when it has the focus,
    // and items needing a preview selection look at it while it is shown.
    void setFullScreenPreview(Renderer *preview);
    // Shows a helper tip by its number (the tips decide about their texts).
    void setHelperTipHook(std::function<void(int tipNumber)> showTip);
    void setPrinterChooser(PrinterChooser chooser);

    // Menus. The Edit and Search menus and the editor pop-up are filled here;
    // the File menu gets the print items. Other features may add items to
    // these menus: they are enabled with the rest when the menu opens.
    void fillEditMenu(QMenu *menu);
    void fillSearchMenu(QMenu *menu);
    void addPrintItems(QMenu *fileMenu);
    QMenu *editorPopup() const { return m_popup.get(); }
    QMenu *editorPopupEditMenu() const { return m_popupEdit; } // its "Edit" submenu
    QAction *toggleInternalClipboardAction() const { return m_toggleScratchPad; }
    // Other menus: each opening is announced (menuOpening), and the items
    // given are enabled exactly when a page is open.
    void watchMenu(QMenu *menu, const QList<QAction *> &pageItems = {});
    // Items of other features that need a selection in the page editor while
    // it has the focus (Edit menu), or a selection in the preview.
    void enableWithPageSelection(QAction *action);
    void enableWithPreviewSelection(QAction *action);

    EditorControl *targetEditor() const;
    QString scratchPath() const;

    // The internal clipboard's text in and out of "scratch.txt".
    void LoadSpareEditorContents();
    Result SaveSpareEditorContents();

    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void DeleteClick();
    void Duplicate1Click();
    void SelectAll1Click();
    void Undo1Click();
    void Redo1Click();
    void Find1Click();
    void ReplaceClick();
    void FindNext1Click();
    void Gotolinenumber1Click();
    void BM00Click(int n);
    void GBM00Click(int n);
    void InsertFile1Click();
    void Print1Click();
    void PrinterSetup1Click();
    void ToggleScratchPadClick(bool shown);

    // Prints the chosen views, each on a printer the chooser sets up.
    void printViews(PrintDialog::Choice choice);

    // Paste button: on exactly when the system clipboard holds text.
    void CheckClipboard();
    // Cut, Copy and Paste buttons from the focused editor's selection and the
    // clipboard.
    void updateClipboardButtons();

    // Menu enabling as each menu opens.
    void File1Click();
    void EditClick();
    void SearchClick();
    void Edit1Click();

    struct Actions
    {
        QAction *undo = nullptr, *redo = nullptr, *cut = nullptr, *copy = nullptr,
                *deleteSel = nullptr, *duplicate = nullptr, *paste = nullptr, *insertFile = nullptr,
                *selectAll = nullptr;
        QAction *find = nullptr, *findNext = nullptr, *replace = nullptr, *goToLine = nullptr;
        QAction *print = nullptr, *printerSetup = nullptr;
        QAction *popupCut = nullptr, *popupCopy = nullptr, *popupDelete = nullptr,
                *popupDuplicate = nullptr, *popupSelectAll = nullptr, *popupPaste = nullptr;
        QList<QAction *> setBookmark, gotoBookmark; // 1..16 at 0..15
    };
    const Actions &actions() const { return m_actions; }

Q_SIGNALS:
    // The page text changed under AutoUpdate: the preview should follow.
    void refreshPreview();
    // A menu is opening (full-screen view gives way to it).
    void menuOpening();
    void clipboardButtonsChanged(bool cutCopy, bool paste);

private:
    void buildActions();
    void buildPopup();
    QAction *action(const QString &caption, void (EditCommands::*handler)(),
                    const QKeySequence &shortcut = {});
    void updateMenus();
    void detach();
    void updateEditMenu();
    void updateSearchMenu();
    void updatePopupMenu();
    void afterPageEdit(EditorControl *editor);
    void placeSpareEditor(bool shown);
    bool previewFocused() const;
    Renderer *focusedPreview() const; // nullptr when no preview has the focus
    Renderer *shownPreview() const;
    bool pageOpen() const;
    static bool clipboardHasText();
    static bool holdsFocus(const QWidget *widget);

    EditorControl *m_webPage;
    EditorControl *m_spare;
    QSplitter *m_mainSplitter;
    OpenPages *m_pages;
    Settings *m_settings;
    Prompter *m_prompter;
    QString m_programDirectory;
    Renderer *m_preview = nullptr;
    Renderer *m_fullPreview = nullptr;
    std::function<void(int)> m_showHelperTip;
    PrinterChooser m_choosePrinter;

    Actions m_actions;
    QAction *m_toggleScratchPad = nullptr;
    std::unique_ptr<QMenu> m_popup; // shared by both editors, so owned here
    QMenu *m_popupEdit = nullptr;
    QPointer<QMenu> m_editMenu;
    QPointer<QMenu> m_searchMenu;
    QList<QPointer<QAction>> m_pageSelectionActions;
    QList<QPointer<QAction>> m_previewSelectionActions;
    bool m_scratchUnreadable = false;
    bool m_detached = false; // an editor is gone: the window is being taken down
};

} // namespace Tarnwick

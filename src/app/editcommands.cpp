// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editcommands.h"

#include "app/openpages.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "platform/textfile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QSplitter>

#include <exception>

namespace Tarnwick {

namespace {

const QString insertFileFilter = QStringLiteral(
    "HTM Files|*.htm|HTML Files|*.html|Graphics|*.gif;*.jpg|Executable|*.exe|Frame "
    "Settings|*.set|JavaClass|*.class");

constexpr int bookmarkCount = 16;
constexpr int internalClipboardTip = 8;

bool showPrintDialog(QPrinter *printer, const QString &caption)
{
    QPrintDialog dialog(printer, QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

EditCommands::EditCommands(const Parts &parts, QObject *parent)
    : QObject(parent)
    , m_webPage(parts.webPage)
    , m_spare(parts.spareEditor)
    , m_mainSplitter(parts.mainSplitter)
    , m_pages(parts.pages)
    , m_settings(parts.settings)
    , m_prompter(parts.prompter)
    , m_programDirectory(parts.programDirectory)
    , m_choosePrinter(&showPrintDialog)
{
    m_spare->setObjectName(QStringLiteral("SpareEditor"));
    m_spare->SetUndoLimit(50);
    buildActions();
    buildPopup();

    // Menus are set up again whenever they open; keeping them current as the
    // focus, the selection and the clipboard change as well lets the
    // shortcuts of disabled items reach the editors.
    for (EditorControl *editor : { m_webPage, m_spare })
        connect(editor, &EditorControl::SelectionChanged, this, &EditCommands::updateMenus);
    connect(qApp, &QApplication::focusChanged, this, &EditCommands::updateMenus);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &EditCommands::updateMenus);
    connect(m_pages, &OpenPages::pageStateChanged, this, &EditCommands::updateMenus);
    for (EditorControl *editor : { m_webPage, m_spare })
        connect(editor, &QObject::destroyed, this, &EditCommands::detach);
    updateMenus();
}

EditCommands::~EditCommands() = default;

void EditCommands::detach()
{
    m_detached = true;
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
}

void EditCommands::setPreview(Renderer *preview)
{
    m_preview = preview;
}

void EditCommands::setFullScreenPreview(Renderer *preview)
{
    m_fullPreview = preview;
}

void EditCommands::setHelperTipHook(std::function<void(int)> showTip)
{
    m_showHelperTip = std::move(showTip);
}

void EditCommands::setPrinterChooser(PrinterChooser chooser)
{
    m_choosePrinter = std::move(chooser);
}

// ---------------------------------------------------------------- menus

QAction *EditCommands::action(const QString &caption, void (EditCommands::*handler)(),
                              const QKeySequence &shortcut)
{
    auto *a = new QAction(caption, this);
    a->setShortcut(shortcut);
    connect(a, &QAction::triggered, this, handler);
    return a;
}

void EditCommands::buildActions()
{
    Actions &a = m_actions;
    a.undo = action(QStringLiteral("&Undo"), &EditCommands::Undo1Click,
                    QKeySequence(Qt::ALT | Qt::Key_Backspace));
    a.redo = action(QStringLiteral("&Redo"), &EditCommands::Redo1Click,
                    QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace));
    a.cut = action(QStringLiteral("Cu&t"), &EditCommands::Cut1Click,
                   QKeySequence(Qt::CTRL | Qt::Key_X));
    a.copy = action(QStringLiteral("&Copy"), &EditCommands::Copy1Click,
                    QKeySequence(Qt::CTRL | Qt::Key_C));
    a.deleteSel = action(QStringLiteral("&Delete"), &EditCommands::DeleteClick,
                         QKeySequence(Qt::CTRL | Qt::Key_Delete));
    a.duplicate = action(QStringLiteral("Duplicate"), &EditCommands::Duplicate1Click);
    a.paste = action(QStringLiteral("&Paste"), &EditCommands::Paste1Click,
                     QKeySequence(Qt::CTRL | Qt::Key_V));
    a.insertFile = action(QStringLiteral("Insert &File..."), &EditCommands::InsertFile1Click);
    a.selectAll = action(QStringLiteral("Select &All"), &EditCommands::SelectAll1Click,
                         QKeySequence(Qt::CTRL | Qt::Key_A));

    a.find = action(QStringLiteral("&Find..."), &EditCommands::Find1Click,
                    QKeySequence(Qt::CTRL | Qt::Key_F));
    a.findNext = action(QStringLiteral("Find Next"), &EditCommands::FindNext1Click,
                        QKeySequence(Qt::Key_F3));
    a.replace = action(QStringLiteral("&Replace..."), &EditCommands::ReplaceClick,
                       QKeySequence(Qt::CTRL | Qt::Key_R));
    a.goToLine = action(QStringLiteral("&Go to line number..."),
                        &EditCommands::Gotolinenumber1Click, QKeySequence(Qt::CTRL | Qt::Key_G));

    a.print = action(QStringLiteral("&Print..."), &EditCommands::Print1Click);
    a.printerSetup = action(QStringLiteral("P&rinter Setup..."), &EditCommands::PrinterSetup1Click);

    m_toggleScratchPad = new QAction(QStringLiteral("Toggle Internal Clipboard"), this);
    m_toggleScratchPad->setCheckable(true);
    connect(m_toggleScratchPad, &QAction::toggled, this, &EditCommands::ToggleScratchPadClick);
}

void EditCommands::buildPopup()
{
    Actions &a = m_actions;
    m_popup = std::make_unique<QMenu>();
    m_popup->setObjectName(QStringLiteral("WebPagePopup"));

    m_popupEdit = m_popup->addMenu(QStringLiteral("Edit"));
    a.popupCut = m_popupEdit->addAction(QStringLiteral("Cut"), this, &EditCommands::Cut1Click);
    a.popupCopy = m_popupEdit->addAction(QStringLiteral("Copy"), this, &EditCommands::Copy1Click);
    a.popupDelete
        = m_popupEdit->addAction(QStringLiteral("Delete"), this, &EditCommands::DeleteClick);
    a.popupDuplicate
        = m_popupEdit->addAction(QStringLiteral("Duplicate"), this, &EditCommands::Duplicate1Click);
    a.popupSelectAll = m_popupEdit->addAction(QStringLiteral("Select All"), this,
                                              &EditCommands::SelectAll1Click);
    a.popupPaste
        = m_popupEdit->addAction(QStringLiteral("Paste"), this, &EditCommands::Paste1Click);
    connect(m_popupEdit, &QMenu::aboutToShow, this, &EditCommands::Edit1Click);

    QMenu *search = m_popup->addMenu(QStringLiteral("Search"));
    search->addAction(QStringLiteral("Find..."), this, &EditCommands::Find1Click);
    search->addAction(QStringLiteral("Replace..."), this, &EditCommands::ReplaceClick);
    search->addAction(QStringLiteral("Go to line..."), this, &EditCommands::Gotolinenumber1Click);
    QMenu *set = search->addMenu(QStringLiteral("Set Bookmark"));
    QMenu *go = search->addMenu(QStringLiteral("Goto Bookmark"));
    for (int n = 1; n <= bookmarkCount; ++n) {
        QAction *setN = set->addAction(QString::number(n), this, [this, n] { BM00Click(n); });
        QAction *goN = go->addAction(QString::number(n), this, [this, n] { GBM00Click(n); });
        if (n <= 9) {
            setN->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + n)));
            goN->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key(Qt::Key_0 + n)));
        }
        // Bookmarks belong to the page editor: their keys work while it has the focus.
        for (QAction *bookmark : { setN, goN }) {
            bookmark->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            m_webPage->addAction(bookmark);
        }
        a.setBookmark.append(setN);
        a.gotoBookmark.append(goN);
    }

    for (EditorControl *editor : { m_webPage, m_spare }) {
        editor->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(editor, &QWidget::customContextMenuRequested, this, [this, editor](QPoint at) {
            editor->setFocus();
            m_popup->popup(editor->mapToGlobal(at));
        });
    }
}

void EditCommands::fillEditMenu(QMenu *menu)
{
    const Actions &a = m_actions;
    m_editMenu = menu;
    menu->addActions({ a.undo, a.redo });
    menu->addSeparator();
    menu->addActions({ a.cut, a.copy, a.deleteSel, a.duplicate, a.paste });
    menu->addSeparator();
    menu->addActions({ a.insertFile, a.selectAll });
    connect(menu, &QMenu::aboutToShow, this, &EditCommands::EditClick);
    updateEditMenu();
}

void EditCommands::fillSearchMenu(QMenu *menu)
{
    m_searchMenu = menu;
    menu->addActions({ m_actions.find, m_actions.findNext, m_actions.replace, m_actions.goToLine });
    connect(menu, &QMenu::aboutToShow, this, &EditCommands::SearchClick);
    updateSearchMenu();
}

void EditCommands::addPrintItems(QMenu *fileMenu)
{
    fileMenu->addActions({ m_actions.print, m_actions.printerSetup });
    connect(fileMenu, &QMenu::aboutToShow, this, &EditCommands::File1Click);
    File1Click();
}

void EditCommands::watchMenu(QMenu *menu, const QList<QAction *> &pageItems)
{
    QList<QPointer<QAction>> items(pageItems.begin(), pageItems.end());
    connect(menu, &QMenu::aboutToShow, this, [this, items] {
        Q_EMIT menuOpening();
        const bool open = pageOpen();
        for (QAction *item : items)
            if (item)
                item->setEnabled(open);
    });
}

void EditCommands::enableWithPageSelection(QAction *action)
{
    m_pageSelectionActions.append(action);
}

void EditCommands::enableWithPreviewSelection(QAction *action)
{
    m_previewSelectionActions.append(action);
}

void EditCommands::File1Click()
{
    Q_EMIT menuOpening();
    const bool open = pageOpen();
    m_actions.print->setEnabled(open);
    m_actions.printerSetup->setEnabled(open);
}

void EditCommands::EditClick()
{
    Q_EMIT menuOpening();
    updateEditMenu();
}

void EditCommands::SearchClick()
{
    Q_EMIT menuOpening();
    updateSearchMenu();
}

void EditCommands::Edit1Click()
{
    updatePopupMenu();
}

void EditCommands::updateMenus()
{
    if (m_detached)
        return;
    updateEditMenu();
    updateSearchMenu();
    updatePopupMenu();
    updateClipboardButtons();
}

void EditCommands::updateEditMenu()
{
    const Actions &a = m_actions;
    QList<QAction *> items = { a.undo,      a.redo,  a.cut,        a.copy,     a.deleteSel,
                               a.duplicate, a.paste, a.insertFile, a.selectAll };
    if (m_editMenu) {
        for (QAction *item : m_editMenu->actions())
            if (!item->isSeparator() && !items.contains(item))
                items.append(item);
    }

    if (previewFocused()) {
        for (QAction *item : items)
            item->setEnabled(false);
        a.copy->setEnabled(focusedPreview()->SelLength() > 0);
        return;
    }
    const bool open = pageOpen();
    for (QAction *item : items)
        item->setEnabled(open);
    if (!open)
        return;
    const bool selection = targetEditor()->SelLength() > 0;
    for (QAction *item : { a.cut, a.copy, a.deleteSel, a.duplicate })
        item->setEnabled(selection);
    const bool pageSelection = selection && holdsFocus(m_webPage);
    for (QAction *item : std::as_const(m_pageSelectionActions))
        if (item)
            item->setEnabled(pageSelection);
    a.paste->setEnabled(clipboardHasText());
}

void EditCommands::updateSearchMenu()
{
    const Actions &a = m_actions;
    QList<QAction *> items = { a.find, a.findNext, a.replace, a.goToLine };
    if (m_searchMenu) {
        // Items that search the project, not the page, work without a page.
        for (QAction *item : m_searchMenu->actions())
            if (!item->isSeparator() && !items.contains(item)
                && !item->property("projectWide").toBool())
                items.append(item);
    }
    const bool open = pageOpen();
    for (QAction *item : items)
        item->setEnabled(open);
    const Renderer *preview = shownPreview();
    const bool previewSelection = preview && preview->SelLength() > 0;
    for (QAction *item : std::as_const(m_previewSelectionActions))
        if (item)
            item->setEnabled(open && previewSelection);
    for (QAction *item : m_actions.setBookmark + m_actions.gotoBookmark)
        item->setEnabled(open);
}

void EditCommands::updatePopupMenu()
{
    // The pop-up serves both editors, so it follows the one it acts on.
    const Actions &a = m_actions;
    const bool selection = targetEditor()->SelLength() > 0;
    for (QAction *item : { a.popupCut, a.popupCopy, a.popupDelete, a.popupDuplicate })
        item->setEnabled(selection);
    a.popupPaste->setEnabled(clipboardHasText());
}

void EditCommands::CheckClipboard()
{
    try {
        updateClipboardButtons();
    } catch (...) {
        m_prompter->warning(QStringLiteral("Exception occured during CheckClipboard!"));
    }
}

void EditCommands::updateClipboardButtons()
{
    const bool open = pageOpen();
    const bool selection = open && targetEditor()->SelLength() > 0;
    Q_EMIT clipboardButtonsChanged(selection, open && clipboardHasText());
}

// ---------------------------------------------------------------- helpers

EditorControl *EditCommands::targetEditor() const
{
    return holdsFocus(m_spare) ? m_spare : m_webPage;
}

bool EditCommands::previewFocused() const
{
    return focusedPreview() != nullptr;
}

Renderer *EditCommands::focusedPreview() const
{
    for (Renderer *preview : { m_preview, m_fullPreview })
        if (preview && holdsFocus(preview))
            return preview;
    return nullptr;
}

Renderer *EditCommands::shownPreview() const
{
    return m_fullPreview && m_fullPreview->isVisible() ? m_fullPreview : m_preview;
}

bool EditCommands::pageOpen() const
{
    return m_pages->count() > 0;
}

bool EditCommands::clipboardHasText()
{
    return !QApplication::clipboard()->text().isEmpty();
}

bool EditCommands::holdsFocus(const QWidget *widget)
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

void EditCommands::afterPageEdit(EditorControl *editor)
{
    if (editor == m_webPage && m_settings->Defaults.AutoUpdate)
        Q_EMIT refreshPreview();
}

// ---------------------------------------------------------------- commands

void EditCommands::Cut1Click()
{
    EditorControl *editor = targetEditor();
    editor->CutToClipboard();
    afterPageEdit(editor);
    CheckClipboard();
}

void EditCommands::Copy1Click()
{
    if (holdsFocus(m_spare))
        m_spare->CopyToClipboard();
    else if (Renderer *preview = focusedPreview())
        preview->CopyToClipboard();
    else
        m_webPage->CopyToClipboard();
    CheckClipboard();
}

void EditCommands::Paste1Click()
{
    EditorControl *editor = targetEditor();
    editor->PasteFromClipboard();
    afterPageEdit(editor);
}

void EditCommands::DeleteClick()
{
    EditorControl *editor = targetEditor();
    editor->DeleteSelection();
    afterPageEdit(editor);
}

void EditCommands::Duplicate1Click()
{
    EditorControl *editor = targetEditor();
    editor->DuplicateSelection();
    afterPageEdit(editor);
}

void EditCommands::SelectAll1Click()
{
    EditorControl *editor = targetEditor();
    editor->SelectAll();
    editor->setFocus();
}

void EditCommands::Undo1Click()
{
    targetEditor()->Undo();
}

void EditCommands::Redo1Click()
{
    targetEditor()->Redo();
}

void EditCommands::Find1Click()
{
    targetEditor()->FindDialog();
}

void EditCommands::ReplaceClick()
{
    targetEditor()->ReplaceDialog();
}

void EditCommands::FindNext1Click()
{
    m_webPage->FindNext();
}

void EditCommands::Gotolinenumber1Click()
{
    targetEditor()->GoToLineDialog();
}

void EditCommands::BM00Click(int n)
{
    // The bookmark goes on the caret's line, which is the end of a selection.
    const int startLine = m_webPage->StartLine;
    m_webPage->StartLine = m_webPage->CaretLine();
    m_webPage->SetBookmark(n);
    m_webPage->StartLine = startLine;
}

void EditCommands::GBM00Click(int n)
{
    m_webPage->GotoBookmark(n);
}

void EditCommands::InsertFile1Click()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Insert File");
    request.directory = m_pages->currentDirectory();
    request.filter = insertFileFilter;
    const std::optional<QString> path = m_prompter->openFileName(request);
    if (!path)
        return;
    // Read straight from the file: passing it through the internal clipboard
    // would risk that editor's text whenever "scratch.txt" cannot be written.
    const Expected<TextFileContent> content = TextFile::read(*path);
    if (!content) {
        m_prompter->error(content.error());
        return;
    }
    m_webPage->ReplaceSelection(content->text);
}

void EditCommands::Print1Click()
{
    PrintDialog dialog(m_preview != nullptr, m_webPage->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    printViews(dialog.choice());
}

void EditCommands::printViews(PrintDialog::Choice choice)
{
    QPrinter *printer = m_webPage->Printer();
    const auto printText = [this, printer] {
        if (!m_choosePrinter(printer, QStringLiteral("Print Text View")))
            return;
        if (!m_webPage->PrintText())
            m_prompter->error(QStringLiteral("The text view could not be printed."));
    };
    if (choice == PrintDialog::Choice::Text || !m_preview) {
        // Without a preview only the text view can be printed.
        if (choice != PrintDialog::Choice::Graphic)
            printText();
        return;
    }
    if (!m_choosePrinter(printer, QStringLiteral("Print Graphic View"))) {
        if (choice == PrintDialog::Choice::Both)
            printText();
        return;
    }
    const bool both = choice == PrintDialog::Choice::Both;
    m_preview->Print(printer, 1, 9999, [this, both, printText](bool ok) {
        if (!ok)
            m_prompter->error(QStringLiteral("The graphic view could not be printed."));
        if (both)
            printText();
    });
}

void EditCommands::PrinterSetup1Click()
{
    m_webPage->PrinterSetup();
}

// ---------------------------------------------------------------- internal clipboard

void EditCommands::ToggleScratchPadClick(bool shown)
{
    if (m_settings->Helpers.InternalClipboard && m_showHelperTip)
        m_showHelperTip(internalClipboardTip);
    if (m_toggleScratchPad->isChecked() != shown) {
        const QSignalBlocker blocker(m_toggleScratchPad);
        m_toggleScratchPad->setChecked(shown);
    }
    placeSpareEditor(shown);
}

void EditCommands::placeSpareEditor(bool shown)
{
    if (!m_mainSplitter)
        return;
    QList<int> sizes = m_mainSplitter->sizes();
    const int spareIndex = m_mainSplitter->indexOf(m_spare);
    if (spareIndex != sizes.size() - 1 || sizes.size() < 2)
        return;
    int total = 0;
    for (int size : std::as_const(sizes))
        total += size;
    // The last bar goes to three quarters of the width, or to the right edge.
    const int spare = shown ? total / 4 : 0;
    int others = 0;
    for (int i = 0; i < spareIndex - 1; ++i)
        others += sizes.at(i);
    if (others > total - spare) {
        // The panes on the left give way before the internal clipboard does.
        for (int i = 0; i < spareIndex - 1; ++i)
            sizes[i] = 0;
        others = 0;
    }
    sizes[spareIndex - 1] = total - spare - others;
    sizes[spareIndex] = spare;
    if (!shown && holdsFocus(m_spare))
        m_webPage->setFocus(); // commands must not go on working on a hidden editor
    m_mainSplitter->setUpdatesEnabled(false);
    m_mainSplitter->setSizes(sizes);
    m_mainSplitter->setUpdatesEnabled(true);
    m_mainSplitter->update();
}

QString EditCommands::scratchPath() const
{
    return m_programDirectory + QStringLiteral("scratch.txt");
}

void EditCommands::LoadSpareEditorContents()
{
    const QString path = scratchPath();
    if (!QFileInfo::exists(path))
        return;
    if (!m_spare->LoadFromFile(path)) {
        // Leave the file alone at exit unless something is put in its place.
        m_scratchUnreadable = true;
        m_prompter->warning(QStringLiteral("Exception occured during LoadSpareEditorContents!"));
    }
}

Result EditCommands::SaveSpareEditorContents()
{
    const QString path = scratchPath();
    if (m_spare->TextLength() == 0) {
        // An emptied internal clipboard stays empty next time; an unreadable
        // file is kept rather than overwritten with nothing.
        if (m_scratchUnreadable || !QFileInfo::exists(path))
            return Result::success();
    }
    const Result saved = m_spare->SaveToFile(path);
    if (!saved)
        m_prompter->error(saved.error());
    return saved;
}

} // namespace Tarnwick

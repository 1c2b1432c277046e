// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace Tarnwick {

class EditorControl;
class GuidedNotebook;
class PreviewController;
class Prompter;
class Renderer;
class TagInserter;
class TFormWizeForm;
class TSubmitForm;
class TWiseGuyForm;

// The generators of tables and forms: their menu items and tool-page
// buttons, and the dialogs they start.
class GeneratorCommands final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EditorControl *editor = nullptr;
        Prompter *prompter = nullptr;
        TagInserter *inserter = nullptr;
        PreviewController *preview = nullptr;
        std::function<QString()> pageDirectory;
        std::function<void(int tipNumber)> showHelperTip;
        QWidget *toolBook = nullptr; // the tool notebook, whose Tables page gets buttons
        QMenu *insertMenu = nullptr; // filled at once when given
        Renderer *mainPreview = nullptr; // its form submissions are shown too
        QMenu *fileMenu = nullptr; // gets the frame set items, before its closing items
        // Opens a page as File > Open does; true when it loaded.
        std::function<bool(const QString &path)> loadFile = {};
        std::function<void()> newPage = {}; // File > New
        std::function<QString()> currentFileName = {}; // the active page, empty when none is open
        // The Web Effects notebook, made by its owner on first use; the page guide is
        // offered only when it is set.
        std::function<GuidedNotebook *()> effectsNotebook = {};
    };

    explicit GeneratorCommands(Parts parts, QObject *parent = nullptr);
    ~GeneratorCommands() override;

    // Insert: "WizeGuys" with "&Table Vaza Ded..." and "&Data Form Vaza Ded...",
    // and "Table Cell &Attributes".
    void fillInsertMenu(QMenu *menu);
    // File: "Page Wise &Guy...", "&Frame Creator..." and "Frame Vaza Ded", before the separator
    // that precedes "E&xit" (appended when there is none).
    void fillFileMenu(QMenu *menu);

    void TableWizeGuyClick();
    void TableCellAttributesClick();
    void FormWizeGuyClick();
    // Asks before the page is cleared, then starts the frame set dialog.
    void FrameWiseGuyClick();
    // The frame set dialog without the question (a new frame page asks none).
    void StartFrameWizeGuy();
    TSubmitForm *submitResults() const { return m_submit; }
    // "The Vaza Ded", guiding the Web Effects notebook.
    void PageWiseGuyClick();
    // "Open HTML Page" on directory with the open dialog's filter: a page
    // chosen with its preview opens in the editor.
    void OpenHTMLPageClick(const QString &filter, const QString &directory);
    TWiseGuyForm *pageGuide() const { return m_guide.get(); }

private:
    void addToolButtons();

    Parts m_parts;
    QAction *m_table = nullptr;
    QAction *m_cellAttributes = nullptr;
    QAction *m_form = nullptr;
    QAction *m_frames = nullptr;
    QAction *m_frameWizeGuy = nullptr;
    TSubmitForm *m_submit = nullptr;
    std::unique_ptr<TFormWizeForm> m_formWizard; // made on first use, kept for the run
    QAction *m_pageWiseGuy = nullptr; // shown only when there is a notebook to guide
    std::unique_ptr<TWiseGuyForm> m_guide; // made on first use, kept for the run
};

} // namespace Tarnwick

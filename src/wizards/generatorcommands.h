// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSplitter;
class QWidget;

namespace Tarnwick {

class EditorControl;
class GuidedNotebook;
class PreviewController;
class Prompter;
class Renderer;
class TagInserter;
class TEffectsForm;
class TFormWizeForm;
class TSubmitForm;
class TTemplateWizeGuy;
class TWiseGuyForm;

// The page and markup generators: their menu items and tool-page buttons,
// and the dialogs they start.
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
        QString programDirectory {}; // holds the image index page
        std::function<bool(const QString &path)> loadFile {}; // opens a page as File ▸ Open does
        // Brings the tab of an open page to the front; false when it is not open.
        std::function<bool(const QString &path)> showOpenPage {};
        QSplitter *splitScreen = nullptr; // its editor pane folds away beside the template dialog
        std::function<QString()> graphicExtensions = {}; // the settings' picture extensions
        std::function<QString()> pageExtensions = {}; // the settings' page extensions
        std::function<void()> newPage = {}; // File > New
        std::function<QString()> currentFileName = {}; // the active page, empty when none is open
        // The notebook the page guide walks; unset, our own Web Effects.
        std::function<GuidedNotebook *()> effectsNotebook = {};
        // The encoding the active page is saved in, as a page declares it.
        std::function<QString()> pageCharset = {};
    };

    explicit GeneratorCommands(Parts parts, QObject *parent = nullptr);
    ~GeneratorCommands() override;

    // Insert: "WizeGuys" with the table, form, calendar and template dialogs,
    // "Table Cell &Attributes", and the Web Effects openers around "Horizontal &Bar".
    void fillInsertMenu(QMenu *menu);
    // File: "Create &Index of Images", "Page Wise &Guy...", "&Frame Creator..." and
    // "Frame Vaza Ded", before the separator
    // that precedes "E&xit" (appended when there is none).
    void fillFileMenu(QMenu *menu);

    void TableWizeGuyClick();
    void TableCellAttributesClick();
    void FormWizeGuyClick();
    // The frame set items are enabled exactly while a page is open.
    void setPageOpen(bool open);
    // Asks before the page is cleared, then starts the frame set dialog.
    void FrameWiseGuyClick();
    // The frame set dialog without the question (a new frame page asks none).
    void StartFrameWizeGuy();
    TSubmitForm *submitResults() const { return m_submit; }
    // The calendar dialog; the main preview is refreshed after it.
    void CalendarWizeGuyClick();
    // Opens the image index page (made when missing) and the dialog appending to it.
    void ImageIndexClick();
    // Web Effects, made on first use and kept for the run; the page guide walks it.
    GuidedNotebook *effectsNotebook();
    TEffectsForm *effectsForm();
    // Web Effects opened modally on a tab (TEffectsForm::Tab).
    void openEffects(int tab);
    // The template dialog over the page in the editor, unless it holds no page.
    void TemplateWizeGuy1Click();
    TTemplateWizeGuy *templateWizeGuy() const;

    // Puts the buttons on the tool pages there now, once each; a page made
    // after this controller (the Templates page) gets its button on a later call.
    void addToolButtons();
    // "The Vaza Ded", guiding the Web Effects notebook.
    void PageWiseGuyClick();
    // "Open HTML Page" on directory with the open dialog's filter: a page
    // chosen with its preview opens in the editor.
    void OpenHTMLPageClick(const QString &filter, const QString &directory);
    TWiseGuyForm *pageGuide() const { return m_guide.get(); }

private:
    // A menu item under its object name and hint, running command.
    QAction *item(const char *caption, const char *name, const char *hint,
                  void (GeneratorCommands::*command)());
    // Redraws the main preview, when there is one, after a dialog changed the page.
    std::function<void()> previewRefresher() const;
    // The Web Effects openers (Insert items with their keys) and tool-page buttons.
    void makeEffectsItems();
    // The Web Effects openers around "Horizontal &Bar".
    void placeEffectsItems(QMenu *menu);

    Parts m_parts;
    QAction *m_table = nullptr;
    QAction *m_cellAttributes = nullptr;
    QAction *m_form = nullptr;
    QAction *m_frames = nullptr;
    QAction *m_frameWizeGuy = nullptr;
    TSubmitForm *m_submit = nullptr;
    std::unique_ptr<TFormWizeForm> m_formWizard; // made on first use, kept for the run
    QAction *m_calendar = nullptr; // WizeGuys: the calendar
    QAction *m_imageIndex = nullptr; // File: the image index
    std::unique_ptr<TEffectsForm> m_effects; // Web Effects: made on first use, kept for the run
    QList<QAction *> m_effectsItems; // Heading, List Type, Text, Image, Applet, URL Reference
    QAction *m_template = nullptr; // "Zazureva Rido Rev..."
    QPointer<TTemplateWizeGuy> m_templateWizard; // open while it is shown; it deletes itself
    QAction *m_pageWiseGuy = nullptr; // shown only when there is a notebook to guide
    std::unique_ptr<TWiseGuyForm> m_guide; // made on first use, kept for the run
};

} // namespace Tarnwick

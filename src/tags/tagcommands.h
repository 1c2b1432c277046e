// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/bodysettings.h"
#include "tags/tagsettings.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace Tarnwick {

class EditorControl;
class EWSPanel;
class HTMLCodesMenu;
class PowerBook;
class Prompter;
class TagAwareEditing;
class TagCompletion;
class TagInserter;

// The tag tools of the main window: the tool notebook, "HTML &Codes", the
// tag items of the Edit, Insert and Page menus and of the editor's pop-up,
// the position lights, the attribute double click, the Enter key and the
// completion while typing.
class TagCommands final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EditorControl *webPage = nullptr;
        EditorControl *spareEditor = nullptr; // the internal clipboard
        Prompter *prompter = nullptr;
        std::function<TagSettings()> settings;
        std::function<bool()> editorAreaHidden; // the full-screen preview is shown
        std::function<void()> refresh; // the preview follows the editor
        std::function<QString()> pageDirectory;
    };

    explicit TagCommands(const Parts &parts, QObject *parent = nullptr);
    ~TagCommands() override;

    TagInserter &inserter() const { return *m_inserter; }
    TagAwareEditing *tagAwareEditing() const { return m_tagAware; }
    BodySettings &bodySettings() { return m_body; }

    // Widgets for the tool panel; the window takes them over.
    PowerBook *powerBook() const;
    EWSPanel *ewsPanel() const;
    HTMLCodesMenu *htmlCodesMenu() const;

    void fillEditMenu(QMenu *menu); // Center, Bold, Italics, Underline
    void fillInsertMenu(QMenu *menu); // Horizontal Bar
    void fillEditorPopup(QMenu *popupEdit); // Table Cell, Unordered List Item
    QAction *checkCursorPositionAction() const { return m_checkCursor; }

    // With no page open the notebook is hidden and the items disabled.
    void setPageOpen(bool open);
    // "Use Warning LEDs": the lights shown and following the editor, or not.
    void setLightsOn(bool on);
    // Completion of tags, attributes and values while typing in the page.
    void setCompletionOn(bool on);
    // Another page is shown in the editor.
    void pageShown();

private:
    QAction *tagAction(const char *objectName);
    // The lights follow the editor while they are on and a page is open.
    void followEditor();

    EditorControl *m_webPage;
    std::function<TagSettings()> m_settings;
    BodySettings m_body;
    std::unique_ptr<TagInserter> m_inserter;
    TagAwareEditing *m_tagAware;
    TagCompletion *m_completion;
    QPointer<PowerBook> m_powerBook;
    QPointer<EWSPanel> m_ewsPanel;
    QPointer<HTMLCodesMenu> m_htmlCodes;
    QAction *m_checkCursor;
    QList<QAction *> m_pageItems;
    bool m_pageOpen = false;
    bool m_lightsOn = true;
};

} // namespace Tarnwick

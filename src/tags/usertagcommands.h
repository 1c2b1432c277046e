// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/custompage.h"
#include "tags/powerbook.h"
#include "tags/specialpage.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace Tarnwick {

class EditorControl;
class LCRPopup;
class Prompter;
class SpecialCharacterStore;
class SpecialCharacters;
class TagInserter;
class TagMenus;

// The user's own tags: the three tag menus of "HTML &Codes" and their
// "&Modify Menu Tags..." dialog, the four custom button pages with their
// setup dialog, the "Special" page with its dialog, and the expansion of
// typed accented letters into entities.
class UserTagCommands final : public QObject
{
    Q_OBJECT

public:
    static constexpr int customPages = 4;

    struct Parts
    {
        QString programDirectory;
        TagInserter *inserter = nullptr;
        Prompter *prompter = nullptr;
        SpecialCharacterStore *specialStore = nullptr;
        EditorControl *webPage = nullptr;
        EditorControl *spareEditor = nullptr; // the internal clipboard
        std::function<bool()> expandCharacters; // "Expand to HTML", read at each key
        QWidget *dialogParent = nullptr;
    };

    struct PageSettings
    {
        std::array<bool, customPages> show {};
        std::array<QString, customPages> captions; // empty: keep the page's caption
    };

    explicit UserTagCommands(const Parts &parts, QObject *parent = nullptr);
    ~UserTagCommands() override;

    // The tag menus go first on "HTML &Codes", "&Modify Menu Tags..." after
    // its "&Headings"; the pages into the notebook.
    void fillHtmlCodesMenu(QMenu *htmlCodes, QMenu *headings);
    void addPages(PowerBook *powerBook);
    QAction *customizeButtonsAction() const { return m_customizeButtons; }
    QAction *specialCharactersAction() const { return m_specialCharacters; }

    // The button pages from their files and the stored special characters;
    // once the settings were read (the first defaults are written then).
    void buildButtons();

    // The menus' entries insert only while a page is open.
    void setPageOpen(bool open);

    // Shown custom pages and their captions.
    void applyPageSettings(const PageSettings &settings);
    QStringList customCaptions() const;

    TagMenus *tagMenus() const { return m_menus; }
    CustomPage *customPage(int page) const { return m_customPages.value(page); }
    SpecialPage *specialPage() const { return m_specialPage; }
    SpecialCharacters *specialCharacters() const { return m_special.get(); }

    void AddUserCodes1Click(); // "&Modify Menu Tags..."
    void CustomizeButtons1Click();
    void SpecialCharacters1Click();

    // Reads a page's file into its buttons (a missing file: no buttons).
    void loadCustomPage(int page);
    // After the setup dialog wrote the files: captions and buttons follow.
    void buttonFilesWritten(const QStringList &captions);

    // A character typed into the editor that got it.
    void WebPageKeyPress(EditorControl *editor, QChar key);

private:
    QString filePath(const QString &name) const;

    Parts m_parts;
    std::unique_ptr<SpecialCharacters> m_special;
    TagMenus *m_menus;
    LCRPopup *m_popup;
    // The notebook may go before these commands do.
    QPointer<PowerBook> m_powerBook;
    QList<QPointer<CustomPage>> m_customPages;
    QPointer<SpecialPage> m_specialPage;
    QAction *m_modifyMenuTags;
    QAction *m_customizeButtons;
    QAction *m_specialCharacters;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "spell/tleditspelldlg.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QToolButton;
class QWidget;

namespace Tarnwick {

class EditCommands;
class EditorControl;
class OpenPages;
class Prompter;
class Settings;

// The Spell Check command ("Spell Check..." on the Search menu, Ctrl+S, and
// the SpellBtn speed button): checks the internal clipboard when it has the
// focus, else the page editor, with the checker set up from the settings.
class SpellCommands final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EditCommands *editCommands = nullptr; // tells the focused editor
        EditorControl *webPage = nullptr; // the page editor, which the preview shows
        OpenPages *pages = nullptr;
        Settings *settings = nullptr;
        Prompter *prompter = nullptr;
        QString programDirectory; // holds the dictionaries and the user word list
    };

    // window parents the spelling dialog.
    SpellCommands(const Parts &parts, QWidget *window);

    // Puts the menu item at the end of the Search menu and the speed button
    // after the button given, in its layout.
    void attach(QMenu *searchMenu, QToolButton *after);

    QAction *spellCheckAction() const { return m_action; }
    QToolButton *spellButton() const { return m_button; }
    TLEditSpellDlg &checker() { return m_checker; }

    // The dictionary file of a Language setting: the language's name and
    // ".dct"; empty outside the list (the checker then takes its default).
    static QString dictionaryName(int language);
    static SpellDialogStyle dialogStyle(int stored);

    // The checker takes the current settings; a changed language closes the
    // open dictionary.
    void applySettings();
    void SpellCheckClick();

Q_SIGNALS:
    // The check changed the page's text.
    void refreshPreview();

private:
    void setPageOpen(bool open);

    EditCommands *m_editCommands;
    EditorControl *m_webPage;
    OpenPages *m_pages;
    Settings *m_settings;
    QString m_programDirectory;
    TLEditSpellDlg m_checker;
    QAction *m_action = nullptr;
    QToolButton *m_button = nullptr;
};

} // namespace Tarnwick

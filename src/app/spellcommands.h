// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "spell/hunspelllanguages.h"
#include "spell/tleditspelldlg.h"

#include <QObject>
#include <QString>

#include <optional>

class QAction;
class QMenu;
class QToolButton;
class QWidget;

namespace Tarnwick {

class BackgroundJob;
class EditCommands;
class EditorControl;
class OpenPages;
class Prompter;
class Settings;
struct SpellingSettings;

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

    // Where the checker finds its main dictionary.
    struct DictionaryChoice
    {
        QString path; // ends with "/"
        QString name;
        // Set when the dictionary is built from an installed pair, into path.
        std::optional<HunspellLanguages::Language> installed;
    };
    // The installed dictionary the settings name when it is still installed,
    // else the shipped Language in the program directory.
    static DictionaryChoice chooseDictionary(const SpellingSettings &settings,
                                             const HunspellLanguages &installed,
                                             const QString &programDirectory);

    // The checker takes the current settings; a changed language closes the
    // open dictionary.
    void applySettings();
    // Builds an installed language's dictionary first when it is missing or
    // stale; a failed or cancelled build is reported and checks nothing.
    void SpellCheckClick();

Q_SIGNALS:
    // The check changed the page's text.
    void refreshPreview();

private:
    void setPageOpen(bool open);
    void applyChoice(const DictionaryChoice &choice);
    bool buildDictionary(const HunspellLanguages::Language &language);

    QWidget *m_window;
    EditCommands *m_editCommands;
    EditorControl *m_webPage;
    OpenPages *m_pages;
    Settings *m_settings;
    Prompter *m_prompter;
    QString m_programDirectory;
    TLEditSpellDlg m_checker;
    BackgroundJob *m_build;
    bool m_building = false;
    QAction *m_action = nullptr;
    QToolButton *m_button = nullptr;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "spellcheckrun.h"
#include "spellingdialog.h"

#include <QPointer>
#include <QString>

#include <memory>

class QWidget;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Suggester;
class TDictionary;

// The spell checker: owns the dictionary from the first check to its own
// end, the ignore-all and change-all lists of every run, and the dialog of
// the chosen style. Settings may change between checks; a changed
// dictionary name or path closes the open dictionary (saving the user list)
// and the next check opens the new one.
class TLEditSpellDlg final
{
public:
    static constexpr int MaxSuggestions = 255;

    TLEditSpellDlg(Prompter &prompter, QWidget *dialogParent);
    ~TLEditSpellDlg();
    TLEditSpellDlg(const TLEditSpellDlg &) = delete;
    TLEditSpellDlg &operator=(const TLEditSpellDlg &) = delete;

    // The directory of the main dictionary; a missing final "/" is added.
    void setDictionaryPath(const QString &path);
    QString dictionaryPath() const { return m_dictionaryPath; }
    // The main dictionary's file name in that directory; empty means "ENGLISH.DCT".
    void setDictionaryName(const QString &name);
    QString dictionaryName() const;
    // The user word list; a bare name lives beside the main dictionary.
    void setUserDictionary(const QString &name) { m_userDictionary = name; }
    // Number of suggestions, 1 to 255: less than 1 is refused with a message
    // and becomes 1, more becomes 255. Setting the same value again says nothing.
    void setSuggestions(int count);
    int suggestions() const { return m_suggestions; }
    void setConfirmAdd(bool on) { m_options.confirmAdd = on; }
    void setSupportHtml(bool on) { m_options.supportHtml = on; }
    void setShowCompletedDialog(bool on) { m_options.showCompletedDialog = on; }
    void setAutoSuggest(bool on) { m_autoSuggest = on; }
    // Makes the dialog of that style, replacing one of another style.
    void setDialogStyle(SpellDialogStyle style);

    // Checks the editor's whole text; a dictionary that cannot be opened
    // ends the check as cancelled, with a message.
    SpellCheckRun::Outcome check(EditorControl &editor);
    bool running() const { return m_running; }

    SpellingDialog *dialog() const { return m_dialog; }
    // nullptr until the first check.
    TDictionary *dictionary() const { return m_dictionary.get(); }
    const SpellCheckRun::RunLists &runLists() const { return m_lists; }

    static QString invalidSuggestionsMessage();

    // Saves the user list and closes the main dictionary; the next check opens
    // the files again (after a dictionary file was rebuilt in place).
    void closeDictionary();

private:
    bool openDictionary();

    Prompter &m_prompter;
    QPointer<QWidget> m_dialogParent;
    QString m_dictionaryPath;
    QString m_dictionaryName;
    QString m_userDictionary = QStringLiteral("USERDCT.DCT");
    int m_suggestions = 10;
    int m_requestedSuggestions = 10;
    bool m_autoSuggest = true;
    SpellDialogStyle m_style = SpellDialogStyle::MSWord;
    bool m_running = false;
    SpellCheckRun::Options m_options;
    SpellCheckRun::RunLists m_lists;
    std::unique_ptr<TDictionary> m_dictionary;
    std::unique_ptr<Suggester> m_suggester;
    QPointer<SpellingDialog> m_dialog; // the parent window may take it down first
};

} // namespace Tarnwick

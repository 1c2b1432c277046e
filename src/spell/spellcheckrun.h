// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QSet>
#include <QString>

namespace Tarnwick {

class EditorControl;
class Prompter;
class SpellingAsker;
class TDictionary;

// One check of the editor's whole text, stopping at each unknown word to ask
// the user. The ignore-all and change-all lists belong to the caller, so they
// last from run to run.
class SpellCheckRun final
{
public:
    struct Options
    {
        bool confirmAdd = true;
        bool supportHtml = true;
        bool showCompletedDialog = true;
    };
    struct RunLists
    {
        QSet<QString> ignoreAll; // lower case
        QHash<QString, QString> changeAll; // lower-case word -> replacement
    };
    enum class Outcome { Completed, Cancelled };

    SpellCheckRun(TDictionary &dictionary, EditorControl &editor, Prompter &prompter,
                  SpellingAsker &asker, RunLists &lists, Options options);

    Outcome run();

    // The message for a dictionary that could not be opened.
    static QString openErrorMessage(const QString &path, const QString &name);

private:
    static bool skipped(const QString &word);
    void replaceSelection(const QString &text);

    TDictionary &m_dictionary;
    EditorControl &m_editor;
    Prompter &m_prompter;
    SpellingAsker &m_asker;
    RunLists &m_lists;
    Options m_options;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "spellcheckrun.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "spellingasker.h"
#include "tdictionary.h"
#include "wordscanner.h"

namespace Tarnwick {

SpellCheckRun::SpellCheckRun(TDictionary &dictionary, EditorControl &editor, Prompter &prompter,
                             SpellingAsker &asker, RunLists &lists, Options options)
    : m_dictionary(dictionary)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_asker(asker)
    , m_lists(lists)
    , m_options(options)
{
}

QString SpellCheckRun::openErrorMessage(const QString &path, const QString &name)
{
    return QStringLiteral("Error opening dictionary ") + path + name;
}

// Words of one character and numbers are never checked.
bool SpellCheckRun::skipped(const QString &word)
{
    if (word.size() <= 1)
        return true;
    for (QChar c : word)
        if (!c.isDigit())
            return false;
    return true;
}

SpellCheckRun::Outcome SpellCheckRun::run()
{
    m_editor.ReadSelection();
    const int startLine = m_editor.StartLine, startPos = m_editor.StartPos;
    const int endLine = m_editor.EndLine, endPos = m_editor.EndPos;

    WordScanner scanner(m_editor, m_prompter, m_options.supportHtml);
    scanner.start();
    bool changed = false;
    bool cancelled = false;

    auto select = [this](const WordScanner::Word &word) {
        m_editor.StartLine = m_editor.EndLine = word.line;
        m_editor.StartPos = word.startColumn;
        m_editor.EndPos = word.endColumn;
        m_editor.ApplySelection();
    };

    while (!cancelled) {
        const std::optional<WordScanner::Word> word = scanner.next();
        if (!word)
            break;
        if (skipped(word->text) || m_dictionary.isWord(word->text))
            continue;
        const QString lower = word->text.toLower();
        if (auto change = m_lists.changeAll.constFind(lower);
            change != m_lists.changeAll.constEnd()) {
            select(*word);
            m_editor.ReplaceSelection(*change);
            scanner.replaced(*word, int(change->size()));
            changed = true; // a change the user chose in an earlier run is still a change
            continue;
        }
        if (m_lists.ignoreAll.contains(lower))
            continue;

        select(*word);
        bool answered = false;
        while (!answered) {
            QString replacement = word->text;
            const SpellingAction action = m_asker.ask(word->text, &replacement);
            answered = true;
            switch (action) {
            case SpellingAction::Replace:
            case SpellingAction::ReplaceAll:
                if (replacement.compare(word->text, Qt::CaseInsensitive) != 0) {
                    m_editor.ReplaceSelection(replacement);
                    scanner.replaced(*word, int(replacement.size()));
                }
                if (action == SpellingAction::ReplaceAll)
                    m_lists.changeAll.insert(lower, replacement);
                changed = true;
                break;
            case SpellingAction::SkipAll:
                m_lists.ignoreAll.insert(lower);
                break;
            case SpellingAction::Add:
                if (m_dictionary.isWord(word->text)) {
                    m_prompter.information(
                        QStringLiteral("\"%1\" already in dictionary.").arg(word->text));
                } else if (!m_options.confirmAdd
                           || m_prompter.message(
                                  Prompter::Kind::Confirmation,
                                  QStringLiteral("Add \"%1\" to dictionary?").arg(word->text),
                                  Prompter::Buttons::YesNo)
                               == Prompter::Answer::Yes) {
                    m_dictionary.addWord(word->text);
                } else {
                    answered = false; // not added: the word still wants an answer
                }
                break;
            case SpellingAction::SkipOnce:
                break;
            case SpellingAction::Cancel:
                cancelled = true;
                break;
            }
        }
    }

    m_asker.finished();
    if (Result saved = m_dictionary.saveUserList(); !saved)
        m_prompter.error(saved.error());
    m_editor.StartLine = startLine;
    m_editor.StartPos = startPos;
    m_editor.EndLine = endLine;
    m_editor.EndPos = endPos;
    m_editor.ApplySelection();

    if (cancelled)
        return Outcome::Cancelled;
    if (m_options.showCompletedDialog)
        m_prompter.information(changed
                                   ? QStringLiteral("Spell checking complete.")
                                   : QStringLiteral("No errors found. Spell checking complete..."));
    return Outcome::Completed;
}

} // namespace Tarnwick

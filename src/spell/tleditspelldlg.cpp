// SPDX-License-Identifier: GPL-3.0-or-later
#include "tleditspelldlg.h"

#include "platform/prompter.h"
#include "spellpaths.h"
#include "suggester.h"
#include "tdictionary.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace Tarnwick {

TLEditSpellDlg::TLEditSpellDlg(Prompter &prompter, QWidget *dialogParent)
    : m_prompter(prompter)
    , m_dialogParent(dialogParent)
{
    setDialogStyle(SpellDialogStyle::MSWord);
}

TLEditSpellDlg::~TLEditSpellDlg()
{
    delete m_dialog.data();
    closeDictionary();
}

QString TLEditSpellDlg::invalidSuggestionsMessage()
{
    return QStringLiteral("Invalid number of suggestions.");
}

void TLEditSpellDlg::setDictionaryPath(const QString &path)
{
    QString withSlash = path;
    if (!withSlash.isEmpty() && !withSlash.endsWith(QLatin1Char('/')))
        withSlash += QLatin1Char('/');
    if (withSlash == m_dictionaryPath)
        return;
    closeDictionary();
    m_dictionaryPath = withSlash;
}

void TLEditSpellDlg::setDictionaryName(const QString &name)
{
    if (name == m_dictionaryName)
        return;
    closeDictionary();
    m_dictionaryName = name;
}

QString TLEditSpellDlg::dictionaryName() const
{
    return m_dictionaryName.isEmpty() ? QStringLiteral("ENGLISH.DCT") : m_dictionaryName;
}

void TLEditSpellDlg::setSuggestions(int count)
{
    if (count == m_requestedSuggestions)
        return;
    m_requestedSuggestions = count;
    if (count < 1)
        m_prompter.error(invalidSuggestionsMessage());
    m_suggestions = std::clamp(count, 1, MaxSuggestions);
}

void TLEditSpellDlg::setDialogStyle(SpellDialogStyle style)
{
    m_style = style;
    if (m_running || (m_dialog && m_dialog->style() == style))
        return; // while a run is answering, the next check takes the new style
    delete m_dialog.data();
    m_dialog = SpellingDialog::create(style, m_dialogParent).release();
}

bool TLEditSpellDlg::openDictionary()
{
    if (!m_dictionary) {
        auto created = TDictionary::create(&m_prompter);
        if (!created)
            return false; // the programmer error box was shown
        m_dictionary = std::move(created.value());
        m_suggester = std::make_unique<Suggester>(*m_dictionary);
    }
    if (!m_dictionary->mainFiles().empty())
        return true;
    const QString name = dictionaryName();
    const Result opened
        = m_dictionary->openMainDictionary(SpellPaths::resolveCase(m_dictionaryPath + name));
    if (!opened) {
        m_prompter.error(SpellCheckRun::openErrorMessage(m_dictionaryPath, name));
        return false;
    }
    m_dictionary->openUserList(m_userDictionary);
    return true;
}

void TLEditSpellDlg::closeDictionary()
{
    if (!m_dictionary || m_dictionary->mainFiles().empty())
        return;
    if (const Result closed = m_dictionary->close(); !closed)
        m_prompter.error(closed.error());
}

SpellCheckRun::Outcome TLEditSpellDlg::check(EditorControl &editor)
{
    if (m_running)
        return SpellCheckRun::Outcome::Cancelled;
    setDialogStyle(m_style); // again, should the parent window have taken it down
    const QScopedValueRollback running(m_running, true);
    if (!openDictionary())
        return SpellCheckRun::Outcome::Cancelled;
    m_dialog->setSuggester(m_suggester.get(), m_suggestions);
    m_dialog->setAutoSuggest(m_autoSuggest);
    m_dictionary->clearIoError();
    SpellCheckRun run(*m_dictionary, editor, m_prompter, *m_dialog, m_lists, m_options);
    const SpellCheckRun::Outcome outcome = run.run();
    // A failed read makes words look misspelt; say why once.
    if (const QString failure = m_dictionary->ioError(); !failure.isEmpty())
        m_prompter.error(failure);
    return outcome;
}

} // namespace Tarnwick

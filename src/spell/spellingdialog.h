// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "spellingasker.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>

class QEventLoop;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace Tarnwick {

class Suggester;

// The three layouts of the spelling dialog, numbered as the settings store them.
enum class SpellDialogStyle { MSWord = 0, WordPerfect = 1, WordPro96 = 2 };

// What every spelling dialog has: the word, a replacement box, a suggestion
// list, the accent buttons, Suggest, QuickSuggest and AutoSuggest. The
// styles add their caption and buttons. The dialog stays up, modal, from the
// first unknown word of a run to its end; closing it is Cancel.
class SpellingDialog : public QDialog, public SpellingAsker
{
    Q_OBJECT

public:
    // The letters the accent buttons type into the replacement box.
    static QString accents();
    static std::unique_ptr<SpellingDialog> create(SpellDialogStyle style, QWidget *parent);

    SpellDialogStyle style() const { return m_style; }

    // Where Suggest and QuickSuggest look, and how many words they offer.
    // Without a suggester the list stays empty.
    void setSuggester(Suggester *suggester, int count);
    // Fill the list as soon as a word is shown; the replacement box keeps the word.
    void setAutoSuggest(bool on) { m_autoSuggest = on; }

    SpellingAction ask(const QString &word, QString *replacement) override;
    void finished() override;

    QString word() const { return m_shownWord; }
    QLineEdit *replacementBox() const { return m_replacement; }
    QListWidget *suggestionList() const { return m_list; }
    // The button that replaces the word (the default button).
    QPushButton *replaceButton() const { return m_replaceButton; }

    void SuggestClick();

Q_SIGNALS:
    // The dialog shows word and waits for the user.
    void asking(const QString &word);

protected:
    SpellingDialog(SpellDialogStyle style, const QString &caption, QWidget *parent);

    // Building blocks for the styles' layouts.
    QPushButton *actionButton(const QString &caption, SpellingAction action);
    QPushButton *suggestButton(const QString &caption);
    QLineEdit *wordField() const { return m_wordField; }
    QWidget *accentBar() const { return m_accentBar; }
    // The first replace button made is the default one; styles may pick another.
    void setReplaceButton(QPushButton *button);

    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(SpellingAction action);
    void showSuggestions(const QStringList &words);
    QStringList suggestionsFor(const QString &word) const;
    void QuickSuggest();
    void AccentClick(QChar letter);

    SpellDialogStyle m_style;
    QLineEdit *m_wordField = nullptr;
    QLineEdit *m_replacement = nullptr;
    QListWidget *m_list = nullptr;
    QWidget *m_accentBar = nullptr;
    QPushButton *m_replaceButton = nullptr;

    Suggester *m_suggester = nullptr;
    int m_count = 10;
    bool m_autoSuggest = true;
    bool m_filling = false; // the list is being refilled: its current item means nothing
    QString m_shownWord;
    bool m_asking = false; // between showing a word and returning the answer
    std::optional<SpellingAction> m_choice;
    QPointer<QEventLoop> m_wait; // set while ask() waits for the user
};

} // namespace Tarnwick

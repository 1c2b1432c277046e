// SPDX-License-Identifier: GPL-3.0-or-later
#include "spellingdialog.h"

#include "mswordspelldialog.h"
#include "suggester.h"
#include "wordperfectspelldialog.h"
#include "wordprospelldialog.h"
#include "wordscanner.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolButton>

#include <algorithm>

namespace Tarnwick {

QString SpellingDialog::accents()
{
    return QStringLiteral("áéíóúñÑ");
}

std::unique_ptr<SpellingDialog> SpellingDialog::create(SpellDialogStyle style, QWidget *parent)
{
    switch (style) {
    case SpellDialogStyle::WordPerfect:
        return std::make_unique<WordPerfectSpellDialog>(parent);
    case SpellDialogStyle::WordPro96:
        return std::make_unique<WordProSpellDialog>(parent);
    case SpellDialogStyle::MSWord:
        break;
    }
    return std::make_unique<MSWordSpellDialog>(parent);
}

SpellingDialog::SpellingDialog(SpellDialogStyle style, const QString &caption, QWidget *parent)
    : QDialog(parent)
    , m_style(style)
{
    setObjectName(QStringLiteral("SpellDialog"));
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);

    m_wordField = new QLineEdit(this);
    m_wordField->setObjectName(QStringLiteral("Word"));
    m_wordField->setReadOnly(true);
    m_replacement = new QLineEdit(this);
    m_replacement->setObjectName(QStringLiteral("Replacement"));
    m_replacement->installEventFilter(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Suggestions"));
    connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString &text) {
        if (!m_filling && !text.isEmpty())
            m_replacement->setText(text);
    });

    m_accentBar = new QWidget(this);
    auto *accentRow = new QHBoxLayout(m_accentBar);
    accentRow->setContentsMargins(0, 0, 0, 0);
    accentRow->setSpacing(2);
    for (const QChar letter : accents()) {
        auto *button = new QToolButton(m_accentBar);
        button->setText(letter);
        button->setFocusPolicy(Qt::NoFocus); // the caret stays in the replacement box
        connect(button, &QToolButton::clicked, this, [this, letter] { AccentClick(letter); });
        accentRow->addWidget(button);
    }
    accentRow->addStretch(1);
}

void SpellingDialog::setSuggester(Suggester *suggester, int count)
{
    m_suggester = suggester;
    m_count = std::clamp(count, 1, Suggester::MaxSuggestions);
}

QPushButton *SpellingDialog::actionButton(const QString &caption, SpellingAction action)
{
    auto *button = new QPushButton(caption, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, action] { choose(action); });
    if (!m_replaceButton && action == SpellingAction::Replace)
        setReplaceButton(button);
    return button;
}

QPushButton *SpellingDialog::suggestButton(const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &SpellingDialog::SuggestClick);
    return button;
}

void SpellingDialog::setReplaceButton(QPushButton *button)
{
    if (m_replaceButton)
        m_replaceButton->setDefault(false);
    m_replaceButton = button;
    button->setDefault(true);
}

SpellingAction SpellingDialog::ask(const QString &word, QString *replacement)
{
    m_shownWord = word;
    m_wordField->setText(word);
    m_replacement->setText(word);
    showSuggestions({});
    if (!isVisible()) {
        show();
        raise();
        activateWindow();
    }
    // AutoSuggest only offers words: the box keeps the word until the user
    // picks a suggestion or types, so Enter never changes what was not chosen.
    if (m_autoSuggest)
        showSuggestions(suggestionsFor(word));
    m_replacement->setFocus();
    m_replacement->selectAll();

    m_choice.reset();
    const QScopedValueRollback answering(m_asking, true);
    Q_EMIT asking(word);
    if (!m_choice) {
        QEventLoop wait;
        m_wait = &wait;
        wait.exec();
    }
    if (replacement)
        *replacement = m_replacement->text();
    // A loop ended from outside (the program quitting) is no answer: stop the run.
    return m_choice.value_or(SpellingAction::Cancel);
}

void SpellingDialog::finished()
{
    hide();
}

void SpellingDialog::choose(SpellingAction action)
{
    m_choice = action;
    if (m_wait)
        m_wait->quit();
}

// Escape and the window's close box end the run like Cancel; the run then
// takes the dialog down.
void SpellingDialog::reject()
{
    if (m_asking)
        choose(SpellingAction::Cancel);
    else
        QDialog::reject();
}

void SpellingDialog::showSuggestions(const QStringList &words)
{
    m_filling = true;
    m_list->clear();
    m_list->addItems(words);
    m_filling = false;
}

void SpellingDialog::SuggestClick()
{
    if (!m_suggester)
        return;
    const QStringList words = suggestionsFor(m_replacement->text());
    showSuggestions(words);
    if (!words.isEmpty())
        m_replacement->setText(words.first());
    if (m_replaceButton)
        m_replaceButton->setFocus();
}

QStringList SpellingDialog::suggestionsFor(const QString &word) const
{
    if (!m_suggester)
        return {};
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList words = m_suggester->suggest(word, m_count);
    QGuiApplication::restoreOverrideCursor();
    return words;
}

void SpellingDialog::QuickSuggest()
{
    const QString typed = m_replacement->text();
    showSuggestions(typed.isEmpty() || !m_suggester ? QStringList()
                                                    : m_suggester->quickSuggest(typed, m_count));
}

void SpellingDialog::AccentClick(QChar letter)
{
    m_replacement->insert(QString(letter));
    m_replacement->setFocus();
}

bool SpellingDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_replacement && event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers held
            = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        const QString text = key->text();
        const bool wordKey = text.size() == 1 && WordScanner::isWordChar(text.front());
        if (!held && m_replacement->text().isEmpty())
            showSuggestions({});
        else if (!held && wordKey)
            QuickSuggest();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace Tarnwick

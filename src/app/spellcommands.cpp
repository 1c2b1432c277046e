// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/spellcommands.h"

#include "app/editcommands.h"
#include "app/generalsettingsdialog.h"
#include "app/openpages.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMenu>
#include <QStyle>
#include <QToolButton>

namespace Tarnwick {

SpellCommands::SpellCommands(const Parts &parts, QWidget *window)
    : QObject(window)
    , m_editCommands(parts.editCommands)
    , m_webPage(parts.webPage)
    , m_pages(parts.pages)
    , m_settings(parts.settings)
    , m_programDirectory(parts.programDirectory)
    , m_checker(*parts.prompter, window)
{
    setObjectName(QStringLiteral("SpellCommands"));
    const QString hint = QStringLiteral("Spell Checker");
    m_action = new QAction(QStringLiteral("Spell Check..."), this);
    m_action->setObjectName(QStringLiteral("SpellCheck1"));
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_action->setStatusTip(hint);
    connect(m_action, &QAction::triggered, this, &SpellCommands::SpellCheckClick);

    m_button = new QToolButton(window);
    m_button->setObjectName(QStringLiteral("SpellBtn"));
    m_button->setIcon(
        QIcon::fromTheme(QStringLiteral("tools-check-spelling"),
                         QApplication::style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    m_button->setToolTip(hint);
    m_button->setStatusTip(hint);
    m_button->setAutoRaise(true);
    m_button->setIconSize(QSize(20, 20));
    connect(m_button, &QToolButton::clicked, m_action, &QAction::trigger);
    // The Search menu enables its items as it opens; the button follows.
    connect(m_action, &QAction::changed, m_button,
            [this] { m_button->setEnabled(m_action->isEnabled()); });
    connect(m_pages, &OpenPages::pageStateChanged, this, &SpellCommands::setPageOpen);
    setPageOpen(m_pages->count() > 0);
}

void SpellCommands::attach(QMenu *searchMenu, QToolButton *after)
{
    searchMenu->addAction(m_action);
    QWidget *panel = after->parentWidget();
    if (auto *layout = panel ? panel->layout() : nullptr) {
        if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
            m_button->setParent(panel);
            box->insertWidget(box->indexOf(after) + 1, m_button);
        }
    }
}

void SpellCommands::setPageOpen(bool open)
{
    m_action->setEnabled(open);
}

QString SpellCommands::dictionaryName(int language)
{
    const QStringList names = GeneralSettingsDialog::languages();
    if (language < 0 || language >= names.size())
        return QString();
    return names.at(language) + QStringLiteral(".dct");
}

SpellDialogStyle SpellCommands::dialogStyle(int stored)
{
    switch (stored) {
    case int(SpellDialogStyle::WordPerfect):
        return SpellDialogStyle::WordPerfect;
    case int(SpellDialogStyle::WordPro96):
        return SpellDialogStyle::WordPro96;
    default:
        return SpellDialogStyle::MSWord;
    }
}

void SpellCommands::applySettings()
{
    const SpellingSettings &s = m_settings->Spelling;
    m_checker.setDictionaryPath(m_programDirectory);
    m_checker.setDictionaryName(dictionaryName(s.Language));
    m_checker.setSuggestions(s.SuggestCount);
    m_checker.setConfirmAdd(s.AutoAdd);
    m_checker.setSupportHtml(s.SkipHTML);
    m_checker.setDialogStyle(dialogStyle(s.DialogStyle));
}

void SpellCommands::SpellCheckClick()
{
    if (m_checker.running())
        return;
    EditorControl *editor = m_editCommands->targetEditor();
    applySettings();
    const QString before = editor->GetTextBuffer();
    m_checker.check(*editor);
    editor->setFocus();
    // Replacements made before a Cancel stay, so they are shown whatever the outcome.
    if (editor == m_webPage && editor->GetTextBuffer() != before)
        Q_EMIT refreshPreview();
}

} // namespace Tarnwick

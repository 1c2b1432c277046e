// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordperfectspelldialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Tarnwick {

WordPerfectSpellDialog::WordPerfectSpellDialog(QWidget *parent)
    : SpellingDialog(SpellDialogStyle::WordPerfect, QStringLiteral("Spell Checker"), parent)
{
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Not found:"), wordField());
    fields->addRow(QStringLiteral("Replace with:"), replacementBox());
    fields->addRow(QStringLiteral("Suggestions:"), suggestionList());
    fields->addRow(QString(), accentBar());

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(actionButton(QStringLiteral("&Replace"), SpellingAction::Replace));
    buttons->addWidget(actionButton(QStringLiteral("Skip &Once"), SpellingAction::SkipOnce));
    buttons->addWidget(actionButton(QStringLiteral("Skip A&lways"), SpellingAction::SkipAll));
    buttons->addWidget(suggestButton(QStringLiteral("&Suggest")));
    buttons->addWidget(actionButton(QStringLiteral("&Add"), SpellingAction::Add));
    buttons->addStretch(1);
    buttons->addWidget(actionButton(QStringLiteral("Close"), SpellingAction::Cancel));

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
}

} // namespace Tarnwick

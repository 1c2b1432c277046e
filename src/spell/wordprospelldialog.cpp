// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordprospelldialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Tarnwick {

WordProSpellDialog::WordProSpellDialog(QWidget *parent)
    : SpellingDialog(SpellDialogStyle::WordPro96, QStringLiteral("Spelling"), parent)
{
    auto *wordRow = new QHBoxLayout;
    wordRow->addWidget(new QLabel(QStringLiteral("Unknown word:"), this));
    wordRow->addWidget(wordField(), 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(actionButton(QStringLiteral("&Replace"), SpellingAction::Replace));
    buttons->addWidget(actionButton(QStringLiteral("Replace All"), SpellingAction::ReplaceAll));
    buttons->addWidget(actionButton(QStringLiteral("Skip &Once"), SpellingAction::SkipOnce));
    buttons->addWidget(actionButton(QStringLiteral("S&kip All"), SpellingAction::SkipAll));
    buttons->addWidget(actionButton(QStringLiteral("&Add"), SpellingAction::Add));
    buttons->addStretch(1);
    buttons->addWidget(actionButton(QStringLiteral("Close"), SpellingAction::Cancel));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(wordRow);
    layout->addWidget(new QLabel(QStringLiteral("Replace with:"), this));
    layout->addWidget(replacementBox());
    layout->addWidget(suggestionList(), 1);
    layout->addWidget(accentBar());
    layout->addLayout(buttons);
}

} // namespace Tarnwick

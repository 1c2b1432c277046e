// SPDX-License-Identifier: GPL-3.0-or-later
#include "mswordspelldialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace Tarnwick {

MSWordSpellDialog::MSWordSpellDialog(QWidget *parent)
    : SpellingDialog(SpellDialogStyle::MSWord, QStringLiteral("Spelling"), parent)
{
    QPushButton *ignore = actionButton(QStringLiteral("&Ignore"), SpellingAction::SkipOnce);
    QPushButton *ignoreAll = actionButton(QStringLiteral("I&gnore All"), SpellingAction::SkipAll);
    QPushButton *change = actionButton(QStringLiteral("&Change"), SpellingAction::Replace);
    QPushButton *changeAll
        = actionButton(QStringLiteral("&Change All"), SpellingAction::ReplaceAll);
    QPushButton *add = actionButton(QStringLiteral("&Add"), SpellingAction::Add);
    QPushButton *suggest = suggestButton(QStringLiteral("&Suggest"));
    QPushButton *cancel = actionButton(QStringLiteral("Cancel"), SpellingAction::Cancel);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Not in Dictionary:"), this), 0, 0);
    grid->addWidget(wordField(), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Change To:"), this), 1, 0);
    grid->addWidget(replacementBox(), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Suggestions:"), this), 2, 0, Qt::AlignTop);
    grid->addWidget(suggestionList(), 2, 1, 3, 1);
    grid->addWidget(ignore, 1, 2);
    grid->addWidget(ignoreAll, 1, 3);
    grid->addWidget(change, 2, 2, Qt::AlignTop);
    grid->addWidget(changeAll, 2, 3, Qt::AlignTop);
    grid->addWidget(add, 3, 2, Qt::AlignTop);
    grid->addWidget(suggest, 3, 3, Qt::AlignTop);
    grid->addWidget(cancel, 4, 3, Qt::AlignBottom);
    grid->addWidget(accentBar(), 5, 1, 1, 3);
    grid->setRowStretch(4, 1);
}

} // namespace Tarnwick

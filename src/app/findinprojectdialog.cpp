// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/findinprojectdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Tarnwick {

FindInProjectDialog::FindInProjectDialog(bool replace, QWidget *parent)
    : QDialog(parent)
    , m_find(new QLineEdit)
    , m_replace(new QLineEdit)
    , m_regex(new QCheckBox(QStringLiteral("Regular e&xpression")))
    , m_matchCase(new QCheckBox(QStringLiteral("Match &case")))
    , m_wholeWords(new QCheckBox(QStringLiteral("&Whole words")))
    , m_pages(new QRadioButton(QStringLiteral("The project's &pages")))
    , m_folder(new QRadioButton(QStringLiteral("Files of the project &folder:")))
    , m_open(new QRadioButton(QStringLiteral("The &open pages")))
    , m_mask(new QLineEdit(QStringLiteral("*.htm;*.html")))
{
    setWindowTitle(replace ? QStringLiteral("Replace in Project")
                           : QStringLiteral("Find in Project"));
    m_find->setObjectName(QStringLiteral("FindText"));
    m_replace->setObjectName(QStringLiteral("ReplaceText"));
    m_regex->setObjectName(QStringLiteral("RegularExpression"));
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_wholeWords->setObjectName(QStringLiteral("WholeWords"));
    m_pages->setObjectName(QStringLiteral("ScopePages"));
    m_folder->setObjectName(QStringLiteral("ScopeFolder"));
    m_open->setObjectName(QStringLiteral("ScopeOpen"));
    m_mask->setObjectName(QStringLiteral("FileMask"));
    m_replace->setToolTip(
        QStringLiteral("With a regular expression, \\1 to \\9 put in what its groups "
                       "found and \\0 the whole match"));
    m_mask->setToolTip(QStringLiteral("File name patterns, separated by ; or ,"));

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Find:"), m_find);
    if (replace)
        fields->addRow(QStringLiteral("Replace &with:"), m_replace);
    else
        m_replace->setParent(this); // kept, hidden, so that the dialog owns it
    m_replace->setVisible(replace);
    auto *options = new QHBoxLayout;
    options->addWidget(m_matchCase);
    options->addWidget(m_wholeWords);
    options->addWidget(m_regex);
    options->addStretch();

    auto *where = new QGroupBox(QStringLiteral("Look in"));
    auto *whereLayout = new QVBoxLayout(where);
    whereLayout->addWidget(m_pages);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder);
    folderRow->addWidget(m_mask, 1);
    whereLayout->addLayout(folderRow);
    whereLayout->addWidget(m_open);
    m_pages->setChecked(true);
    connect(m_folder, &QRadioButton::toggled, m_mask, &QLineEdit::setEnabled);
    m_mask->setEnabled(false);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(replace ? QStringLiteral("&Replace...") : QStringLiteral("&Find"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(options);
    layout->addWidget(where);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}

void FindInProjectDialog::setQuery(const SearchQuery &query)
{
    m_find->setText(query.text);
    m_find->selectAll();
    m_replace->setText(query.replacement);
    m_regex->setChecked(query.regularExpression);
    m_matchCase->setChecked(query.matchCase);
    m_wholeWords->setChecked(query.wholeWords);
}

SearchQuery FindInProjectDialog::query() const
{
    return { m_find->text(), m_regex->isChecked(), m_matchCase->isChecked(),
             m_wholeWords->isChecked(), m_replace->text() };
}

void FindInProjectDialog::setScope(ProjectSearch::Scope scope, const QString &mask)
{
    m_pages->setChecked(scope == ProjectSearch::Scope::ProjectPages);
    m_folder->setChecked(scope == ProjectSearch::Scope::FolderFiles);
    m_open->setChecked(scope == ProjectSearch::Scope::OpenPages);
    if (!mask.isEmpty())
        m_mask->setText(mask);
}

ProjectSearch::Scope FindInProjectDialog::scope() const
{
    if (m_folder->isChecked())
        return ProjectSearch::Scope::FolderFiles;
    if (m_open->isChecked())
        return ProjectSearch::Scope::OpenPages;
    return ProjectSearch::Scope::ProjectPages;
}

QString FindInProjectDialog::mask() const
{
    return m_mask->text();
}

} // namespace Tarnwick

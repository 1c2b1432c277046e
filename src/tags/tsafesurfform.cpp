// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tsafesurfform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace Tarnwick {

TSafeSurfForm::TSafeSurfForm(QWidget *parent)
    : QDialog(parent)
    , m_heading(new QLabel(this))
    , m_pages(new QStackedWidget(this))
    , m_site(new QLineEdit(SafeSurfLabel::sampleSite(), this))
    , m_siteWide(new QCheckBox(
          QStringLiteral("These ratings hold true for all pages in this site."), this))
    , m_prev(new QPushButton(QStringLiteral("Prev"), this))
    , m_next(new QPushButton(QStringLiteral("Next"), this))
{
    setObjectName(QStringLiteral("SafeSurfForm"));
    setWindowTitle(QStringLiteral("SafeSurf Rating"));
    m_heading->setObjectName(QStringLiteral("QuestionLabel"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);

    const QList<SafeSurfLabel::Question> &questions = SafeSurfLabel::questions();
    for (int i = 0; i < SafeSurfLabel::questionCount; ++i) {
        auto *page = new QWidget(m_pages);
        auto *layout = new QVBoxLayout(page);
        auto *question = new QLabel(questions[i].text, page);
        question->setWordWrap(true);
        m_levels[i] = new QListWidget(page);
        m_levels[i]->setObjectName(QStringLiteral("Levels%1").arg(i + 1));
        m_levels[i]->addItems(questions[i].levels);
        m_levels[i]->setCurrentRow(0);
        layout->addWidget(question);
        layout->addWidget(m_levels[i]);
        m_pages->addWidget(page);
    }
    auto *sitePage = new QWidget(m_pages);
    auto *siteLayout = new QVBoxLayout(sitePage);
    siteLayout->addWidget(new QLabel(QStringLiteral("Website URL:"), sitePage));
    m_site->setObjectName(QStringLiteral("SiteURL"));
    m_site->setParent(sitePage);
    siteLayout->addWidget(m_site);
    m_siteWide->setObjectName(QStringLiteral("SiteWide"));
    m_siteWide->setParent(sitePage);
    siteLayout->addWidget(m_siteWide);
    siteLayout->addStretch();
    m_pages->addWidget(sitePage);

    m_prev->setObjectName(QStringLiteral("PrevBtn"));
    m_next->setObjectName(QStringLiteral("NextBtn"));
    connect(m_prev, &QPushButton::clicked, this, &TSafeSurfForm::PrevClick);
    connect(m_next, &QPushButton::clicked, this, &TSafeSurfForm::NextClick);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *walk = new QHBoxLayout;
    walk->addWidget(m_prev);
    walk->addWidget(m_next);
    walk->addStretch();
    walk->addWidget(box);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_pages, 1);
    layout->addLayout(walk);
    resize(520, 360);
    showPage();
}

void TSafeSurfForm::readLabel(const QString &label)
{
    const SafeSurfLabel read = SafeSurfLabel::read(label);
    for (int i = 0; i < SafeSurfLabel::questionCount; ++i)
        m_levels[i]->setCurrentRow(read.levels[i]);
    if (read.siteWide) {
        m_siteWide->setChecked(true);
        m_site->setText(read.site);
    }
}

SafeSurfLabel TSafeSurfForm::label() const
{
    SafeSurfLabel label;
    for (int i = 0; i < SafeSurfLabel::questionCount; ++i)
        label.levels[i] = qMax(0, m_levels[i]->currentRow());
    label.siteWide = m_siteWide->isChecked();
    label.site = m_site->text();
    return label;
}

int TSafeSurfForm::page() const
{
    return m_pages->currentIndex();
}

void TSafeSurfForm::setPage(int page)
{
    m_pages->setCurrentIndex(qBound(0, page, pageCount - 1));
    showPage();
}

void TSafeSurfForm::PrevClick()
{
    setPage(page() - 1);
}

void TSafeSurfForm::NextClick()
{
    setPage(page() + 1);
}

QString TSafeSurfForm::heading() const
{
    return m_heading->text();
}

void TSafeSurfForm::showPage()
{
    const int n = page() + 1;
    m_heading->setText(QStringLiteral("Question %1 of %2").arg(n).arg(pageCount));
    m_prev->setEnabled(n > 1);
    m_next->setEnabled(n < pageCount);
}

} // namespace Tarnwick

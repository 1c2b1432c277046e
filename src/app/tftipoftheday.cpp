// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tftipoftheday.h"

#include "app/tipsession.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Tarnwick {

TfTipOfTheDay::TfTipOfTheDay(TipSession &session, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_title(new QLabel(this))
    , m_text(new QLabel(this))
    , m_previous(new QPushButton(QStringLiteral("Previous Tip"), this))
    , m_next(new QPushButton(QStringLiteral("Next Tip"), this))
    , m_showAgain(new QCheckBox(session.checkCaption(), this))
{
    setObjectName(QStringLiteral("TfTipOfTheDay"));
    setWindowTitle(session.caption());
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    m_title->setFont(titleFont);
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setMinimumSize(360, 120);
    m_showAgain->setChecked(session.checked());

    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    m_previous->setVisible(session.showsPreviousAndNext());
    m_next->setVisible(session.showsPreviousAndNext());
    m_previous->setEnabled(session.canBrowse());
    m_next->setEnabled(session.canBrowse());

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_showAgain);
    buttons->addStretch();
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);

    connect(m_previous, &QPushButton::clicked, this, &TfTipOfTheDay::PreviousBtnClick);
    connect(m_next, &QPushButton::clicked, this, &TfTipOfTheDay::NextBtnClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_showAgain, &QCheckBox::toggled, this,
            [this](bool checked) { m_session.setChecked(checked); });
    showTip();
}

void TfTipOfTheDay::present(TipSession &session, QWidget *parent)
{
    TfTipOfTheDay window(session, parent ? parent : QApplication::activeWindow());
    window.exec();
}

void TfTipOfTheDay::showTip()
{
    const TipsFile::Tip tip = m_session.tip();
    m_title->setText(tip.title);
    m_title->setVisible(!tip.title.isEmpty());
    m_text->setText(tip.text);
}

void TfTipOfTheDay::PreviousBtnClick()
{
    m_session.previous();
    showTip();
}

void TfTipOfTheDay::NextBtnClick()
{
    m_session.next();
    showTip();
}

} // namespace Tarnwick

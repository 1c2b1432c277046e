// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/tsubmitform.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace Tarnwick {

TSubmitForm::TSubmitForm(QWidget *parent)
    : QDialog(parent)
    , m_action(new QLineEdit(this))
    , m_method(new QLineEdit(this))
    , m_results(new QListWidget(this))
{
    setObjectName(QStringLiteral("TSubmitForm"));
    setWindowTitle(QStringLiteral("Submit Results"));
    m_action->setObjectName(QStringLiteral("Action"));
    m_method->setObjectName(QStringLiteral("Method"));
    m_results->setObjectName(QStringLiteral("Results"));
    m_action->setReadOnly(true);
    m_method->setReadOnly(true);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Action:"), m_action);
    form->addRow(QStringLiteral("Method:"), m_method);
    form->addRow(new QLabel(QStringLiteral("Results"), this));
    form->addRow(m_results);
    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    form->addRow(close);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    resize(420, 320);
}

void TSubmitForm::showSubmission(const QString &action, const QString &method,
                                 const QStringList &pairs)
{
    m_action->setText(action);
    m_method->setText(method);
    m_results->clear();
    m_results->addItems(pairs);
    show();
    raise();
}

QString TSubmitForm::action() const
{
    return m_action->text();
}

QString TSubmitForm::method() const
{
    return m_method->text();
}

QStringList TSubmitForm::results() const
{
    QStringList lines;
    for (int i = 0; i < m_results->count(); ++i)
        lines.append(m_results->item(i)->text());
    return lines;
}

} // namespace Tarnwick

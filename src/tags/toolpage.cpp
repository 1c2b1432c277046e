// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/toolpage.h"

#include "tags/fixedtags.h"
#include "tags/taginserter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace Tarnwick {

ToolPage::ToolPage(QAnyStringView objectName, TagInserter *inserter, QWidget *parent)
    : QWidget(parent)
    , m_inserter(inserter)
    , m_layout(new QHBoxLayout(this))
{
    setObjectName(objectName);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(2);
}

QToolButton *ToolPage::addTagButton(QAnyStringView objectName)
{
    const FixedTags::Entry *entry = FixedTags::find(objectName.toString());
    Q_ASSERT(entry);
    QToolButton *button = addButton(objectName, entry->caption, entry->hint);
    connect(button, &QToolButton::clicked, this,
            [this, entry] { m_inserter->insertFixed(*entry); });
    return button;
}

QToolButton *ToolPage::addButton(QAnyStringView objectName, const QString &caption,
                                 const QString &hint)
{
    auto *button = new QToolButton(this);
    // Captions are markup such as "<!>": no access keys in them.
    QString text = caption;
    button->setText(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
    addControl(button, objectName, hint);
    return button;
}

QLabel *ToolPage::addLabel(const QString &caption, const QString &hint)
{
    auto *label = new QLabel(caption, this);
    label->setToolTip(hint);
    label->setStatusTip(hint);
    m_layout->addWidget(label);
    return label;
}

void ToolPage::addControl(QWidget *control, QAnyStringView objectName, const QString &hint)
{
    control->setObjectName(objectName);
    control->setToolTip(hint);
    control->setStatusTip(hint);
    m_layout->addWidget(control);
}

void ToolPage::addSpacing(int pixels)
{
    m_layout->addSpacing(pixels);
}

void ToolPage::finish()
{
    m_layout->addStretch(1);
}

} // namespace Tarnwick

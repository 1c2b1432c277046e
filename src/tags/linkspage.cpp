// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/linkspage.h"

#include "tags/imagetools.h"
#include "tags/linkmarkup.h"
#include "tags/refillingcombobox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace Tarnwick {

LinksPage::LinksPage(ImageTools *tools, TagInserter *inserter, QWidget *parent)
    : ToolPage("LinksPage", inserter, parent)
    , m_tools(tools)
    , m_prefix(new QComboBox(this))
    , m_address(new RefillingComboBox(this))
    , m_linkText(new QLineEdit(this))
{
    m_prefix->setEditable(true);
    m_prefix->setInsertPolicy(QComboBox::NoInsert);
    m_prefix->addItems(LinkMarkup::prefixes());
    m_prefix->setCurrentIndex(-1);
    m_prefix->setEditText(QString());
    addLabel(QStringLiteral("Prefix:"));
    addControl(m_prefix, "LinkPrefix", QStringLiteral("Prefix of the address"));
    addLabel(QStringLiteral("Address:"));
    m_address->setMinimumContentsLength(18);
    m_address->setSource([this] { return m_tools->pageFiles(); });
    addControl(
        m_address, "LinkAddress",
        QStringLiteral("Enter entire URL or specify remaing text to appear after the prefix"));
    addLabel(QStringLiteral("Text:"));
    m_linkText->setMinimumWidth(140);
    addControl(m_linkText, "LinkText",
               QStringLiteral("Text that will appear to the user regarding the link"));
    connect(addButton("BitBtn1", QStringLiteral("Insert"),
                      QStringLiteral("Insert HREF tag with specified parameters")),
            &QToolButton::clicked, this, [this] {
                m_tools->BitBtn1Click(m_prefix->currentText(), m_address->currentText(),
                                      m_linkText->text());
            });
    finish();
}

} // namespace Tarnwick

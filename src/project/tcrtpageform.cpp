// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/tcrtpageform.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

using Style = PageOperations::Style;

// The list opens with the templates there are at that moment.
class TemplateBox final : public QComboBox
{
public:
    TemplateBox(TCrtPageForm *form, QWidget *parent)
        : QComboBox(parent)
        , m_form(form)
    {
    }

    void showPopup() override
    {
        m_form->TemplateListDropDown();
        QComboBox::showPopup();
    }

private:
    TCrtPageForm *m_form;
};

} // namespace

TCrtPageForm::TCrtPageForm(const QStringList &extensions, const QString &programDirectory,
                           QWidget *parent)
    : QDialog(parent)
    , m_programDirectory(programDirectory)
{
    setObjectName(QStringLiteral("TCrtPageForm"));
    setWindowTitle(QStringLiteral("Create Page"));

    m_pageName = new QLineEdit(this);
    m_pageName->setObjectName(QStringLiteral("PageName"));
    m_pageName->setMaxLength(NameLength);
    m_pageName->setToolTip(QStringLiteral("Enter an 8 character filename."));
    m_extensionList = new QComboBox(this);
    m_extensionList->setObjectName(QStringLiteral("ExtensionList"));
    m_extensionList->addItems(extensions);
    m_extensionList->setCurrentIndex(extensions.isEmpty() ? -1 : 0);
    m_pageDesc = new QLineEdit(this);
    m_pageDesc->setObjectName(QStringLiteral("PageDesc"));
    m_pageDesc->setMaxLength(DescriptionLength);
    m_pageDesc->setToolTip(QStringLiteral("Enter the description of the document"));

    auto *styles = new QGroupBox(QStringLiteral("Use Style:"), this);
    styles->setObjectName(QStringLiteral("UseStyle"));
    auto *styleLayout = new QVBoxLayout(styles);
    m_useStyle = new QButtonGroup(this);
    const std::pair<const char *, Style> choices[] = { { "Default Page", Style::DefaultPage },
                                                       { "Use Template", Style::UseTemplate },
                                                       { "Theme Page", Style::ThemePage },
                                                       { "Frame Page", Style::FramePage } };
    for (const auto &[caption, style] : choices) {
        auto *button = new QRadioButton(QLatin1String(caption), styles);
        m_useStyle->addButton(button, int(style));
        styleLayout->addWidget(button);
    }
    m_useStyle->button(int(Style::DefaultPage))->setChecked(true);
    m_templateLabel = new QLabel(QStringLiteral("Template:"), this);
    m_templateList = new TemplateBox(this, this);
    m_templateList->setObjectName(QStringLiteral("TemplateList"));
    m_templateLabel->setBuddy(m_templateList);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_useStyle, &QButtonGroup::idClicked, this, &TCrtPageForm::UseStyleClick);

    auto *extensionRow = new QHBoxLayout;
    extensionRow->addWidget(new QLabel(QStringLiteral("."), this));
    extensionRow->addWidget(m_extensionList, 1);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Page Filename:"), m_pageName);
    form->addRow(QStringLiteral("Extension:"), extensionRow);
    form->addRow(QStringLiteral("Page Description:"), m_pageDesc);
    auto *templateRow = new QFormLayout;
    templateRow->addRow(m_templateLabel, m_templateList);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(styles);
    layout->addLayout(templateRow);
    layout->addStretch(1);
    layout->addWidget(buttons);

    TemplateListDropDown();
    m_templateList->setCurrentIndex(-1); // no template until one is chosen
    UseStyleClick();
}

void TCrtPageForm::UseStyleClick()
{
    const bool useTemplate = m_useStyle->checkedId() == int(Style::UseTemplate);
    m_templateLabel->setVisible(useTemplate);
    m_templateList->setVisible(useTemplate);
    if (useTemplate)
        TemplateListDropDown();
}

void TCrtPageForm::TemplateListDropDown()
{
    for (const QString &name : PageOperations::templateNames(m_programDirectory)) {
        if (m_templateList->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
            m_templateList->addItem(name);
    }
}

PageOperations::NewPage TCrtPageForm::page() const
{
    PageOperations::NewPage page;
    page.name = m_pageName->text();
    page.extension = m_extensionList->currentText();
    page.description = m_pageDesc->text();
    page.style = Style(m_useStyle->checkedId());
    if (page.style == Style::UseTemplate)
        page.templateName = m_templateList->currentText();
    return page;
}

} // namespace Tarnwick

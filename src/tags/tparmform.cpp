// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tparmform.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "tags/taginserter.h"
#include "tags/tbodyform.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

QComboBox *listBox(const char *name, const QStringList &items, bool editable, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(editable);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

QLineEdit *lineEdit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QSpinBox *numberBox(const char *name, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 9999);
    return box;
}

} // namespace

TParmForm::TParmForm(EditorControl *editor, TagInserter *inserter, Prompter *prompter,
                     QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_editor(editor)
    , m_inserter(inserter)
    , m_prompter(prompter)
    , m_pages(new QStackedWidget(this))
    , m_align(listBox("alignlist", ParameterSelection::alignments(), true, this))
    , m_valign(listBox("valignlist", ParameterSelection::verticalAlignments(), false, this))
    , m_size(listBox("sizelist", ParameterSelection::sizes(), false, this))
    , m_metaHttpEquiv(listBox("MetaHTTPEquiv", ParameterSelection::httpEquivs(), true, this))
    , m_metaName(lineEdit("MetaName", this))
    , m_metaContent(lineEdit("MetaContent", this))
    , m_embedSrc(lineEdit("EmbedSrc", this))
    , m_embedHeight(numberBox("EmbedHeight", this))
    , m_embedWidth(numberBox("EmbedWidth", this))
    , m_pName(lineEdit("PName", this))
    , m_pValue(lineEdit("PValue", this))
{
    setObjectName(QStringLiteral("TParmForm"));
    setWindowTitle(QStringLiteral("Parameter Selections"));
    m_metaHttpEquiv->setCurrentIndex(-1);
    m_metaHttpEquiv->setEditText(QString());
    m_metaContent->setMinimumWidth(260);

    for (Page page :
         { Page::Align, Page::VAlign, Page::Size, Page::Meta, Page::Embed, Page::Parameter })
        m_pages->addWidget(addPage(page));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
}

QWidget *TParmForm::addPage(Page page)
{
    auto *widget = new QWidget(m_pages);
    widget->setObjectName(ParameterSelection::pageName(page));
    auto *form = new QFormLayout(widget);
    switch (page) {
    case Page::Align:
        form->addRow(QStringLiteral("Alignment:"), m_align);
        break;
    case Page::VAlign:
        form->addRow(QStringLiteral("Vertical Alignment:"), m_valign);
        break;
    case Page::Size:
        form->addRow(QStringLiteral("Size:"), m_size);
        break;
    case Page::Meta:
        form->addRow(QStringLiteral("HTTP-EQUIV"), m_metaHttpEquiv);
        form->addRow(QStringLiteral("Name:"), m_metaName);
        form->addRow(QStringLiteral("Content:"), m_metaContent);
        break;
    case Page::Embed: {
        auto *row = new QHBoxLayout;
        row->addWidget(m_embedSrc, 1);
        auto *browse = new QPushButton(QStringLiteral("..."), widget);
        browse->setObjectName(QStringLiteral("EmbedBrowse"));
        connect(browse, &QPushButton::clicked, this, &TParmForm::browseEmbedSource);
        row->addWidget(browse);
        form->addRow(QStringLiteral("Embed Source:"), row);
        form->addRow(QStringLiteral("Height:"), m_embedHeight);
        form->addRow(QStringLiteral("Width:"), m_embedWidth);
        break;
    }
    case Page::Parameter:
        form->addRow(QStringLiteral("Name"), m_pName);
        form->addRow(QStringLiteral("Value"), m_pValue);
        break;
    }
    return widget;
}

void TParmForm::execute(Page page)
{
    prepare(page);
    if (exec() == QDialog::Accepted)
        OkClick();
}

void TParmForm::prepare(Page page)
{
    m_page = page;
    m_pages->setCurrentIndex(int(page));
    m_editor->ReadSelection();
    // With nothing selected the rest of the caret's line is read, but "Ok"
    // inserts at the caret: the line's text stays.
    const QString text = m_editor->SelLength() > 0
        ? m_editor->GetSelText()
        : m_editor->GetLineText(m_editor->StartLine).mid(m_editor->StartPos);
    const ParameterSelection::Reading reading = ParameterSelection::read(text);
    if (reading.hasChoice) {
        QComboBox *box = reading.choicePage == Page::VAlign ? m_valign
            : reading.choicePage == Page::Size              ? m_size
                                                            : m_align;
        box->setCurrentIndex(reading.choice);
    }
    if (reading.isMeta) {
        m_metaHttpEquiv->setEditText(reading.httpEquiv);
        m_metaName->setText(reading.name);
        m_metaContent->setText(reading.content);
    }
    if (reading.isParam) {
        m_pName->setText(reading.paramName);
        m_pValue->setText(reading.paramValue);
    }
}

void TParmForm::OkClick()
{
    switch (m_page) {
    case Page::Align:
        m_inserter->InsertText(ParameterSelection::choiceText(m_page, m_align->currentText()));
        break;
    case Page::VAlign:
        m_inserter->InsertText(ParameterSelection::choiceText(m_page, m_valign->currentText()));
        break;
    case Page::Size:
        m_inserter->InsertText(ParameterSelection::choiceText(m_page, m_size->currentText()));
        break;
    case Page::Meta:
        m_inserter->InsertText(ParameterSelection::metaTag(
            m_metaHttpEquiv->currentText(), m_metaName->text(), m_metaContent->text()));
        m_metaHttpEquiv->setCurrentIndex(-1);
        m_metaHttpEquiv->setEditText(QString());
        m_metaName->clear();
        m_metaContent->clear();
        break;
    case Page::Embed: {
        const QString tag = ParameterSelection::embedTag(m_embedSrc->text(), m_embedHeight->value(),
                                                         m_embedWidth->value());
        if (tag.isEmpty())
            break;
        m_inserter->InsertText(tag);
        m_embedSrc->clear();
        m_embedHeight->setValue(0);
        m_embedWidth->setValue(0);
        break;
    }
    case Page::Parameter:
        m_inserter->InsertText(ParameterSelection::paramTag(m_pName->text(), m_pValue->text()));
        break;
    }
}

void TParmForm::browseEmbedSource()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open File");
    request.filter = TBodyForm::mediaFilter();
    request.filterIndex = 0;
    const std::optional<QString> chosen = m_prompter->openFileName(request);
    if (chosen && !chosen->isEmpty())
        m_embedSrc->setText(QFileInfo(*chosen).absoluteFilePath());
}

} // namespace Tarnwick

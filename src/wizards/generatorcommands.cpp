// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/generatorcommands.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "preview/previewcontroller.h"
#include "wizards/guidednotebook.h"
#include "wizards/tformwizeform.h"
#include "wizards/tframeform.h"
#include "wizards/topenhtmlform.h"
#include "wizards/tsubmitform.h"
#include "wizards/ttableattrform.h"
#include "wizards/ttblcreateform.h"
#include "wizards/twiseguyform.h"

#include <QAction>
#include <QBoxLayout>
#include <QMenu>
#include <QToolButton>

#include <utility>

namespace Tarnwick {

namespace {

constexpr int tableHelperTip = 4;

} // namespace

GeneratorCommands::~GeneratorCommands() = default;

GeneratorCommands::GeneratorCommands(Parts parts, QObject *parent)
    : QObject(parent)
    , m_parts(std::move(parts))
{
    m_table = new QAction(QStringLiteral("&Table Vaza Ded..."), this);
    m_table->setObjectName(QStringLiteral("TableWizeGuy"));
    m_table->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_table->setStatusTip(QStringLiteral("Table Vaza Ded"));
    connect(m_table, &QAction::triggered, this, &GeneratorCommands::TableWizeGuyClick);
    m_cellAttributes = new QAction(QStringLiteral("Table Cell &Attributes"), this);
    m_cellAttributes->setObjectName(QStringLiteral("TableCellAttributes"));
    m_cellAttributes->setStatusTip(QStringLiteral("Change table cell attributes"));
    connect(m_cellAttributes, &QAction::triggered, this,
            &GeneratorCommands::TableCellAttributesClick);
    m_form = new QAction(QStringLiteral("&Data Form Vaza Ded..."), this);
    m_form->setObjectName(QStringLiteral("FormWizeGuy"));
    m_form->setStatusTip(QStringLiteral("Data Entry Form Vaza Ded"));
    connect(m_form, &QAction::triggered, this, &GeneratorCommands::FormWizeGuyClick);
    m_frames = new QAction(QStringLiteral("&Frame Creator..."), this);
    m_frames->setObjectName(QStringLiteral("FrameWiseGuy"));
    m_frames->setStatusTip(QStringLiteral("Create a frame set page"));
    connect(m_frames, &QAction::triggered, this, &GeneratorCommands::FrameWiseGuyClick);
    m_frameWizeGuy = new QAction(QStringLiteral("Frame Vaza Ded"), this);
    m_frameWizeGuy->setObjectName(QStringLiteral("FrameWizeGuy"));
    m_frameWizeGuy->setStatusTip(QStringLiteral("Create a frame set page"));
    connect(m_frameWizeGuy, &QAction::triggered, this, &GeneratorCommands::FrameWiseGuyClick);
    m_pageWiseGuy = new QAction(QStringLiteral("Page Wise &Guy..."), this);
    m_pageWiseGuy->setObjectName(QStringLiteral("PageWiseGuy"));
    m_pageWiseGuy->setStatusTip(QStringLiteral("The Vaza Ded"));
    m_pageWiseGuy->setVisible(bool(m_parts.effectsNotebook));
    connect(m_pageWiseGuy, &QAction::triggered, this, &GeneratorCommands::PageWiseGuyClick);
    m_submit = new TSubmitForm(m_parts.editor->window());
    if (m_parts.mainPreview)
        connect(m_parts.mainPreview, &Renderer::formSubmitted, m_submit,
                &TSubmitForm::showSubmission);
    addToolButtons();
    if (m_parts.insertMenu)
        fillInsertMenu(m_parts.insertMenu);
    if (m_parts.fileMenu)
        fillFileMenu(m_parts.fileMenu);
}

void GeneratorCommands::fillFileMenu(QMenu *menu)
{
    const QList<QAction *> actions = menu->actions();
    QAction *before = nullptr;
    for (qsizetype i = 1; i < actions.size(); ++i) {
        if (actions.at(i)->text() == QLatin1String("E&xit") && actions.at(i - 1)->isSeparator())
            before = actions.at(i - 1);
    }
    menu->insertActions(before, { m_pageWiseGuy, m_frames, m_frameWizeGuy });
}

void GeneratorCommands::fillInsertMenu(QMenu *menu)
{
    QMenu *wizeGuys = menu->addMenu(QStringLiteral("WizeGuys"));
    wizeGuys->menuAction()->setObjectName(QStringLiteral("WizeGuys"));
    wizeGuys->addAction(m_table);
    wizeGuys->addAction(m_form);
    menu->addAction(m_cellAttributes);
}

void GeneratorCommands::addToolButtons()
{
    struct Button
    {
        const char *page;
        const char *name;
        const char *text;
        const char *hint;
        QAction *action;
    };
    const Button buttons[] = {
        { "TablesPage", "TableWizeGuyBtn", "Table Vaza Ded", "Table Vaza Ded", m_table },
        { "TablesPage", "CellAttributesBtn", "Cell Attributes", "Change table cell attributes",
          m_cellAttributes },
        { "FormsPage", "FormWizeGuyBtn", "Form Vaza Ded", "Data Entry Form Vaza Ded", m_form },
    };
    for (const Button &b : buttons) {
        QWidget *page = m_parts.toolBook
            ? m_parts.toolBook->findChild<QWidget *>(QLatin1String(b.page))
            : nullptr;
        auto *layout = page ? qobject_cast<QBoxLayout *>(page->layout()) : nullptr;
        if (!layout)
            continue;
        auto *button = new QToolButton(page);
        button->setObjectName(QLatin1String(b.name));
        button->setText(QLatin1String(b.text));
        button->setToolTip(QLatin1String(b.hint));
        button->setStatusTip(QLatin1String(b.hint));
        connect(button, &QToolButton::clicked, b.action, &QAction::trigger);
        layout->insertWidget(layout->count() - 1, button); // before the closing stretch
    }
}

void GeneratorCommands::TableWizeGuyClick()
{
    if (m_parts.showHelperTip)
        m_parts.showHelperTip(tableHelperTip);
    TTblCreateForm::Context context;
    context.editor = m_parts.editor;
    context.prompter = m_parts.prompter;
    context.pageDirectory = m_parts.pageDirectory ? m_parts.pageDirectory() : QString();
    PreviewController *preview = m_parts.preview;
    context.refreshPreview = [preview] {
        if (preview)
            preview->UpdateWebView();
    };
    TTblCreateForm dialog(std::move(context), m_parts.editor->window());
    dialog.exec();
}

void GeneratorCommands::TableCellAttributesClick()
{
    TTableAttrForm dialog(m_parts.inserter, m_parts.prompter, m_parts.editor->window());
    dialog.exec();
}

void GeneratorCommands::FormWizeGuyClick()
{
    if (!m_formWizard) {
        TFormWizeForm::Context context;
        context.editor = m_parts.editor;
        context.prompter = m_parts.prompter;
        context.pageDirectory = m_parts.pageDirectory;
        PreviewController *preview = m_parts.preview;
        context.refreshPreview = [preview] {
            if (preview)
                preview->UpdateWebView();
        };
        context.submitResults = m_submit;
        m_formWizard
            = std::make_unique<TFormWizeForm>(std::move(context), m_parts.editor->window());
    }
    m_formWizard->exec();
}

void GeneratorCommands::FrameWiseGuyClick()
{
    if (m_parts.prompter->message(Prompter::Kind::Information,
                                  QStringLiteral("Clear current page to create Frame Structure?"),
                                  Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes)
        return;
    StartFrameWizeGuy();
}

void GeneratorCommands::StartFrameWizeGuy()
{
    TFrameForm::Context context;
    context.editor = m_parts.editor;
    context.prompter = m_parts.prompter;
    context.pageDirectory = m_parts.pageDirectory;
    TFrameForm dialog(std::move(context), m_parts.editor->window());
    dialog.exec();
    if (m_parts.preview)
        m_parts.preview->UpdateWebView();
}

void GeneratorCommands::PageWiseGuyClick()
{
    if (!m_parts.effectsNotebook)
        return;
    if (!m_guide) {
        TWiseGuyForm::Context context;
        context.editor = m_parts.editor;
        context.notebook = m_parts.effectsNotebook;
        context.newPage = m_parts.newPage;
        context.currentPage = m_parts.currentFileName;
        PreviewController *preview = m_parts.preview;
        context.refreshPreview = [preview] {
            if (preview)
                preview->UpdateWebView();
        };
        m_guide = std::make_unique<TWiseGuyForm>(std::move(context), m_parts.editor->window());
    }
    if (GuidedNotebook *book = m_parts.effectsNotebook())
        book->setGuided(true);
    m_guide->showGuide();
}

void GeneratorCommands::OpenHTMLPageClick(const QString &filter, const QString &directory)
{
    TOpenHTMLForm::Context context;
    context.filter = filter;
    context.directory = directory;
    context.loadFile = m_parts.loadFile;
    EditorControl *editor = m_parts.editor;
    QWidget *toolBook = m_parts.toolBook;
    context.pageOpened = [editor, toolBook] {
        editor->setEnabled(true);
        if (toolBook)
            toolBook->setEnabled(true);
        editor->setFocus();
    };
    TOpenHTMLForm dialog(std::move(context), m_parts.editor->window());
    dialog.exec();
}

} // namespace Tarnwick

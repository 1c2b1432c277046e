// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/generatorcommands.h"

#include "platform/editorcontrol.h"
#include "platform/filefilter.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "preview/previewcontroller.h"
#include "wizards/guidednotebook.h"
#include "wizards/imageindex.h"
#include "wizards/tcalendarform.h"
#include "wizards/teffectsform.h"
#include "wizards/tformwizeform.h"
#include "wizards/tframeform.h"
#include "wizards/timageindexform.h"
#include "wizards/topenhtmlform.h"
#include "wizards/tsubmitform.h"
#include "wizards/ttableattrform.h"
#include "wizards/ttblcreateform.h"
#include "wizards/ttemplatewizeguy.h"
#include "wizards/twiseguyform.h"

#include <QAction>
#include <QBoxLayout>
#include <QDate>
#include <QLocale>
#include <QMenu>
#include <QToolButton>

#include <utility>

namespace Tarnwick {

namespace {

constexpr int tableHelperTip = 4;

} // namespace

GeneratorCommands::~GeneratorCommands() = default;

QAction *GeneratorCommands::item(const char *caption, const char *name, const char *hint,
                                 void (GeneratorCommands::*command)())
{
    auto *action = new QAction(QLatin1String(caption), this);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(QLatin1String(hint));
    connect(action, &QAction::triggered, this, command);
    return action;
}

std::function<void()> GeneratorCommands::previewRefresher() const
{
    PreviewController *preview = m_parts.preview;
    return [preview] {
        if (preview)
            preview->UpdateWebView();
    };
}

GeneratorCommands::GeneratorCommands(Parts parts, QObject *parent)
    : QObject(parent)
    , m_parts(std::move(parts))
{
    if (!m_parts.effectsNotebook) // the guide walks our own Web Effects unless told otherwise
        m_parts.effectsNotebook = [this] { return effectsNotebook(); };
    using G = GeneratorCommands;
    m_table = item("&Table Vaza Ded...", "TableWizeGuy", "Table Vaza Ded", &G::TableWizeGuyClick);
    m_table->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_cellAttributes = item("Table Cell &Attributes", "TableCellAttributes",
                            "Change table cell attributes", &G::TableCellAttributesClick);
    m_form = item("&Data Form Vaza Ded...", "FormWizeGuy", "Data Entry Form Vaza Ded",
                  &G::FormWizeGuyClick);
    m_frames = item("&Frame Creator...", "FrameWiseGuy", "Create a frame set page",
                    &G::FrameWiseGuyClick);
    m_frameWizeGuy
        = item("Frame Vaza Ded", "FrameWizeGuy", "Create a frame set page", &G::FrameWiseGuyClick);
    m_calendar = item("&Calendar Vaza Ded...", "CalendarWizeGuy", "Calendar Vaza Ded",
                      &G::CalendarWizeGuyClick);
    m_imageIndex = item("Create &Index of Images", "ImageIndex",
                        "Create a page listing the images of a directory", &G::ImageIndexClick);
    m_template = item("Zazureva Rido Rev...", "TemplateWizeGuy1", "Fill in template definitions",
                      &G::TemplateWizeGuy1Click);
    m_pageWiseGuy = item("Page Wise &Guy...", "PageWiseGuy", "The Vaza Ded", &G::PageWiseGuyClick);
    m_submit = new TSubmitForm(m_parts.editor->window());
    if (m_parts.mainPreview)
        connect(m_parts.mainPreview, &Renderer::formSubmitted, m_submit,
                &TSubmitForm::showSubmission);
    setPageOpen(false);
    makeEffectsItems();
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
    menu->insertActions(before, { m_imageIndex, m_pageWiseGuy, m_frames, m_frameWizeGuy });
}

void GeneratorCommands::fillInsertMenu(QMenu *menu)
{
    QMenu *wizeGuys = menu->addMenu(QStringLiteral("WizeGuys"));
    wizeGuys->menuAction()->setObjectName(QStringLiteral("WizeGuys"));
    wizeGuys->addAction(m_table);
    wizeGuys->addAction(m_form);
    wizeGuys->addAction(m_calendar);
    wizeGuys->addAction(m_template);
    placeEffectsItems(menu);
}

void GeneratorCommands::makeEffectsItems()
{
    const struct
    {
        const char *caption;
        const char *name;
        const char *hint;
        QKeyCombination key;
        int tab;
    } effects[] = {
        { "&Heading...", "Heading1", "Insert a heading", Qt::CTRL | Qt::Key_H,
          TEffectsForm::Headers },
        { "&List Type...", "ListType1", "Insert a list", Qt::CTRL | Qt::Key_L,
          TEffectsForm::ListTypes },
        { "Te&xt", "Text1", "Insert formatted text", QKeyCombination(Qt::Key_F4),
          TEffectsForm::DocumentText },
        { "&Image...", "Image1", "Insert an image", Qt::CTRL | Qt::Key_I, TEffectsForm::Images },
        { "Applet...", "Applet1", "Insert a Java applet", Qt::CTRL | Qt::Key_J,
          TEffectsForm::Applet },
        { "&URL Reference/Page Anchor", "URLReference1", "Insert a link or a page anchor",
          Qt::CTRL | Qt::Key_U, TEffectsForm::References },
    };
    for (const auto &e : effects) {
        auto *item = new QAction(QLatin1String(e.caption), this);
        item->setObjectName(QLatin1String(e.name));
        item->setStatusTip(QLatin1String(e.hint));
        item->setShortcut(QKeySequence(e.key));
        const int tab = e.tab;
        connect(item, &QAction::triggered, this, [this, tab] { openEffects(tab); });
        m_effectsItems.append(item);
    }
}

void GeneratorCommands::placeEffectsItems(QMenu *menu)
{
    QAction *bar = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text() == QLatin1String("Horizontal &Bar"))
            bar = action;
    }
    // Heading, List Type and Text before the bar; the cell attributes, Image,
    // Applet and URL Reference after it.
    const QList<QAction *> actions = menu->actions();
    QAction *afterBar = bar ? actions.value(actions.indexOf(bar) + 1) : nullptr;
    menu->insertActions(bar, m_effectsItems.mid(0, 3));
    menu->insertActions(afterBar, QList<QAction *> { m_cellAttributes } + m_effectsItems.mid(3));
}

void GeneratorCommands::addToolButtons()
{
    const struct
    {
        const char *page;
        const char *name;
        const char *text;
        const char *hint;
        QAction *action;
    } buttons[] = {
        { "TablesPage", "TableWizeGuyBtn", "Table Vaza Ded", "Table Vaza Ded", m_table },
        { "TablesPage", "CellAttributesBtn", "Cell Attributes", "Change table cell attributes",
          m_cellAttributes },
        { "FormsPage", "FormWizeGuyBtn", "Form Vaza Ded", "Data Entry Form Vaza Ded", m_form },
        { "TemplatesPage", "TemplateWizeGuyBtn", "Go!", "Fill in template definitions",
          m_template },
        // The pages' rows are full: a short caption, the whole one as its hint.
        { "ListsPage", "EffectsListBtn", "Web Effects", "Open List page in Effects Notebook",
          m_effectsItems.at(1) },
        { "ImagesPage", "EffectsImageBtn", "Web Effects", "Open Image page in Effects Notebook",
          m_effectsItems.at(3) },
    };
    for (const auto &b : buttons) {
        QWidget *page = m_parts.toolBook
            ? m_parts.toolBook->findChild<QWidget *>(QLatin1String(b.page))
            : nullptr;
        auto *layout = page ? qobject_cast<QBoxLayout *>(page->layout()) : nullptr;
        if (!layout || page->findChild<QToolButton *>(QLatin1String(b.name)))
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
    context.refreshPreview = previewRefresher();
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
        context.refreshPreview = previewRefresher();
        context.submitResults = m_submit;
        m_formWizard
            = std::make_unique<TFormWizeForm>(std::move(context), m_parts.editor->window());
    }
    m_formWizard->exec();
}

void GeneratorCommands::setPageOpen(bool open)
{
    // The frame set replaces the page's text: with no page there is none to replace.
    m_frames->setEnabled(open);
    m_frameWizeGuy->setEnabled(open);
}

void GeneratorCommands::FrameWiseGuyClick()
{
    if (!m_frames->isEnabled())
        return;
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
    context.pageCharset = m_parts.pageCharset;
    context.openFilter
        = FileFilter::build(m_parts.pageExtensions ? m_parts.pageExtensions() : QString(),
                            m_parts.graphicExtensions ? m_parts.graphicExtensions() : QString());
    TFrameForm dialog(std::move(context), m_parts.editor->window());
    dialog.exec();
    if (m_parts.preview)
        m_parts.preview->UpdateWebView();
}

void GeneratorCommands::CalendarWizeGuyClick()
{
    TCalendarForm::Context context;
    context.editor = m_parts.editor;
    context.prompter = m_parts.prompter;
    context.pageDirectory = m_parts.pageDirectory ? m_parts.pageDirectory() : QString();
    context.dayNames = CalendarBuilder::dayNames(QLocale::system());
    context.today = QDate::currentDate();
    TCalendarForm dialog(std::move(context), m_parts.editor->window());
    dialog.exec();
    if (m_parts.preview)
        m_parts.preview->UpdateWebView();
}

void GeneratorCommands::ImageIndexClick()
{
    const QString path = ImageIndex::pagePath(m_parts.programDirectory);
    if (const Result made = ImageIndex::createPage(path); !made) {
        m_parts.prompter->error(made.error());
        return;
    }
    // Lines go only into the index page: when it cannot be shown, nothing is appended.
    const bool shown = (m_parts.showOpenPage && m_parts.showOpenPage(path))
        || (m_parts.loadFile && m_parts.loadFile(path));
    if (!shown)
        return;
    const QString start = m_parts.pageDirectory ? m_parts.pageDirectory() : QString();
    TImageIndexForm dialog(m_parts.editor, start, m_parts.editor->window());
    dialog.exec();
    if (m_parts.preview)
        m_parts.preview->UpdateWebView();
}

TEffectsForm *GeneratorCommands::effectsForm()
{
    if (!m_effects) {
        TEffectsForm::Context context;
        context.editor = m_parts.editor;
        context.prompter = m_parts.prompter;
        context.pageDirectory = m_parts.pageDirectory;
        context.graphicExtensions = m_parts.graphicExtensions;
        context.pageExtensions = m_parts.pageExtensions;
        context.pageChanged = previewRefresher();
        m_effects = std::make_unique<TEffectsForm>(std::move(context), m_parts.editor->window());
    }
    return m_effects.get();
}

GuidedNotebook *GeneratorCommands::effectsNotebook()
{
    return effectsForm();
}

void GeneratorCommands::openEffects(int tab)
{
    effectsForm()->openOn(tab);
}

TTemplateWizeGuy *GeneratorCommands::templateWizeGuy() const
{
    return m_templateWizard;
}

void GeneratorCommands::TemplateWizeGuy1Click()
{
    if (m_parts.editor->LineCount() <= 1) {
        m_parts.prompter->information(TTemplateWizeGuy::noDocumentMessage());
        return;
    }
    if (m_templateWizard)
        m_templateWizard->close(); // a fresh walk over the page now in the editor
    TTemplateWizeGuy::Context context;
    context.editor = m_parts.editor;
    context.prompter = m_parts.prompter;
    context.splitScreen = m_parts.splitScreen;
    context.pageDirectory = m_parts.pageDirectory;
    context.graphicExtensions = m_parts.graphicExtensions;
    context.pageExtensions = m_parts.pageExtensions;
    context.refreshPreview = previewRefresher();
    m_templateWizard = new TTemplateWizeGuy(std::move(context), m_parts.editor->window());
    m_templateWizard->show();
    m_templateWizard->raise();
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
        context.refreshPreview = previewRefresher();
        m_guide = std::make_unique<TWiseGuyForm>(std::move(context), m_parts.editor->window());
    }
    m_guide->showGuide();
}

void GeneratorCommands::OpenHTMLPageClick(const QString &filter, const QString &directory)
{
    TOpenHTMLForm::Context context;
    context.filter = filter;
    context.directory = directory;
    context.loadFile = m_parts.loadFile;
    context.prompter = m_parts.prompter;
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

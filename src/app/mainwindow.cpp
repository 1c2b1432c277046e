// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

#include "app/activepagebackup.h"
#include "app/editcommands.h"
#include "app/editorappearance.h"
#include "app/editorsettingsdialog.h"
#include "app/generalsettingsdialog.h"
#include "app/helpcommands.h"
#include "app/imagecontroller.h"
#include "app/openpages.h"
#include "app/previewcommands.h"
#include "app/programdirectory.h"
#include "app/projectcommands.h"
#include "app/projectmenu.h"
#include "app/projectsearchcommands.h"
#include "app/publishcommands.h"
#include "app/settings.h"
#include "app/sitecheckcommands.h"
#include "app/speedbuttons.h"
#include "app/spellcommands.h"
#include "app/tips.h"
#include "app/usertagsettings.h"
#include "app/wizardcommands.h"
#include "platform/editorcontrol.h"
#include "platform/filefilter.h"
#include "platform/filelistpane.h"
#include "platform/menutext.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "platform/virtualkey.h"
#include "preview/externalbrowsers.h"
#include "preview/pagedetailscommands.h"
#include "preview/previewcontroller.h"
#include "preview/previewpopup.h"
#include "project/projectoutline.h"
#include "publish/passwordstore.h"
#include "tags/cleanupcommands.h"
#include "tags/ewspanel.h"
#include "tags/htmlcodesmenu.h"
#include "tags/powerbook.h"
#include "tags/tagawareediting.h"
#include "tags/tagcommands.h"
#include "tags/usertagcommands.h"
#include "wizards/generatorcommands.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace Tarnwick {

namespace {

const QString projectsPageCaption = QStringLiteral("Projects");
const QString fileListPageCaption = QStringLiteral("File List");

} // namespace

MainWindow::MainWindow(const QString &programDirectory, Settings *settings, Prompter *prompter,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_programDirectory(ProgramDirectory::withSlash(programDirectory))
    , m_settings(settings)
    , m_prompter(prompter)
    , m_tips(std::make_unique<Tips>(*settings, m_programDirectory))
{
    setObjectName(QStringLiteral("TForm1"));
    resize(1024, 720);
    buildStatusBar();
    buildRegions();
    buildMenus();
    new ImageController({ this, m_preview, m_settings, m_prompter }, this);
    m_generators->addToolButtons(); // the Templates page is there now
    FormCreate();
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    // It follows the focus, which still moves while the widgets go.
    delete m_editCommands;
    // Letting a preview go runs the engine's pending work, which may give another preview a new
    // child widget: that has to happen while the window around it is whole. What uses the
    // previews goes first.
    m_openPages->disconnect(this);
    delete m_previewCommands;
    delete m_previewPopup;
    delete m_preview;
    delete m_htmlFull;
    delete m_htmlFrames;
    delete m_htmlSplit;
}

void MainWindow::reportException(const char *routine)
{
    m_prompter->warning(QStringLiteral("Exception occured during ") + QLatin1String(routine)
                        + QLatin1Char('!'));
}

// ---------------------------------------------------------------- regions

void MainWindow::buildRegions()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolsPanel = new QWidget(central);
    m_toolsPanel->setObjectName(QStringLiteral("ToolsPanel"));
    auto *toolsLayout = new QHBoxLayout(m_toolsPanel);
    toolsLayout->setContentsMargins(2, 2, 2, 2);
    auto *buttonPanel = new QWidget(m_toolsPanel);
    buttonPanel->setObjectName(QStringLiteral("ButtonPanel1"));
    toolsLayout->addWidget(buttonPanel);
    toolsLayout->addStretch(1);
    layout->addWidget(m_toolsPanel);

    m_mainSplitter = new QSplitter(Qt::Horizontal, central);
    m_mainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    m_mainSplitter->setChildrenCollapsible(true);
    layout->addWidget(m_mainSplitter, 1);

    m_fileTabs = new QTabWidget(m_mainSplitter);
    m_fileTabs->setObjectName(QStringLiteral("FileTabs"));
    m_outline = new ProjectOutline(m_fileTabs);
    m_outline->setProgramDirectory(m_programDirectory);
    m_fileList = new FileListPane(m_fileTabs);
    m_fileTabs->addTab(m_outline, projectsPageCaption);
    m_fileTabs->addTab(m_fileList, fileListPageCaption);

    m_splitScreen = new QSplitter(Qt::Horizontal, m_mainSplitter);
    m_splitScreen->setObjectName(QStringLiteral("SplitScreen"));
    m_webPageTabs = new QWidget(m_splitScreen);
    m_webPageTabs->setObjectName(QStringLiteral("WebPageTabs"));
    auto *pageLayout = new QVBoxLayout(m_webPageTabs);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    m_tabBar = new QTabBar(m_webPageTabs);
    m_tabBar->setObjectName(QStringLiteral("WebPageTabBar"));
    m_tabBar->setDocumentMode(true);
    m_tabBar->setExpanding(false);
    m_webPage = new EditorControl(m_webPageTabs);
    m_webPage->setObjectName(QStringLiteral("WebPage"));
    pageLayout->addWidget(m_tabBar);
    pageLayout->addWidget(m_webPage, 1);

    m_htmlSplit = new Renderer(m_splitScreen);
    m_htmlSplit->setObjectName(QStringLiteral("HTMLSplit"));
    m_htmlFrames = new Renderer(m_splitScreen);
    m_htmlFrames->setObjectName(QStringLiteral("HTMLFrames"));
    m_htmlFrames->hide(); // only while the page is a frame set

    m_spareEditor = new EditorControl(m_mainSplitter); // the internal clipboard, hidden at first

    m_mainSplitter->setStretchFactor(0, 1);
    m_mainSplitter->setStretchFactor(1, 4);
    m_mainSplitter->setSizes({ width() / 5, width() * 4 / 5, 0 });
    m_htmlFull = new Renderer(central); // fills the window in full-screen view
    m_htmlFull->setObjectName(QStringLiteral("HTMLFull"));
    layout->addWidget(m_htmlFull, 1);
    setCentralWidget(central);

    m_openPages
        = new OpenPages(m_webPage, m_tabBar, m_prompter, m_settings, m_programDirectory, this);
    connect(m_openPages, &OpenPages::pageStateChanged, this, &MainWindow::setPageState);
    connect(m_openPages, &OpenPages::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_openPages, &OpenPages::statusText, m_panels[2], &QLabel::setText);
    connect(m_openPages, &OpenPages::saveEnabledChanged, this, &MainWindow::setSaveEnabled);
    connect(m_openPages, &OpenPages::recentFilesChanged, this, &MainWindow::SetLastFilesMenu);
    m_openPages->setHelperTipHook(helperTipHook());
    m_activeBackup = new ActivePageBackup(m_webPage, m_openPages, this);
    m_activeBackup->watchWindow(this);
    connect(m_activeBackup, &ActivePageBackup::statusText, m_panels[2], &QLabel::setText);

    connect(m_webPage, &EditorControl::CaretMoved, this, &MainWindow::showCaret);
    connect(m_webPage, &EditorControl::OnKeyUp, this, &MainWindow::onKeyUp);
    connect(m_webPage, &EditorControl::OnChangeMode, this, &MainWindow::onInsertModeChanged);
    connect(m_fileTabs, &QTabWidget::currentChanged, this, &MainWindow::FileTabsChange);
    m_passwords = std::make_unique<PasswordStore>();
    m_projectCommands
        = new ProjectCommands(m_outline, m_openPages, m_webPage, m_prompter, m_settings,
                              m_programDirectory, m_passwords.get(), this);
    connect(m_fileList, &FileListPane::fileActivated, this, &MainWindow::onFileListActivated);
    m_editCommands = new EditCommands({ m_webPage, m_spareEditor, m_mainSplitter, m_openPages,
                                        m_settings, m_prompter, m_programDirectory },
                                      this);
    m_editCommands->setHelperTipHook(helperTipHook());
    m_editCommands->setPreview(m_htmlSplit);
    m_editCommands->setFullScreenPreview(m_htmlFull);

    m_preview
        = new PreviewController(m_webPage, m_htmlSplit, m_htmlFrames, m_htmlFull, m_prompter, this);
    m_preview->setPageDirectory([this] { return m_openPages->currentDirectory(); });
    m_preview->setHelperTipHook(helperTipHook());
    m_previewCommands = new PreviewCommands(
        { m_preview,
          m_htmlSplit,
          m_htmlFull,
          { m_toolsPanel, m_mainSplitter },
          [this] { return OpenPages::formCaption(m_openPages->currentFileName()); } },
        this);
    connect(m_previewCommands, &PreviewCommands::captionChanged, this, &QWidget::setWindowTitle);
    m_previewPopup = new PreviewPopup(m_webPage, m_prompter, this);
    m_previewPopup->setPageOpen([this] { return m_openPages->count() > 0; });
    m_previewPopup->attach(m_htmlSplit);
    m_previewPopup->attach(m_htmlFull);
    connect(m_previewPopup, &PreviewPopup::refreshRequested, m_preview,
            &PreviewController::UpdateWebView);
    connect(m_previewPopup, &PreviewPopup::sourceFound, this, [this] {
        m_preview->HideFullScreen();
        m_webPage->setFocus();
    });
    m_projectMenu = new ProjectMenu(m_outline, m_projectCommands, m_preview, this);
    auto *publish = new PublishCommands(m_projectMenu, m_outline, m_openPages, m_prompter,
                                        m_settings, m_passwords.get(), this);
    m_siteCheck = SiteCheckCommands::install(this, m_projectMenu, publish, m_outline, m_openPages,
                                             m_prompter, m_settings);
    m_projectSearch
        = ProjectSearchCommands::install(this, m_projectMenu, m_outline, m_openPages, m_prompter);
    m_pageDetails = new PageDetailsCommands(
        m_webPage, m_prompter, [this] { return m_openPages->currentFileName(); }, this);
    connect(m_openPages, &OpenPages::pageStateChanged, m_pageDetails,
            &PageDetailsCommands::setPageOpen);
    m_browsers = std::make_unique<ExternalBrowsers>(m_webPage, m_prompter);
    connect(m_preview, &PreviewController::statusText, m_panels[2], &QLabel::setText);
    connect(m_preview, &PreviewController::framesVisibilityChanged, this, [this](bool shown) {
        // The frame-set renderer takes the preview's place and width while it
        // is shown, and gives both back: left alone, the splitter would bring
        // the normal preview back with no width at all.
        QList<int> sizes = m_splitScreen->sizes();
        const int leaving = shown ? 1 : 2;
        const int coming = shown ? 2 : 1;
        if (sizes.size() == 3) {
            sizes[coming] = sizes.at(leaving);
            sizes[leaving] = 0;
        }
        m_htmlSplit->setVisible(!shown);
        m_htmlFrames->setVisible(shown);
        if (sizes.size() == 3)
            m_splitScreen->setSizes(sizes);
    });
    connect(m_openPages, &OpenPages::refreshPreview, m_preview, &PreviewController::UpdateWebView);
    connect(m_openPages, &OpenPages::previewToTop, this, [this] { m_htmlSplit->SetPosition(0); });
    connect(m_fileList, &FileListPane::fileClicked, m_preview,
            &PreviewController::FileListBox1Click);
    connect(m_editCommands, &EditCommands::refreshPreview, m_preview,
            &PreviewController::refreshWhileTyping);

    m_tagCommands = new TagCommands(
        { m_webPage, m_spareEditor, m_prompter,
          [this] {
              const DefaultsSettings &d = m_settings->Defaults;
              return TagSettings { d.UseClosingP, d.UseBR, d.FontSizeChange };
          },
          [this] { return m_preview->fullScreen(); }, [this] { m_preview->UpdateWebView(); },
          [this] { return m_openPages->currentDirectory(); } },
        this);
    toolsLayout->insertWidget(1, m_tagCommands->ewsPanel());
    toolsLayout->addWidget(m_tagCommands->powerBook());
    connect(m_openPages, &OpenPages::pageStateChanged, m_tagCommands, &TagCommands::setPageOpen);
    connect(m_openPages, &OpenPages::tabSwitched, m_tagCommands, &TagCommands::pageShown);
    m_cleanupCommands = new CleanupCommands({ m_webPage, m_prompter, &m_tagCommands->inserter(),
                                              &m_tagCommands->bodySettings(), m_htmlSplit,
                                              [this] { m_preview->UpdateWebView(); },
                                              [this] { return m_openPages->currentDirectory(); } },
                                            this);
    connect(m_openPages, &OpenPages::pageStateChanged, m_cleanupCommands,
            &CleanupCommands::setPageOpen);
    m_tagCommands->tagAwareEditing()->setBodyStatement(
        [this] { m_cleanupCommands->EditBodyStatementClick(); });
    m_openPages->setBeforeSave([this] {
        if (m_settings->Defaults.AutoTimeStamp)
            m_cleanupCommands->tools().stampBeforeSave();
    });
    auto *wizards = new WizardCommands({ m_webPage, m_openPages, m_settings, m_prompter,
                                         m_programDirectory, &m_tagCommands->bodySettings() },
                                       this);
    connect(wizards, &WizardCommands::refreshPreview, m_preview, &PreviewController::UpdateWebView);
    m_userTagSettings = std::make_unique<UserTagSettings>(m_settings);
    m_userTags
        = new UserTagCommands({ m_programDirectory, &m_tagCommands->inserter(), m_prompter,
                                m_userTagSettings.get(), m_webPage, m_spareEditor,
                                [this] { return m_settings->Defaults.ExpandCharstoHTML; }, this },
                              this);
    m_userTags->addPages(m_tagCommands->powerBook());
    connect(m_openPages, &OpenPages::pageStateChanged, m_userTags, &UserTagCommands::setPageOpen);

    // The buttons act on the parts made above.
    m_speedButtons = new SpeedButtons(
        buttonPanel, { m_openPages, m_editCommands, m_preview, m_previewCommands }, this);
    connect(m_speedButtons, &SpeedButtons::openRequested, this, &MainWindow::Open1Click);
    connect(m_speedButtons, &SpeedButtons::browserRequested, this,
            [this] { ViewPageinBrowserClick(0); });
    connect(m_speedButtons, &SpeedButtons::splitToggled, this, &MainWindow::SpeedButton31Click);
    connect(m_editCommands, &EditCommands::clipboardButtonsChanged, m_speedButtons,
            &SpeedButtons::setClipboardButtons);
}

QAction *MainWindow::menuAction(QMenu *menu, const QString &caption, const QString &hint)
{
    QAction *action = menu->addAction(caption);
    action->setStatusTip(hint);
    return action;
}

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    connect(menuAction(file, QStringLiteral("&New")), &QAction::triggered, m_openPages,
            &OpenPages::New1Click);
    connect(menuAction(file, QStringLiteral("&Open ...")), &QAction::triggered, this,
            &MainWindow::Open1Click);
    m_saveAction = menuAction(file, QStringLiteral("&Save"));
    m_saveAction->setShortcut(Qt::Key_F2);
    connect(m_saveAction, &QAction::triggered, m_openPages, &OpenPages::Save1Click);
    m_saveAsAction = menuAction(file, QStringLiteral("Save &As..."));
    connect(m_saveAsAction, &QAction::triggered, m_openPages, &OpenPages::SaveAs1Click);
    m_closePageAction = menuAction(file, QStringLiteral("&Close Page"));
    connect(m_closePageAction, &QAction::triggered, m_openPages, &OpenPages::CloseActivePage);
    m_closeAllAction = menuAction(file, QStringLiteral("C&lose All"));
    connect(m_closeAllAction, &QAction::triggered, m_openPages, &OpenPages::CloseAllPages);
    file->addSeparator();
    m_editCommands->addPrintItems(file);
    file->addSeparator();
    connect(menuAction(file, QStringLiteral("E&xit")), &QAction::triggered, this,
            &MainWindow::Exit1Click);
    file->addSeparator();
    for (int i = 0; i < 4; ++i) {
        QAction *recent = file->addAction(QStringLiteral("&%1").arg(i + 1));
        recent->setObjectName(QStringLiteral("Last%1").arg(i + 1));
        recent->setVisible(false);
        connect(recent, &QAction::triggered, this, &MainWindow::onRecentFile);
        m_recentActions.append(recent);
    }

    m_projectsMenu = menuBar()->addMenu(QStringLiteral("P&rojects"));
    m_displayProjects = menuAction(m_projectsMenu, QStringLiteral("Di&splay Projects"));
    m_projectMenu->fillProjectsMenu(m_projectsMenu);
    m_displayProjects->setCheckable(true);
    m_displayProjects->setChecked(true);
    connect(m_displayProjects, &QAction::toggled, this, &MainWindow::DisplayProjectsClick);
    connect(m_speedButtons, &SpeedButtons::projectPaneToggled, m_displayProjects, &QAction::toggle);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    m_editCommands->fillEditMenu(edit);
    m_tagCommands->fillEditMenu(edit);
    m_cleanupCommands->fillEditMenu(edit);
    m_editCommands->enableWithPageSelection(m_cleanupCommands->rainbowizeAction());
    QMenu *search = menuBar()->addMenu(QStringLiteral("&Search"));
    m_editCommands->fillSearchMenu(search);
    auto *spell = new SpellCommands(
        { m_editCommands, m_webPage, m_openPages, m_settings, m_prompter, m_programDirectory },
        this);
    connect(spell, &SpellCommands::refreshPreview, m_preview, &PreviewController::UpdateWebView);
    spell->attach(search, m_speedButtons->pasteButton());
    search->addSeparator();
    QAction *searchSource = menuAction(search, QStringLiteral("Search Source"));
    m_editCommands->enableWithPreviewSelection(searchSource);
    connect(searchSource, &QAction::triggered, this, [this] {
        m_previewPopup->setTarget(m_preview->fullScreen() ? m_htmlFull : m_htmlSplit);
        m_previewPopup->SearchSourceClick();
    });
    if (QMenu *popup = m_editCommands->editorPopup()) {
        auto *refreshView = new QAction(QStringLiteral("Refresh View"), popup);
        connect(refreshView, &QAction::triggered, m_preview, &PreviewController::UpdateWebView);
        QAction *first = popup->actions().value(0);
        popup->insertActions(first, { refreshView, m_pageDetails->popupAction() });
        popup->insertSeparator(first);
        m_tagCommands->fillEditorPopup(m_editCommands->editorPopupEditMenu());
    }
    m_projectSearch->fillSearchMenu(search);
    QMenu *page = menuBar()->addMenu(QStringLiteral("&Page"));
    page->addAction(m_pageDetails->evaluateAction());
    QAction *refresh
        = menuAction(page, QStringLiteral("&Refresh HTML"), QStringLiteral("Refresh HTML Viewer"));
    refresh->setShortcut(Qt::Key_F5);
    connect(refresh, &QAction::triggered, m_preview, &PreviewController::UpdateWebView);
    QAction *checkCursor = m_tagCommands->checkCursorPositionAction();
    page->addAction(checkCursor);
    for (int i = 0; i < 2; ++i) {
        m_browserItems[i] = menuAction(page, QString());
        connect(m_browserItems[i], &QAction::triggered, this,
                [this, i] { ViewPageinBrowserClick(i); });
    }
    connect(page, &QMenu::aboutToShow, this, &MainWindow::Page1Click);
    m_editCommands->watchMenu(page, { refresh, checkCursor });
    QMenu *insert = menuBar()->addMenu(QStringLiteral("&Insert"));
    m_tagCommands->fillInsertMenu(insert);
    auto *generators = m_generators = new GeneratorCommands(
        { m_webPage,
          m_prompter,
          &m_tagCommands->inserter(),
          m_preview,
          [this] { return m_openPages->currentDirectory(); },
          helperTipHook(),
          m_tagCommands->powerBook(),
          insert,
          m_htmlSplit,
          file,
          m_programDirectory,
          [this](const QString &path) { return m_openPages->LoadFile(path, false); },
          [this](const QString &path) { return m_openPages->ShowOpenPage(path); },
          m_splitScreen,
          [this] { return m_settings->Defaults.GraphicExtension; },
          [this] { return m_settings->Defaults.Extension; },
          [this] { m_openPages->New1Click(); },
          [this] { return m_openPages->currentFileName(); },
          {},
          [this] {
              const int active = m_openPages->activeIndex();
              const bool cp1252 = active >= 0
                  && m_openPages->page(active).format.encoding
                      == TextFileFormat::Encoding::Windows1252;
              return cp1252 ? QStringLiteral("windows-1252") : QStringLiteral("utf-8");
          } },
        this);
    connect(m_openPages, &OpenPages::pageStateChanged, generators, &GeneratorCommands::setPageOpen);
    generators->setPageOpen(m_openPages->count() > 0);
    connect(m_projectCommands, &ProjectCommands::framePageOpened, generators,
            &GeneratorCommands::StartFrameWizeGuy);
    connect(m_projectCommands, &ProjectCommands::templatePageOpened, generators,
            &GeneratorCommands::TemplateWizeGuy1Click);
    m_editCommands->watchMenu(insert, insert->actions());
    QMenu *codes = m_tagCommands->htmlCodesMenu();
    m_cleanupCommands->fillHtmlCodesMenu(codes);
    menuBar()->addMenu(codes);
    m_editCommands->watchMenu(codes, codes->actions());
    m_userTags->fillHtmlCodesMenu(codes, m_tagCommands->htmlCodesMenu()->headings());
    buildOptionsMenu();
    menuBar()->addAction(m_previewCommands->fullViewAction());
    m_previewCommands->fillHistoryMenu(menuBar()->addMenu(QStringLiteral("His&tory")));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    m_editCommands->watchMenu(help);
    m_help = new HelpCommands(*m_prompter, *m_tips, m_programDirectory, this);
    m_help->fillHelpMenu(help);

    // The menus' keys reach them while an editor has the focus.
    for (EditorControl *editor : { m_webPage, m_spareEditor })
        editor->ReleaseKeys(menuBar()->actions());
    // Settings a command changes are stored once it is done.
    for (QAction *entry : menuBar()->actions()) {
        if (QMenu *menu = entry->menu())
            connect(menu, &QMenu::triggered, this, &MainWindow::scheduleSettingsSave);
    }
}

void MainWindow::buildOptionsMenu()
{
    m_optionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
    connect(m_optionsMenu, &QMenu::aboutToShow, m_preview, &PreviewController::HideFullScreen);
    m_viewImages = menuAction(m_optionsMenu, QStringLiteral("&View inline images"));
    m_viewImages->setCheckable(true);
    m_viewImages->setChecked(m_settings->Defaults.ShowImages);
    connect(m_viewImages, &QAction::triggered, this, &MainWindow::Viewinlineimages1Click);
    m_optionsMenu->addSeparator();
    connect(menuAction(m_optionsMenu, QStringLiteral("&Editor Options...")), &QAction::triggered,
            this, &MainWindow::EditorFontOptions1Click);
    connect(menuAction(m_optionsMenu, QStringLiteral("&General Preferences...")),
            &QAction::triggered, this, &MainWindow::GeneralPreferences1Click);
    m_optionsMenu->addAction(m_userTags->customizeButtonsAction());
    m_optionsMenu->addSeparator();
    m_optionsMenu->addAction(m_editCommands->toggleInternalClipboardAction());
    m_optionsMenu->addAction(m_userTags->specialCharactersAction());
    m_editCommands->watchMenu(m_optionsMenu, { m_viewImages });
}

void MainWindow::Viewinlineimages1Click(bool checked)
{
    m_tips->ShowHelperTip(5);
    m_settings->Defaults.ShowImages = checked;
    m_htmlSplit->SetViewImages(checked);
    m_htmlFull->SetViewImages(checked);
    m_preview->UpdateWebView();
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    const int widths[3] = { 75, 75, 450 };
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setMinimumWidth(widths[i]);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        bar->addWidget(m_panels[i], i == 2 ? 1 : 0);
    }
}

QString MainWindow::statusPanel(int panel) const
{
    return m_panels[panel]->text();
}

void MainWindow::showStatusText(const QString &text)
{
    m_panels[2]->setText(text);
}

// ---------------------------------------------------------------- life cycle

void MainWindow::FormCreate()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        qApp->installEventFilter(this); // hints on or off
        m_webPage->SetTagHighlightColors(QColor(0, 0, 255), QColor(255, 255, 255));
        ReadIni();
        m_projectCommands->loadTree();
    } catch (...) {
        reportException("FormCreate");
    }
    QGuiApplication::restoreOverrideCursor();
}

void MainWindow::FormShow()
{
    try {
        if (m_settings->WindowAttributes.Width < 1) {
            // First run: wide enough for the whole tool panel.
            const int wanted = m_toolsPanel->sizeHint().width() + 10;
            if (width() < wanted)
                resize(wanted, height());
        }
        m_panels[1]->setText(QStringLiteral("Insert"));
        m_settings->Defaults.TabSize = m_webPage->TabStopSize();
        m_settings->Defaults.AutoIndent = m_webPage->AutoIndent();
        m_webPage->SetModified(false);
        m_userTags->buildButtons();
        m_editCommands->LoadSpareEditorContents();
        m_editCommands->CheckClipboard();
        setPageState(m_openPages->count() > 0);
        const QString last = m_settings->LastFiles.File1;
        if (m_settings->LastFiles.AutoLoad && !last.isEmpty() && QFileInfo(last).isFile())
            m_openPages->LoadFile(last, false);
    } catch (...) {
        reportException("FormShow");
    }
    refreshFileFilter();
}

// The tip of the day greets the user once a run, at the first activation
// with no page open. Showing it at every activation would bring it straight
// back when its own window closes and hands the focus back.
void MainWindow::FormActivate()
{
    try {
        if (m_tipOfTheDayShown || !m_shownOnce || !m_settings->Helpers.ShowTipOfTheDay
            || m_openPages->count() > 0)
            return;
        // Not on top of a question still open (a recovery at start): the
        // window is activated again once it is answered.
        if (QApplication::activeModalWidget())
            return;
        m_tipOfTheDayShown = true;
        m_tips->ShowTipOfTheDay();
    } catch (...) {
        reportException("FormActivate");
    }
}

bool MainWindow::FormCloseQuery()
{
    return m_openPages->CloseAllPages();
}

void MainWindow::FormClose()
{
    try {
        m_projectCommands->saveTree();
        SaveIni();
        m_editCommands->SaveSpareEditorContents();
    } catch (...) {
        reportException("FormClose");
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void MainWindow::openFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        m_openPages->LoadFile(QFileInfo(path).absoluteFilePath(), false);
    const QString welcome = m_programDirectory + QStringLiteral("Welcome/readme.htm");
    if (paths.isEmpty() && m_firstStart && m_openPages->count() == 0 && QFileInfo(welcome).isFile())
        m_openPages->LoadFile(welcome, true);
}

// ---------------------------------------------------------------- settings

void MainWindow::ReadIni()
{
    m_firstStart = m_settings->isFirstStart();
    if (const Result read = m_settings->ReadIni(); !read)
        m_prompter->warning(read.error());
    applySettings();
}

void MainWindow::applySettings()
{
    const DefaultsSettings &d = m_settings->Defaults;
    const WindowAttributesSettings &w = m_settings->WindowAttributes;

    m_preview->setAutoUpdate(d.AutoUpdate);
    m_preview->setExtensions(d.Extension, d.GraphicExtension);
    m_htmlSplit->SetViewImages(d.ShowImages);
    m_htmlFull->SetViewImages(d.ShowImages);
    if (m_viewImages)
        m_viewImages->setChecked(d.ShowImages);

    refreshFileFilter();
    if (!d.ShowProjectPanel)
        m_displayProjects->setChecked(false);

    EditorAppearance::applyAtStart(
        *m_webPage, d, m_settings->store().contains(QStringLiteral("Defaults/AutoIndent")));

    m_splitScreen->setOrientation(w.SplitDirection != 0 ? Qt::Vertical : Qt::Horizontal);
    // Bar 1 in percent of the area: the editor on one side, the preview on the other.
    const int editorShare = w.SplitPosition >= 1 ? std::min(w.SplitPosition, 100) : 50;
    m_splitScreen->setSizes(
        { editorShare * 10, (100 - editorShare) * 10, (100 - editorShare) * 10 });

    if (w.Width >= 1) {
        if (w.Maximized) {
            setWindowState(windowState() | Qt::WindowMaximized);
        } else {
            // Keep the window reachable when the screens changed since the last run.
            QRect geometry(w.Left, w.Top, w.Width, std::max(w.Height, 200));
            if (const QScreen *screen = QGuiApplication::screenAt(geometry.center()); !screen)
                geometry.moveTo(0, 0);
            move(geometry.topLeft());
            resize(geometry.size());
        }
    }
    if (!d.ShowHints)
        m_help->setHintsShown(false);

    followEditorLook();
    applyPreviewDefaults(EditorAppearance::fromEditor(*m_webPage, d));
    m_tagCommands->setLightsOn(d.UseEWS);
    m_tagCommands->setCompletionOn(d.AutoComplete);
    m_userTags->applyPageSettings(UserTagSettings::pageSettings(d));

    // The first start shows the project tree with the Welcome site, as the
    // guide's first steps have it; later starts the page the user left.
    const bool fileListPage
        = !m_firstStart && (d.FileTabPage != 0 || d.FileTabs == fileListPageCaption);
    m_fileTabs->setCurrentIndex(fileListPage ? 1 : 0);
    FileTabsChange(m_fileTabs->currentIndex());
    // The program directory holds the Welcome site and the user's projects.
    const QString listed = m_settings->LastFiles.DefaultDir;
    m_fileList->setDirectory(listed.isEmpty() ? m_programDirectory : listed);

    SetLastFilesMenu();
}

void MainWindow::SaveIni()
{
    collectSettings();
    if (const Result saved = m_settings->SaveIni(); !saved)
        m_prompter->warning(saved.error());
}

void MainWindow::collectSettings()
{
    WindowAttributesSettings &w = m_settings->WindowAttributes;
    w.Maximized = isMaximized();
    const QRect geometry = isMaximized() ? normalGeometry() : QRect(pos(), size());
    w.Top = geometry.top();
    w.Left = geometry.left();
    w.Width = geometry.width();
    w.Height = geometry.height();
    w.SplitDirection = m_splitScreen->orientation() == Qt::Vertical ? 1 : 0;
    const QList<int> sizes = m_splitScreen->sizes();
    const int total = sizes.value(0) + sizes.value(1) + sizes.value(2);
    if (total > 0)
        w.SplitPosition = std::max(1, sizes.value(0) * 100 / total);

    DefaultsSettings &d = m_settings->Defaults;
    d.FileTabPage = m_fileTabs->currentIndex() == 0 ? 0 : 1;
    d.FileTabs = m_fileTabs->tabText(m_fileTabs->currentIndex());
    d.ShowProjectPanel = m_displayProjects->isChecked();
    d.ShowHints = m_help->hintsShown();
    m_settings->LastFiles.DefaultDir = m_fileList->directory();
    UserTagSettings::storeCaptions(d, m_userTags->customCaptions());
}

void MainWindow::scheduleSettingsSave()
{
    if (m_settingsSavePending)
        return;
    m_settingsSavePending = true;
    QTimer::singleShot(0, this, &MainWindow::saveSettingsIfChanged);
}

void MainWindow::saveSettingsIfChanged()
{
    m_settingsSavePending = false;
    // Until the window is shown the values are still those just read.
    if (!m_shownOnce)
        return;
    collectSettings();
    if (!m_settings->changedSinceSave())
        return;
    if (const Result saved = m_settings->SaveIni(); !saved) {
        if (!m_settingsSaveFailed)
            m_prompter->warning(saved.error());
        m_settingsSaveFailed = true;
        return;
    }
    emit settingsSaved();
}

void MainWindow::refreshFileFilter()
{
    m_fileList->setFilter(
        FileFilter::build(m_settings->Defaults.Extension, m_settings->Defaults.GraphicExtension));
}

// ---------------------------------------------------------------- commands

void MainWindow::Page1Click()
{
    // Only the browsers the user has chosen are offered.
    const DefaultsSettings &d = m_settings->Defaults;
    const QString programs[] = { d.Browser1, d.Browser2 };
    for (int i = 0; i < 2; ++i) {
        const bool configured = !programs[i].trimmed().isEmpty();
        m_browserItems[i]->setVisible(configured);
        m_browserItems[i]->setEnabled(configured && m_openPages->count() > 0);
        if (configured)
            m_browserItems[i]->setText(ExternalBrowsers::menuCaption(programs[i]));
    }
}

void MainWindow::ViewPageinBrowserClick(int browser)
{
    const DefaultsSettings &d = m_settings->Defaults;
    m_tips->ShowHelperTip(3);
    m_browsers->LaunchBrowser(browser == 0 ? d.Browser1 : d.Browser2,
                              browser == 0 ? d.Browser1Prefix : d.Browser2Prefix,
                              m_openPages->currentDirectory());
}

void MainWindow::setPageState(bool anyPageOpen)
{
    m_webPage->setEnabled(anyPageOpen);
    m_previewCommands->setPageOpen(anyPageOpen);
    m_speedButtons->setPageState(anyPageOpen, !m_settings->Defaults.Browser1.trimmed().isEmpty());
    for (QAction *a : { m_saveAsAction, m_closePageAction, m_closeAllAction })
        a->setEnabled(anyPageOpen);
    if (anyPageOpen)
        showCaret(m_webPage->CaretLine(), m_webPage->CaretColumn());
    if (!anyPageOpen) {
        setSaveEnabled(false);
        m_panels[0]->clear();
        setWindowTitle(OpenPages::formCaption(QString()));
    }
    m_editCommands->updateClipboardButtons();
}

void MainWindow::setSaveEnabled(bool enabled)
{
    m_speedButtons->setSaveEnabled(enabled && m_openPages->count() > 0);
    m_saveAction->setEnabled(m_openPages->count() > 0);
}

void MainWindow::SetLastFilesMenu()
{
    const QStringList files = m_settings->LastFiles.files();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        const QString path = files.value(i);
        QAction *action = m_recentActions.at(i);
        // "&1 " to "&4 ": Alt+F then the digit opens the file.
        action->setText(QStringLiteral("&%1 ").arg(i + 1) + plainMenuText(path));
        action->setData(path);
        action->setVisible(!path.isEmpty());
    }
}

void MainWindow::onRecentFile()
{
    if (auto *action = qobject_cast<QAction *>(sender()))
        m_openPages->Last4Click(action->data().toString());
}

void MainWindow::DisplayProjectsClick(bool checked)
{
    const int total = std::max(1, m_mainSplitter->width());
    const int paneWidth = checked ? total / 4 : 0;
    m_mainSplitter->setSizes({ paneWidth, total - paneWidth });
}

void MainWindow::SpeedButton31Click()
{
    m_splitScreen->setOrientation(m_splitScreen->orientation() == Qt::Horizontal ? Qt::Vertical
                                                                                 : Qt::Horizontal);
}

void MainWindow::GeneralPreferences1Click()
{
    GeneralSettingsDialog dialog(*m_settings, *m_prompter, helperTipHook(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    refreshFileFilter();
    const DefaultsSettings &d = m_settings->Defaults;
    m_preview->setAutoUpdate(d.AutoUpdate);
    m_preview->setExtensions(d.Extension, d.GraphicExtension);
    m_userTags->applyPageSettings(UserTagSettings::pageSettings(d));
    // The browser button follows a browser chosen or removed just now.
    setPageState(m_openPages->count() > 0);
}

void MainWindow::EditorFontOptions1Click()
{
    EditorSettingsDialog dialog(
        *m_webPage, *m_settings, helperTipHook(),
        [this](const EditorAppearance &applied) {
            followEditorLook();
            applyPreviewDefaults(applied);
            m_tagCommands->setCompletionOn(applied.autoComplete);
        },
        this);
    dialog.exec();
    m_tagCommands->setLightsOn(m_settings->Defaults.UseEWS);
}

// The project tree, the page tabs and the internal clipboard look like the editor.
void MainWindow::followEditorLook()
{
    QPalette treePalette = m_outline->palette();
    treePalette.setColor(QPalette::Base, m_webPage->Color());
    m_outline->setPalette(treePalette);
    m_outline->setFont(m_webPage->Font());
    m_tabBar->setFont(m_webPage->Font());
    m_fileList->setListFont(m_webPage->Font());
    // The internal clipboard is an editor like the page's and looks the same.
    m_spareEditor->SetFont(m_webPage->Font());
    m_spareEditor->SetFontColor(m_webPage->FontColor());
    m_spareEditor->SetColor(m_webPage->Color());
    m_spareEditor->SetTabStopSize(m_webPage->TabStopSize());
    m_spareEditor->SetWordWrap(m_webPage->WordWrap());
    m_spareEditor->SetScrollBars(m_webPage->ScrollBars());
}

void MainWindow::applyPreviewDefaults(const EditorAppearance &a)
{
    for (Renderer *renderer : { m_htmlSplit, m_htmlFull, m_htmlFrames }) {
        renderer->SetDefFontName(a.htmlFontName);
        renderer->SetDefFontSize(a.htmlFontSize);
        renderer->SetDefFontColor(a.htmlFontColor);
        renderer->SetDefBackground(a.htmlBackground);
    }
}

std::function<void(int)> MainWindow::helperTipHook()
{
    return [this](int number) { m_tips->ShowHelperTip(number); };
}

void MainWindow::FileTabsChange(int index)
{
    // The project commands work on the tree, so they follow its page.
    m_projectsMenu->setEnabled(index == 0);
}

void MainWindow::Open1Click()
{
    m_generators->OpenHTMLPageClick(
        FileFilter::build(m_settings->Defaults.Extension, m_settings->Defaults.GraphicExtension),
        m_openPages->currentDirectory().isEmpty() ? m_fileList->directory()
                                                  : m_openPages->currentDirectory());
}

void MainWindow::Exit1Click()
{
    close();
}

void MainWindow::onFileListActivated(const QString &path)
{
    // A picture shows in the preview at the first click; it is not a page to edit.
    if (!PreviewController::isPictureFile(path) && !m_openPages->IsSelectedFileOpen(path, true))
        m_openPages->LoadFile(path, false);
}

void MainWindow::showCaret(int line, int column)
{
    if (m_openPages->count() == 0)
        return; // the empty editor has no caret worth showing
    m_panels[0]->setText(QStringLiteral("%1:%2").arg(line).arg(column));
}

void MainWindow::onKeyUp(int key)
{
    m_preview->WebPageKeyUp(key);
    // The mode stays readable next to the key code.
    const QString mode
        = m_webPage->InsertMode() ? QStringLiteral("Insert") : QStringLiteral("Overwrite");
    m_panels[1]->setText(mode + QLatin1Char(' ') + QString::number(VirtualKey::fromQtKey(key)));
}

void MainWindow::onInsertModeChanged(bool insertMode)
{
    m_panels[1]->setText(insertMode ? QStringLiteral("Insert") : QStringLiteral("Overwrite"));
}

// ---------------------------------------------------------------- events

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // The hint of the control under the mouse goes to the hint panel.
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        if (!tip.isEmpty())
            m_panels[2]->setText(tip);
        return true;
    }
    if (event->type() == QEvent::WindowActivate) {
        const bool handled = QMainWindow::event(event);
        // Not from inside the activation itself: the tip window is modal.
        QTimer::singleShot(0, this, &MainWindow::FormActivate);
        return handled;
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip && m_help && !m_help->hintsShown())
        return true;
    // A dialog that closes may have changed settings (its OK stores them, or
    // its caller does once it returns).
    if (event->type() == QEvent::Hide && qobject_cast<QDialog *>(watched))
        scheduleSettingsSave();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace Tarnwick

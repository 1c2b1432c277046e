// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QTabBar;
class QTabWidget;

namespace Tarnwick {

class ActivePageBackup;
class EditCommands;
struct EditorAppearance;
class EditorControl;
class FileListPane;
class GeneratorCommands;
class HelpCommands;
class OpenPages;
class PageDetailsCommands;
class PasswordStore;
class ProjectCommands;
class ProjectMenu;
class ExternalBrowsers;
class PreviewCommands;
class PreviewController;
class PreviewPopup;
class ProjectOutline;
class Renderer;
class Prompter;
class Settings;
class SiteCheckCommands;
class ProjectSearchCommands;
class SpeedButtons;
class CleanupCommands;
class TagCommands;
class Tips;
class UserTagCommands;
class UserTagSettings;

// The main window: assembles the parts, wires the commands to the classes
// that carry them out and applies the settings. It holds no feature logic.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(const QString &programDirectory, Settings *settings, Prompter *prompter,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    OpenPages *openPages() const { return m_openPages; }
    SiteCheckCommands *siteCheck() const { return m_siteCheck; }
    ProjectSearchCommands *projectSearch() const { return m_projectSearch; }
    ActivePageBackup *activePageBackup() const { return m_activeBackup; }
    EditorControl *editor() const { return m_webPage; }
    EditorControl *spareEditor() const { return m_spareEditor; }
    EditCommands *editCommands() const { return m_editCommands; }
    TagCommands *tagCommands() const { return m_tagCommands; }
    CleanupCommands *cleanupCommands() const { return m_cleanupCommands; }
    UserTagCommands *userTags() const { return m_userTags; }
    ProjectOutline *projectTree() const { return m_outline; }
    FileListPane *fileList() const { return m_fileList; }
    QString programDirectory() const { return m_programDirectory; }
    QString statusPanel(int panel) const;
    void showStatusText(const QString &text); // status panel 2
    Tips &tips() const { return *m_tips; }
    // The "&Options" menu; every preference command goes here.
    QMenu *optionsMenu() const { return m_optionsMenu; }
    // Shows a helper tip by number; for the parts that explain a feature.
    std::function<void(int)> helperTipHook();

    // Opens the files named on the command line (not in a project). With
    // none at the program's first start, the Welcome site's readme opens.
    void openFiles(const QStringList &paths);

signals:
    // The settings were written to the store while the program runs.
    void settingsSaved();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();

    void buildRegions();
    void buildMenus();
    void buildOptionsMenu();
    void buildStatusBar();
    QAction *menuAction(QMenu *menu, const QString &caption, const QString &hint = QString());

    void ReadIni();
    void applySettings();
    void SaveIni();
    // What the settings take from controls and the window at this moment.
    void collectSettings();
    // A menu command or a dialog may have changed a setting: once the event
    // loop is back, whatever changed is written, so a crash cannot lose it.
    void scheduleSettingsSave();
    void saveSettingsIfChanged();

    void setPageState(bool anyPageOpen);
    void Page1Click();
    void Viewinlineimages1Click(bool checked);
    void ViewPageinBrowserClick(int browser);
    void SetLastFilesMenu();
    void DisplayProjectsClick(bool checked);
    void SpeedButton31Click();
    void GeneralPreferences1Click();
    void EditorFontOptions1Click();
    void followEditorLook();
    // The previews' default font and colours, from the stored settings.
    void applyPreviewDefaults(const EditorAppearance &appearance);
    void FileTabsChange(int index);
    void Open1Click();
    void Exit1Click();
    void onRecentFile();
    void onFileListActivated(const QString &path);
    void showCaret(int line, int column);
    void onKeyUp(int key);
    void onInsertModeChanged(bool insertMode);
    void setSaveEnabled(bool enabled);
    void refreshFileFilter();
    void reportException(const char *routine);

    QString m_programDirectory;
    Settings *m_settings;
    Prompter *m_prompter;

    QWidget *m_toolsPanel = nullptr;
    QSplitter *m_mainSplitter = nullptr;
    QTabWidget *m_fileTabs = nullptr;
    ProjectOutline *m_outline = nullptr;
    FileListPane *m_fileList = nullptr;
    QSplitter *m_splitScreen = nullptr;
    QWidget *m_webPageTabs = nullptr;
    QTabBar *m_tabBar = nullptr;
    EditorControl *m_webPage = nullptr;
    EditorControl *m_spareEditor = nullptr;
    Renderer *m_htmlSplit = nullptr;
    Renderer *m_htmlFrames = nullptr;
    Renderer *m_htmlFull = nullptr;
    PreviewController *m_preview = nullptr;
    PreviewPopup *m_previewPopup = nullptr;
    PreviewCommands *m_previewCommands = nullptr;
    std::unique_ptr<ExternalBrowsers> m_browsers;
    std::unique_ptr<PasswordStore> m_passwords; // the desktop keyring, for FTP passwords
    QAction *m_browserItems[2] = {};
    QAction *m_viewImages = nullptr;
    OpenPages *m_openPages = nullptr;
    ActivePageBackup *m_activeBackup = nullptr;
    EditCommands *m_editCommands = nullptr;
    ProjectCommands *m_projectCommands = nullptr;
    SiteCheckCommands *m_siteCheck = nullptr;
    ProjectSearchCommands *m_projectSearch = nullptr;
    ProjectMenu *m_projectMenu = nullptr;
    PageDetailsCommands *m_pageDetails = nullptr;
    TagCommands *m_tagCommands = nullptr;
    CleanupCommands *m_cleanupCommands = nullptr;
    std::unique_ptr<UserTagSettings> m_userTagSettings;
    UserTagCommands *m_userTags = nullptr;
    QLabel *m_panels[3] = {};
    SpeedButtons *m_speedButtons = nullptr;
    GeneratorCommands *m_generators = nullptr;
    HelpCommands *m_help = nullptr;

    std::unique_ptr<Tips> m_tips;
    QMenu *m_projectsMenu = nullptr;
    QMenu *m_optionsMenu = nullptr;
    QAction *m_saveAction = nullptr;
    QAction *m_saveAsAction = nullptr;
    QAction *m_closePageAction = nullptr;
    QAction *m_closeAllAction = nullptr;
    QAction *m_displayProjects = nullptr;
    QList<QAction *> m_recentActions;

    bool m_shownOnce = false;
    bool m_tipOfTheDayShown = false; // at most once a run, see FormActivate
    bool m_firstStart = false; // nothing was stored before this run
    bool m_settingsSavePending = false;
    bool m_settingsSaveFailed = false; // told once a run, not at every command
    int m_projectPaneWidth = 0;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QTimer;
class QUrl;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;

// Keeps the rendered preview in step with the page source: refreshes it on
// demand and while typing, shows frame sets through their own renderer,
// switches between split and full-screen view, walks the previews' history
// and decides what a click on a link in a preview does.
class PreviewController final : public QObject
{
    Q_OBJECT

public:
    PreviewController(EditorControl *editor, Renderer *htmlSplit, Renderer *htmlFrames,
                      Renderer *htmlFull, Prompter *prompter, QObject *parent = nullptr);

    // What the history buttons and the "His&tory" menu show for a renderer.
    struct HistoryView
    {
        bool backEnabled = false;
        bool forwardEnabled = false;
        QStringList entries; // newest first, at most ten
        int current = -1; // index into entries, -1 when empty
    };
    static HistoryView historyView(const Renderer &renderer);

    // The full-view button's hint and the menu bar command's caption.
    static QString fullViewHint(bool fullScreen);
    static QString fullViewCaption(bool fullScreen);

    // The directory of the page under edit; relative addresses resolve there.
    void setPageDirectory(std::function<QString()> directory);
    void setAutoUpdate(bool on) { m_autoUpdate = on; }
    // Comma-separated extension lists, as stored in the settings.
    void setExtensions(const QString &pageExtensions, const QString &graphicExtensions);
    // Opens addresses in the system's browser; tests replace it.
    void setUrlOpener(std::function<bool(const QUrl &)> opener);
    // Shows a helper tip by its number.
    void setHelperTipHook(std::function<void(int tipNumber)> showTip);

    void UpdateWebView();
    // Shows the editor's text, scrolled to position or, without one, where it stands.
    void RefreshViewer(std::optional<int> position, Renderer *renderer);
    void RefreshFrames(Renderer *frameRenderer);

    // Refresh while typing: every key from Insert (45) up, Backspace and
    // Space; navigation, Enter, Tab and modifier keys do not refresh.
    static bool refreshesPreview(int virtualKey);
    void WebPageKeyUp(int qtKey);
    // A refresh asked for by typing. A page longer than LargePageLength
    // characters is refreshed only once typing pauses for TypingPauseMs, as
    // every load of it keeps the engine busy for seconds; the status bar
    // says so meanwhile.
    void refreshWhileTyping();
    static constexpr int LargePageLength = 2 * 1024 * 1024;
    static constexpr int TypingPauseMs = 800;
    bool waitingForPause() const;
    static QString largePageWaits();

    bool framesShown() const { return m_framesShown; }
    // A refresh asked for during a load waits for its end.
    bool refreshWaiting() const { return m_refreshWaiting; }

    // Full-screen view: HTMLFull takes the window with what the editor holds
    // when it is entered.
    bool fullScreen() const { return m_fullScreen; }
    void View1Click();
    void HideFullScreen();

    // Back (true) or forward (false) one entry in the history of both
    // previews. Back from the oldest entry shows the editor's text again.
    void FwdBackClick(bool back);
    // Makes entry `index` of the history current in both previews.
    void HistoryClick(int index);

    // Shows a page of the program's own (the image gallery) in HTMLSplit in
    // the normal page layout, frame sets or not.
    void showPage(const QString &html, const QString &baseDirectory);
    // Shows a page file in HTMLSplit without opening it in the editor.
    void ViewPage1Click(const QString &path);
    // A file clicked in the file list: a picture is shown as a picture, any
    // other file as an HTML document.
    void FileListBox1Click(const QString &path);
    // GIF, JPEG, BMP and PNG files, by their extension.
    static bool isPictureFile(const QString &path);

Q_SIGNALS:
    // HTMLFrames takes the preview area (true) or gives it back.
    void framesVisibilityChanged(bool shown);
    void statusText(const QString &text);
    // A link to an image: its file name, for the image box of the Images tool
    // page. Without a receiver the preview follows the link and shows the image.
    void imageLinkClicked(const QString &fileName);
    void fullScreenChanged(bool fullScreen);
    // The history of HTMLSplit or HTMLFull changed.
    void historyChanged(Renderer *renderer);

private:
    void HTMLSplitHotSpotClick(Renderer *renderer, const QString &address, bool *handled);
    void refreshFromEditor(Renderer *renderer);

    EditorControl *m_editor;
    Renderer *m_htmlSplit;
    Renderer *m_htmlFrames;
    Renderer *m_htmlFull;
    Prompter *m_prompter;
    std::function<QString()> m_pageDirectory;
    std::function<bool(const QUrl &)> m_openUrl;
    std::function<void(int)> m_showHelperTip;
    QStringList m_pageExtensions;
    QStringList m_graphicExtensions;
    bool m_autoUpdate = false;
    bool m_updating = false;
    bool m_refreshWaiting = false; // asked for while HTMLSplit was loading
    bool m_framesShown = false;
    bool m_fullScreen = false;
    QTimer *m_typingPause;
};

} // namespace Tarnwick

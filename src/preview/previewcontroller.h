// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QUrl;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;

// Keeps the rendered preview in step with the page source: refreshes it on
// demand and while typing, shows frame sets through their own renderer and
// decides what a click on a link in the preview does.
class PreviewController final : public QObject
{
    Q_OBJECT

public:
    PreviewController(EditorControl *editor, Renderer *htmlSplit, Renderer *htmlFrames,
                      Prompter *prompter, QObject *parent = nullptr);

    // The directory of the page under edit; relative addresses resolve there.
    void setPageDirectory(std::function<QString()> directory);
    void setAutoUpdate(bool on) { m_autoUpdate = on; }
    // Comma-separated extension lists, as stored in the settings.
    void setExtensions(const QString &pageExtensions, const QString &graphicExtensions);
    // Opens addresses in the system's browser; tests replace it.
    void setUrlOpener(std::function<bool(const QUrl &)> opener);

    void UpdateWebView();
    void RefreshViewer(int position, Renderer *renderer);
    void RefreshFrames(Renderer *frameRenderer);

    // Refresh while typing: every key from Insert (45) up, Backspace and
    // Space; navigation, Enter, Tab and modifier keys do not refresh.
    static bool refreshesPreview(int virtualKey);
    void WebPageKeyUp(int qtKey);

    bool framesShown() const { return m_framesShown; }

Q_SIGNALS:
    // HTMLFrames takes the preview area (true) or gives it back.
    void framesVisibilityChanged(bool shown);
    void statusText(const QString &text);
    // A link to an image: its file name, for the image box of the Images tool page.
    void imageLinkClicked(const QString &fileName);

private:
    void HTMLSplitHotSpotClick(const QString &address, bool *handled);

    EditorControl *m_editor;
    Renderer *m_htmlSplit;
    Renderer *m_htmlFrames;
    Prompter *m_prompter;
    std::function<QString()> m_pageDirectory;
    std::function<bool(const QUrl &)> m_openUrl;
    QStringList m_pageExtensions;
    QStringList m_graphicExtensions;
    bool m_autoUpdate = false;
    bool m_updating = false;
    bool m_framesShown = false;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewcontroller.h"

#include "previewfile.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "platform/textfile.h"
#include "platform/virtualkey.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMetaMethod>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>

namespace Tarnwick {

namespace {

QStringList extensionList(const QString &list)
{
    QStringList result;
    for (const QString &item : list.split(u',', Qt::SkipEmptyParts)) {
        QString extension = item.trimmed().toLower();
        while (extension.startsWith(u'.')) // ".htm" means htm, as in the file filter
            extension.remove(0, 1);
        if (!extension.isEmpty())
            result << extension;
    }
    return result;
}

} // namespace

PreviewController::PreviewController(EditorControl *editor, Renderer *htmlSplit,
                                     Renderer *htmlFrames, Renderer *htmlFull, Prompter *prompter,
                                     QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_htmlSplit(htmlSplit)
    , m_htmlFrames(htmlFrames)
    , m_htmlFull(htmlFull)
    , m_prompter(prompter)
    , m_pageDirectory([] { return QDir::currentPath(); })
    , m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
    , m_typingPause(new QTimer(this))
{
    m_typingPause->setSingleShot(true);
    m_typingPause->setInterval(TypingPauseMs);
    connect(m_typingPause, &QTimer::timeout, this, [this] {
        Q_EMIT statusText(QString());
        UpdateWebView();
    });
    for (Renderer *renderer : { m_htmlSplit, m_htmlFrames, m_htmlFull })
        connect(renderer, &Renderer::hotSpotCovered, this, &PreviewController::statusText);
    for (Renderer *renderer : { m_htmlSplit, m_htmlFull }) {
        renderer->SetHistoryMaxCount(10);
        connect(
            renderer, &Renderer::hotSpotClicked, this,
            [this, renderer](const QString &address, bool *handled) {
                HTMLSplitHotSpotClick(renderer, address, handled);
            },
            Qt::DirectConnection);
        connect(renderer, &Renderer::historyChanged, this,
                [this, renderer] { Q_EMIT historyChanged(renderer); });
    }
    // Refreshes asked for while the preview loaded collapse into one, so the
    // preview always ends up showing what the editor holds.
    connect(m_htmlSplit, &Renderer::loadFinished, this, [this] {
        if (m_refreshWaiting && !m_htmlSplit->Busy()) {
            m_refreshWaiting = false;
            UpdateWebView();
        }
    });
}

PreviewController::HistoryView PreviewController::historyView(const Renderer &renderer)
{
    HistoryView view;
    view.entries = renderer.History();
    if (view.entries.isEmpty())
        return view;
    view.current = renderer.HistoryIndex();
    view.forwardEnabled = view.current > 0;
    // Back stays on at the oldest entry: it leads back to the editor's text.
    view.backEnabled = view.current < view.entries.size();
    return view;
}

QString PreviewController::fullViewHint(bool fullScreen)
{
    return fullScreen ? QStringLiteral("View HTML document in split screen")
                      : QStringLiteral("View HTML document in full screen");
}

QString PreviewController::fullViewCaption(bool fullScreen)
{
    return fullScreen ? QStringLiteral("&View Split Screen!")
                      : QStringLiteral("&View Full Screen!");
}

void PreviewController::setPageDirectory(std::function<QString()> directory)
{
    m_pageDirectory = std::move(directory);
}

void PreviewController::setExtensions(const QString &pageExtensions,
                                      const QString &graphicExtensions)
{
    m_pageExtensions = extensionList(pageExtensions);
    m_graphicExtensions = extensionList(graphicExtensions);
}

void PreviewController::setUrlOpener(std::function<bool(const QUrl &)> opener)
{
    m_openUrl = std::move(opener);
}

void PreviewController::setHelperTipHook(std::function<void(int)> showTip)
{
    m_showHelperTip = std::move(showTip);
}

void PreviewController::UpdateWebView()
{
    if (m_updating)
        return;
    m_updating = true;
    const auto clear = qScopeGuard([this] { m_updating = false; });

    if (m_fullScreen) {
        // The full-screen view keeps what it shows; the hidden split view
        // follows the editor so that it is current when the user returns.
        RefreshViewer(0, m_htmlSplit);
        return;
    }

    // While the preview loads, this refresh waits for the load's end, and
    // takes the place of one waiting already: refreshes never pile up, and
    // the text is not even copied until it is its turn.
    if (m_htmlSplit->Busy()) {
        m_refreshWaiting = true;
        return;
    }

    // Looking in a copy of the text leaves the editor's caret, selection,
    // scroll position and search string exactly as the user had them.
    const QString text = m_editor->GetTextBuffer();
    const bool frameSet = text.contains(QLatin1String("<frameset "), Qt::CaseInsensitive);
    if (frameSet != m_framesShown) {
        m_framesShown = frameSet;
        Q_EMIT framesVisibilityChanged(frameSet);
    }

    RefreshViewer(std::nullopt, m_htmlSplit);

    if (frameSet) {
        const QString directory = m_pageDirectory();
        if (!QFileInfo(directory).isDir())
            m_prompter->error(QStringLiteral("Error changing default directory."));
        else if (Result written = PreviewFile::write(*m_editor, directory); !written)
            m_prompter->error(written.error());
        else
            RefreshFrames(m_htmlFrames);
    }
}

void PreviewController::RefreshViewer(std::optional<int> position, Renderer *renderer)
{
    const QString text = m_editor->GetTextBuffer();
    if (text.isEmpty()) {
        renderer->Clear();
        return;
    }
    renderer->SetImageCacheCount(0);
    renderer->LoadFromBuffer(text, m_pageDirectory());
    if (position)
        renderer->SetPosition(*position);
    else
        renderer->KeepPosition();
}

void PreviewController::RefreshFrames(Renderer *frameRenderer)
{
    if (m_editor->TextLength() == 0) {
        frameRenderer->Clear();
        return;
    }
    frameRenderer->LoadFromFile(PreviewFile::path(m_pageDirectory()));
}

bool PreviewController::refreshesPreview(int virtualKey)
{
    return virtualKey >= 45 || virtualKey == 8 || virtualKey == 32;
}

void PreviewController::WebPageKeyUp(int qtKey)
{
    if (m_autoUpdate && refreshesPreview(VirtualKey::fromQtKey(qtKey)))
        refreshWhileTyping();
}

void PreviewController::refreshWhileTyping()
{
    if (m_editor->TextLength() <= LargePageLength) {
        UpdateWebView();
        return;
    }
    if (!m_typingPause->isActive())
        Q_EMIT statusText(largePageWaits());
    m_typingPause->start(); // each key starts the pause anew
}

bool PreviewController::waitingForPause() const
{
    return m_typingPause->isActive();
}

QString PreviewController::largePageWaits()
{
    return QStringLiteral("Large page: the preview follows when you pause typing");
}

void PreviewController::View1Click()
{
    if (m_fullScreen) {
        m_fullScreen = false;
        Q_EMIT fullScreenChanged(false);
        return;
    }
    if (m_showHelperTip)
        m_showHelperTip(2);
    m_fullScreen = true;
    Q_EMIT fullScreenChanged(true);
    RefreshViewer(0, m_htmlFull);
}

void PreviewController::HideFullScreen()
{
    if (m_fullScreen)
        View1Click();
}

void PreviewController::refreshFromEditor(Renderer *renderer)
{
    if (renderer == m_htmlSplit)
        UpdateWebView();
    else if (m_fullScreen)
        RefreshViewer(0, renderer);
}

void PreviewController::FwdBackClick(bool back)
{
    for (Renderer *renderer : { m_htmlSplit, m_htmlFull }) {
        const int index = renderer->HistoryIndex();
        const int length = int(renderer->History().size());
        if (back) {
            if (length > 0 && index + 1 == length)
                refreshFromEditor(renderer);
            else
                renderer->SetHistoryIndex(index + 1);
        } else if (index > 0) {
            renderer->SetHistoryIndex(index - 1);
        }
    }
}

void PreviewController::HistoryClick(int index)
{
    m_htmlSplit->SetHistoryIndex(index);
    m_htmlFull->SetHistoryIndex(index);
}

void PreviewController::ViewPage1Click(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_prompter->error(QStringLiteral("File not found: ") + path);
        return;
    }
    m_htmlSplit->LoadFromFile(path);
}

bool PreviewController::isPictureFile(const QString &path)
{
    static const QStringList pictures
        = { QStringLiteral("gif"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
            QStringLiteral("bmp"), QStringLiteral("png") };
    return pictures.contains(QFileInfo(path).suffix().toLower());
}

void PreviewController::showPage(const QString &html, const QString &baseDirectory)
{
    if (m_framesShown) {
        m_framesShown = false;
        Q_EMIT framesVisibilityChanged(false);
    }
    // A refresh still waiting would cover the page with the editor's text.
    m_refreshWaiting = false;
    m_htmlSplit->LoadFromBuffer(html, baseDirectory);
}

void PreviewController::FileListBox1Click(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return;
    if (isPictureFile(path)) {
        m_htmlSplit->LoadFromFile(path);
        return;
    }
    const Expected<TextFileContent> read = TextFile::read(path);
    if (read)
        m_htmlSplit->LoadFromBuffer(read->text, QFileInfo(path).absolutePath());
}

void PreviewController::HTMLSplitHotSpotClick(Renderer *renderer, const QString &address,
                                              bool *handled)
{
    const QUrl url(address);
    const QString path = url.isLocalFile() ? url.toLocalFile() : address;
    const QString fileName = QFileInfo(path).fileName();
    // The part between the first and second "." of the name: the extension
    // of a plain file name.
    const QString part = fileName.section(u'.', 1, 1).toLower();

    // A picture goes to the image box when there is one to take it;
    // otherwise the preview shows the picture itself.
    const bool imageBox
        = isSignalConnected(QMetaMethod::fromSignal(&PreviewController::imageLinkClicked));
    if (imageBox && !part.isEmpty() && m_graphicExtensions.contains(part)) {
        Q_EMIT imageLinkClicked(fileName);
        *handled = true;
        return;
    }
    const bool web = address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    if (web) {
        m_openUrl(url);
        *handled = true;
        return;
    }
    if (!part.isEmpty() && m_pageExtensions.contains(part) && url.isLocalFile()) {
        renderer->LoadFromFile(path);
        *handled = true;
    }
}

} // namespace Tarnwick

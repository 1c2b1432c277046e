// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewcontroller.h"

#include "previewfile.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "platform/virtualkey.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>

namespace Tarnwick {

namespace {

QStringList extensionList(const QString &list)
{
    QStringList result;
    for (const QString &item : list.split(u',', Qt::SkipEmptyParts))
        result << item.trimmed().toLower();
    return result;
}

} // namespace

PreviewController::PreviewController(EditorControl *editor, Renderer *htmlSplit,
                                     Renderer *htmlFrames, Prompter *prompter, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_htmlSplit(htmlSplit)
    , m_htmlFrames(htmlFrames)
    , m_prompter(prompter)
    , m_pageDirectory([] { return QDir::currentPath(); })
    , m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    connect(m_htmlSplit, &Renderer::hotSpotCovered, this, &PreviewController::statusText);
    connect(m_htmlFrames, &Renderer::hotSpotCovered, this, &PreviewController::statusText);
    connect(m_htmlSplit, &Renderer::hotSpotClicked, this, &PreviewController::HTMLSplitHotSpotClick,
            Qt::DirectConnection);
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

void PreviewController::UpdateWebView()
{
    if (m_updating)
        return;
    m_updating = true;
    const auto clear = qScopeGuard([this] { m_updating = false; });

    // Looking in a copy of the text leaves the editor's caret, selection,
    // scroll position and search string exactly as the user had them.
    const QString text = m_editor->GetTextBuffer();
    const bool frameSet = text.contains(QLatin1String("<frameset "), Qt::CaseInsensitive);
    if (frameSet != m_framesShown) {
        m_framesShown = frameSet;
        Q_EMIT framesVisibilityChanged(frameSet);
    }

    if (!m_htmlSplit->Busy())
        RefreshViewer(m_htmlSplit->Position(), m_htmlSplit);

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

void PreviewController::RefreshViewer(int position, Renderer *renderer)
{
    const QString text = m_editor->GetTextBuffer();
    if (text.isEmpty()) {
        renderer->Clear();
        return;
    }
    renderer->SetImageCacheCount(0);
    renderer->LoadFromBuffer(text, m_pageDirectory());
    renderer->SetPosition(position);
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
        UpdateWebView();
}

void PreviewController::HTMLSplitHotSpotClick(const QString &address, bool *handled)
{
    const QUrl url(address);
    const QString path = url.isLocalFile() ? url.toLocalFile() : address;
    const QString fileName = QFileInfo(path).fileName();
    // The part between the first and second "." of the name: the extension
    // of a plain file name.
    const QString part = fileName.section(u'.', 1, 1).toLower();

    if (!part.isEmpty() && m_graphicExtensions.contains(part)) {
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
        m_htmlSplit->LoadFromFile(path);
        *handled = true;
    }
}

} // namespace Tarnwick

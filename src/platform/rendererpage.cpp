// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rendererpage.h"

namespace Tarnwick {

RendererPage::RendererPage(QWebEngineProfile *profile, const QString &messagePrefix, QObject *parent)
    : QWebEnginePage(profile, parent)
    , m_messagePrefix(messagePrefix)
{
}

void RendererPage::setNavigationFilter(NavigationFilter filter)
{
    m_filter = std::move(filter);
}

bool RendererPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    return m_filter ? m_filter(url, type, isMainFrame) : true;
}

void RendererPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                            int lineNumber, const QString &sourceId)
{
    if (message.startsWith(m_messagePrefix)) {
        emit scriptMessage(message.mid(m_messagePrefix.size()));
        return;
    }
    // The page's own messages are of no interest to the editor.
    Q_UNUSED(level)
    Q_UNUSED(lineNumber)
    Q_UNUSED(sourceId)
}

} // namespace Tarnwick

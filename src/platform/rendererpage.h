// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWebEnginePage>

#include <functional>

namespace Tarnwick {

// The web page behind a Renderer: hands navigation decisions and the
// messages of the renderer's own page scripts to the renderer.
class RendererPage final : public QWebEnginePage
{
    Q_OBJECT

public:
    // Returns whether the engine may go ahead with the navigation.
    using NavigationFilter = std::function<bool(const QUrl &url, NavigationType type, bool isMainFrame)>;
    // Console messages starting with this prefix come from the renderer's
    // scripts; the rest of the message goes to scriptMessage.
    RendererPage(QWebEngineProfile *profile, const QString &messagePrefix, QObject *parent = nullptr);

    void setNavigationFilter(NavigationFilter filter);

signals:
    void scriptMessage(const QString &message);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceId) override;

private:
    QString m_messagePrefix;
    NavigationFilter m_filter;
};

} // namespace Tarnwick

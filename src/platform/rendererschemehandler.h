// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace Tarnwick {

// Serves a renderer's in-memory document and, beside it, the files of its
// base directory. A document handed over as text is addressed as
// "<scheme>:/base/directory/?document=N", so that relative addresses in it
// resolve to "<scheme>:/base/directory/name", which this handler reads from
// disk on every request (nothing is cached, changed files show at once).
// Serving the text this way has no size limit, unlike a data: address.
class RendererSchemeHandler final : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    static const QByteArray &scheme();
    // Registers the scheme; must run before the application object exists.
    static void registerScheme();

    explicit RendererSchemeHandler(QObject *parent = nullptr);

    // Stores the document and returns the address it is served at.
    QUrl setDocument(const QString &text, const QString &baseDirectory);
    // True for the address of the current document (the fragment is ignored).
    bool isDocument(const QUrl &url) const;
    // The address a user sees: a file: URL (the base directory for the document itself).
    static QUrl toFileUrl(const QUrl &url);

    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    QByteArray m_document;
    QUrl m_documentUrl;
    quint64 m_generation = 0;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>
#include <QTemporaryDir>
#include <QUrl>

namespace Tarnwick {

// A document a renderer is handed as text. It is written to a file of the
// renderer's own and loaded from there: the engine streams a file in large
// pieces, while a reply served from memory comes in small ones that it lays
// out one by one, which made a large page take two to three times as long.
// A <base> element names the directory the text belongs to, so that its
// relative addresses (images, style sheets, links, forms) resolve where the
// user's page lives.
class RendererDocument
{
public:
    // Writes text as the new document; answers the address to load it from.
    Expected<QUrl> write(const QString &text, const QString &baseDirectory);

    // The base directory of the document written last, as a file: URL
    // ending in "/"; this is the address a user sees for the document.
    QUrl baseUrl() const { return m_baseUrl; }
    // True for an address of the document file itself (query and fragment ignored).
    bool isDocument(const QUrl &url) const;
    // True for an address within the document: its base directory itself,
    // with or without a fragment, which is what "#name" resolves to.
    bool isWithinDocument(const QUrl &url) const;

    // The text as it is written: a <base> element naming base goes after a
    // leading doctype, comments and processing instructions, so that the
    // document keeps its rendering mode. A page with a <base> of its own
    // keeps it unchanged.
    static QString withBase(const QString &text, const QUrl &base);
    // The directory as a file: URL ending in "/" (the working directory when empty).
    static QUrl directoryUrl(const QString &directory);

private:
    QTemporaryDir m_dir { QDir::tempPath() + QStringLiteral("/tarnwick-preview-XXXXXX") };
    QUrl m_documentUrl;
    QUrl m_baseUrl;
    quint64 m_generation = 0;
};

} // namespace Tarnwick

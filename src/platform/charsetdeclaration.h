// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace Tarnwick {

// The encoding declaration of an HTML page, looked at and added in the page's
// bytes, whose markup is ASCII in both encodings a page may have.
class CharsetDeclaration final
{
public:
    CharsetDeclaration() = delete;

    // "utf-8" or "windows-1252": how a page of these bytes is read and saved.
    static QByteArray charsetOf(const QByteArray &page);
    // Whether a META tag of the page names its encoding (charset= in any form).
    static bool declared(QByteArrayView page);
    // The page with <meta charset="..."> right after its HEAD tag: on a line
    // of its own, in the line end that follows the tag, or straight after the
    // tag when none does. Unchanged when the page declares its encoding
    // already or has no HEAD tag.
    static QByteArray withDeclaration(const QByteArray &page, QByteArrayView charset);
};

} // namespace Tarnwick

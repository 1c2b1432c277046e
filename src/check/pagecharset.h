// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/sitefinding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace Tarnwick {

// The encoding a page declares against the encoding its bytes are in: what
// makes accented letters turn into two odd characters, or into question
// marks, once the page is on a server.
class PageCharset final
{
public:
    PageCharset() = delete;

    struct Declaration
    {
        QByteArray name; // lower case, as written: "utf-8", "windows-1252", "iso-8859-1"...
        int line = 1; // of the META tag, from 1
        int column = 1; // of its "<", from 1
    };
    // The first META tag that names an encoding: <meta charset="...">, or
    // <meta http-equiv="Content-Type" content="...; charset=...">.
    static std::optional<Declaration> declared(const QByteArray &page);

    enum class Bytes {
        Ascii, // nothing but ASCII: every declaration reads it the same
        Utf8, // non-ASCII bytes, all of them well-formed UTF-8
        Other, // bytes that are no UTF-8: a single-byte code page such as Windows-1252
    };
    struct Reading
    {
        Bytes bytes = Bytes::Ascii;
        // Where the first non-ASCII byte (Utf8) or the first byte that is no
        // UTF-8 (Other) is; line and column from 1, the column counted in bytes.
        int line = 0;
        int column = 0;
        bool byteOrderMark = false; // the bytes start with the UTF-8 byte-order mark
    };
    static Reading read(QByteArrayView page);

    // "utf-8" and "utf8" are UTF-8; the Western single-byte names
    // (windows-1252, iso-8859-1, latin1, us-ascii...) are Windows-1252, as
    // browsers read them. Other names are neither.
    static bool isUtf8(const QByteArray &name);
    static bool isWestern(const QByteArray &name);

    // The findings for one page: its declaration against its bytes.
    static QList<SiteFinding> check(const QByteArray &page, const QString &path);
};

} // namespace Tarnwick

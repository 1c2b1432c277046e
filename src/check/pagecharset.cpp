// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/pagecharset.h"

#include "preview/pagereferences.h"

#include <QRegularExpression>

namespace Tarnwick {

namespace {

// The length of the UTF-8 sequence that starts at `at`, 0 when none does:
// shortest forms only, no surrogates, nothing above U+10FFFF.
int sequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        const unsigned char min = i == 1 ? low : 0x80;
        const unsigned char max = i == 1 ? high : 0xBF;
        if (next < min || next > max)
            return 0;
    }
    return length;
}

QString displayName(const QByteArray &name)
{
    return PageCharset::isUtf8(name) ? QStringLiteral("UTF-8") : QString::fromLatin1(name);
}

} // namespace

std::optional<PageCharset::Declaration> PageCharset::declared(const QByteArray &page)
{
    static const QRegularExpression inContent(
        QStringLiteral("charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    // Latin-1 keeps one character per byte, so columns are byte columns.
    const QString text = QString::fromLatin1(page);
    std::optional<Declaration> found;
    PageReferences::forEachTag(text, [&](const PageTag &tag) {
        if (found || tag.name.compare(QLatin1String("meta"), Qt::CaseInsensitive) != 0)
            return;
        QString name;
        if (const PageAttribute *charset = tag.attribute(QLatin1String("charset"));
            charset && charset->hasValue) {
            name = charset->value.trimmed();
        } else if (const PageAttribute *content = tag.attribute(QLatin1String("content"));
                   content && tag.attribute(QLatin1String("http-equiv"))) {
            const QRegularExpressionMatch match = inContent.match(content->value);
            if (match.hasMatch())
                name = match.captured(1);
        }
        if (!name.isEmpty())
            found = Declaration { name.toLower().toLatin1(), tag.line, tag.column + 1 };
    });
    return found;
}

PageCharset::Reading PageCharset::read(QByteArrayView page)
{
    Reading reading;
    qsizetype at = 0;
    if (page.startsWith("\xEF\xBB\xBF")) {
        reading.byteOrderMark = true;
        at = 3;
    }
    int line = 1;
    qsizetype lineStart = 0;
    const qsizetype n = page.size();
    while (at < n) {
        const unsigned char c = static_cast<unsigned char>(page[at]);
        if (c == '\n') {
            ++line;
            lineStart = at + 1;
            ++at;
            continue;
        }
        if (c < 0x80) {
            ++at;
            continue;
        }
        const int length = sequenceLength(page, at);
        if (length == 0) {
            reading.bytes = Bytes::Other;
            reading.line = line;
            reading.column = int(at - lineStart) + 1;
            return reading;
        }
        if (reading.bytes == Bytes::Ascii) {
            reading.bytes = Bytes::Utf8;
            reading.line = line;
            reading.column = int(at - lineStart) + 1;
        }
        at += length;
    }
    return reading;
}

bool PageCharset::isUtf8(const QByteArray &name)
{
    return name == "utf-8" || name == "utf8";
}

bool PageCharset::isWestern(const QByteArray &name)
{
    static const QList<QByteArray> western
        = { "windows-1252", "cp1252",  "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1",
            "latin1",       "latin-1", "l1",       "us-ascii",   "ascii",     "iso-8859-15",
            "iso8859-15",   "latin9",  "cp819",    "ibm819" };
    return western.contains(name);
}

QList<SiteFinding> PageCharset::check(const QByteArray &page, const QString &path)
{
    using Kind = SiteFinding::Kind;
    using Severity = SiteFinding::Severity;
    QList<SiteFinding> found;
    const auto add = [&](int line, int column, Severity severity, const QString &message) {
        found.append({ path, line, column, severity, Kind::Charset, message });
    };
    // A page in UTF-16 is a matter of its own, and rare: it is not judged here.
    if (page.startsWith("\xFF\xFE") || page.startsWith("\xFE\xFF"))
        return found;
    const Reading reading = read(page);
    const std::optional<Declaration> declaration = declared(page);
    if (!declaration) {
        if (reading.byteOrderMark && reading.bytes != Bytes::Other)
            return found; // the byte-order mark says UTF-8, and browsers follow it
        if (reading.bytes == Bytes::Utf8)
            add(reading.line, reading.column, Severity::Warning,
                QStringLiteral("non-ASCII text but no declared encoding; the bytes are UTF-8: "
                               "add <meta charset=\"utf-8\">"));
        else if (reading.bytes == Bytes::Other)
            add(reading.line, reading.column, Severity::Warning,
                QStringLiteral("non-ASCII text but no declared encoding; the bytes are not "
                               "UTF-8 (Windows-1252?): add <meta charset=\"windows-1252\">"));
        return found;
    }
    const QString name = displayName(declaration->name);
    if (isUtf8(declaration->name) && reading.bytes == Bytes::Other) {
        add(reading.line, reading.column, Severity::Error,
            QStringLiteral("declares UTF-8 (line %1) but this byte is not UTF-8: the page's "
                           "bytes look like Windows-1252")
                .arg(declaration->line));
    } else if (isWestern(declaration->name) && reading.byteOrderMark) {
        add(declaration->line, declaration->column, Severity::Error,
            QStringLiteral("declares %1 but the file starts with a UTF-8 byte-order mark")
                .arg(name));
    } else if (isWestern(declaration->name) && reading.bytes == Bytes::Utf8) {
        add(reading.line, reading.column, Severity::Error,
            QStringLiteral("declares %1 (line %2) but the text from here is UTF-8: each "
                           "accented letter will show as two characters")
                .arg(name)
                .arg(declaration->line));
    } else if (isUtf8(declaration->name) || isWestern(declaration->name)) {
        // as declared
    } else if (reading.bytes != Bytes::Ascii) {
        add(declaration->line, declaration->column, Severity::Note,
            QStringLiteral("declares %1; its bytes were not checked against it").arg(name));
    }
    return found;
}

} // namespace Tarnwick

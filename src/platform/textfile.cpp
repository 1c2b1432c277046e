// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include "platform/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>
#include <optional>

namespace Tarnwick {

namespace {

// Windows-1252 for 0x80..0x9F. The five bytes the code page leaves undefined
// map to the C1 control of the same value, so every byte survives a round trip.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QByteArray utf8Bom("\xEF\xBB\xBF");

std::optional<char> toCp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (size_t i = 0; i < cp1252High.size(); ++i) {
        if (cp1252High[i] == c)
            return char(0x80 + i);
    }
    return std::nullopt;
}

bool isCp1252(const QString &text)
{
    for (QChar c : text) {
        if (!toCp1252(c.unicode()))
            return false;
    }
    return true;
}

QString fromCp1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *out++ = QChar(b >= 0x80 && b <= 0x9F ? cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p < length)
            return false;
        if (p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i) {
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        }
        p += length;
    }
    return true;
}

TextFileFormat::LineEnd dominantLineEnd(const QByteArray &bytes)
{
    qsizetype lf = 0, crlf = 0, cr = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++lf;
        } else if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++crlf;
                ++i;
            } else {
                ++cr;
            }
        }
    }
    // Ties go to LF, then CRLF; a file without line breaks counts as LF.
    if (lf >= crlf && lf >= cr)
        return TextFileFormat::LineEnd::LF;
    if (crlf >= cr)
        return TextFileFormat::LineEnd::CRLF;
    return TextFileFormat::LineEnd::CR;
}

} // namespace

QString TextFile::normaliseLineEnds(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

TextFileContent TextFile::decode(const QByteArray &bytes)
{
    TextFileContent content;
    content.format.lineEnd = dominantLineEnd(bytes);
    if (isValidUtf8(bytes)) {
        QByteArrayView body(bytes);
        if (bytes.startsWith(utf8Bom)) {
            content.format.utf8Bom = true;
            body = body.sliced(utf8Bom.size());
        }
        // Only the first BOM is the file's mark; a second one is text.
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        content.text = decoder.decode(body);
        content.format.encoding = TextFileFormat::Encoding::Utf8;
    } else {
        content.text = fromCp1252(bytes);
        content.format.encoding = TextFileFormat::Encoding::Windows1252;
    }
    content.text = normaliseLineEnds(content.text);
    return content;
}

TextFileFormat TextFile::effectiveFormat(const QString &text, const TextFileFormat &format)
{
    TextFileFormat result = format;
    if (format.encoding == TextFileFormat::Encoding::Windows1252 && !isCp1252(text)) {
        result.encoding = TextFileFormat::Encoding::Utf8;
        result.utf8Bom = false;
    }
    if (result.encoding == TextFileFormat::Encoding::Windows1252)
        result.utf8Bom = false;
    return result;
}

QByteArray TextFile::encode(const QString &text, const TextFileFormat &format)
{
    const TextFileFormat used = effectiveFormat(text, format);
    QString lines = normaliseLineEnds(text);
    switch (used.lineEnd) {
    case TextFileFormat::LineEnd::LF:
        break;
    case TextFileFormat::LineEnd::CRLF:
        lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        break;
    case TextFileFormat::LineEnd::CR:
        lines.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        break;
    }

    if (used.encoding == TextFileFormat::Encoding::Utf8) {
        QByteArray bytes = lines.toUtf8();
        if (used.utf8Bom)
            bytes.prepend(utf8Bom);
        return bytes;
    }
    QByteArray bytes(lines.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (QChar c : std::as_const(lines))
        *out++ = *toCp1252(c.unicode()); // effectiveFormat() made sure it is representable
    return bytes;
}

Expected<TextFileContent> TextFile::read(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (QFileInfo(path).isDir()) {
        return Expected<TextFileContent>::failure(
            QStringLiteral("Could not read \"%1\": it is a directory.").arg(shown));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Expected<TextFileContent>::failure(
            QStringLiteral("Could not read \"%1\": %2").arg(shown, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return Expected<TextFileContent>::failure(
            QStringLiteral("Could not read \"%1\": %2").arg(shown, file.errorString()));
    }
    return decode(bytes);
}

Result TextFile::write(const QString &path, const QString &text, const TextFileFormat &format)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QByteArray bytes = encode(text, format);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Result::failure(
            QStringLiteral("Could not write \"%1\": %2").arg(shown, file.errorString()));
    if (!FileOps::writeAll(file, bytes)) {
        const QString error = file.errorString();
        file.cancelWriting();
        return Result::failure(QStringLiteral("Could not write \"%1\": %2").arg(shown, error));
    }
    if (!file.commit())
        return Result::failure(
            QStringLiteral("Could not write \"%1\": %2").arg(shown, file.errorString()));
    return Result::success();
}

} // namespace Tarnwick

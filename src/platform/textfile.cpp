// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include "platform/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
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

// Bytes that only a binary file has this many of: C0 controls other than
// tab, line feed, form feed and carriage return, and DEL.
bool looksLikeText(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return false;
    qsizetype controls = 0;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b < 0x20 && b != '\t' && b != '\n' && b != '\f' && b != '\r') || b == 0x7F)
            ++controls;
    }
    return controls * 10 <= bytes.size();
}

// nullopt when text holds a character the code page cannot.
std::optional<QByteArray> toCp1252Bytes(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        const std::optional<char> b = toCp1252(c.unicode());
        if (!b)
            return std::nullopt;
        *out++ = *b;
    }
    return bytes;
}

// Windows-1252 bytes that the reader would take for UTF-8: they read back as
// other text (pure ASCII reads the same either way).
bool readsAsUtf8(const QByteArray &cp1252)
{
    const bool high
        = std::any_of(cp1252.begin(), cp1252.end(), [](char ch) { return ch & char(0x80); });
    return high && isValidUtf8(cp1252);
}

// Calls f(code point, the character as a string) for each character of text.
template<typename F> void forEachCharacter(const QString &text, F f)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, text.at(i + 1)), text.sliced(i, 2));
            ++i;
        } else {
            f(char32_t(c.unicode()), text.sliced(i, 1));
        }
    }
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
    content.looksLikeText = looksLikeText(bytes);
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
    const QString raw = std::move(content.text);
    content.format.lineEnds = LineEnds::read(raw, &content.text, &content.format.lineEnd);
    return content;
}

QString TextFile::rawText(const QByteArray &bytes, TextFileFormat *format)
{
    TextFileFormat read;
    QString raw;
    if (isValidUtf8(bytes)) {
        QByteArrayView body(bytes);
        if (bytes.startsWith(utf8Bom)) {
            read.utf8Bom = true;
            body = body.sliced(utf8Bom.size());
        }
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        raw = decoder.decode(body);
    } else {
        raw = fromCp1252(bytes);
        read.encoding = TextFileFormat::Encoding::Windows1252;
    }
    if (format)
        *format = read;
    return raw;
}

std::optional<QByteArray> TextFile::rawBytes(const QString &raw, const TextFileFormat &format)
{
    if (format.encoding == TextFileFormat::Encoding::Windows1252)
        return toCp1252Bytes(raw);
    QByteArray bytes = raw.toUtf8();
    if (format.utf8Bom)
        bytes.prepend(utf8Bom);
    return bytes;
}

TextFileFormat TextFile::effectiveFormat(const QString &text, const TextFileFormat &format)
{
    TextFileFormat result = format;
    if (format.encoding == TextFileFormat::Encoding::Windows1252) {
        result.utf8Bom = false;
        const std::optional<QByteArray> bytes = toCp1252Bytes(text);
        if (!bytes || readsAsUtf8(*bytes))
            result.encoding = TextFileFormat::Encoding::Utf8;
    }
    // A text that starts with U+FEFF needs a mark in front, or the reader
    // takes its own U+FEFF for the mark.
    if (result.encoding == TextFileFormat::Encoding::Utf8 && text.startsWith(QChar(0xFEFF)))
        result.utf8Bom = true;
    return result;
}

TextFileFormat TextFile::writtenFormat(const QString &text, const TextFileFormat &format)
{
    TextFileFormat result = effectiveFormat(text, format);
    result.lineEnds = format.lineEnds.written(normaliseLineEnds(text), format.lineEnd);
    return result;
}

QByteArray TextFile::encode(const QString &text, const TextFileFormat &format)
{
    const QString lines = format.lineEnds.write(normaliseLineEnds(text), format.lineEnd);
    if (format.encoding == TextFileFormat::Encoding::Windows1252) {
        // Never lose or change a character: what the code page cannot carry
        // faithfully goes out as UTF-8 (see effectiveFormat).
        if (std::optional<QByteArray> bytes = toCp1252Bytes(lines); bytes && !readsAsUtf8(*bytes))
            return *bytes;
    }
    QByteArray bytes = lines.toUtf8();
    if (effectiveFormat(text, format).utf8Bom)
        bytes.prepend(utf8Bom);
    return bytes;
}

QStringList TextFile::unheldCharacters(const QString &text, const TextFileFormat &format)
{
    QStringList result;
    if (format.encoding != TextFileFormat::Encoding::Windows1252)
        return result;
    QSet<char32_t> seen;
    forEachCharacter(text, [&](char32_t code, QStringView character) {
        if ((code > 0xFFFF || !toCp1252(char16_t(code))) && !seen.contains(code)) {
            seen.insert(code);
            result.append(character.toString());
        }
    });
    return result;
}

QStringList TextFile::misreadCharacters(const QString &text, const TextFileFormat &format)
{
    QStringList result;
    if (format.encoding != TextFileFormat::Encoding::Windows1252)
        return result;
    const std::optional<QByteArray> bytes = toCp1252Bytes(text);
    if (!bytes || !readsAsUtf8(*bytes))
        return result;
    QSet<char32_t> seen;
    forEachCharacter(text, [&](char32_t code, QStringView character) {
        if (code >= 0x80 && !seen.contains(code)) {
            seen.insert(code);
            result.append(character.toString());
        }
    });
    return result;
}

QString TextFile::characterReference(const QString &character)
{
    char32_t code = 0;
    forEachCharacter(character, [&](char32_t c, QStringView) {
        if (code == 0)
            code = c;
    });
    return QStringLiteral("&#%1;").arg(quint32(code));
}

QString TextFile::withCharacterReferences(const QString &text, const QStringList &characters)
{
    if (characters.isEmpty())
        return text;
    QSet<char32_t> codes;
    for (const QString &character : characters)
        forEachCharacter(character, [&](char32_t code, QStringView) { codes.insert(code); });
    QString result;
    result.reserve(text.size());
    forEachCharacter(text, [&](char32_t code, QStringView character) {
        if (codes.contains(code))
            result.append(QStringLiteral("&#%1;").arg(quint32(code)));
        else
            result.append(character);
    });
    return result;
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/profilefile.h"

#include "platform/fileops.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <optional>
#include <utility>

namespace Tarnwick {

namespace {

struct ProfileText
{
    QStringList lines;
    TextFileFormat format;
};

// A missing file reads as empty; nullopt only when the file exists but cannot be read.
std::optional<ProfileText> readLines(const QString &path)
{
    ProfileText result;
    result.format.setUniformLineEnd(TextFileFormat::LineEnd::CRLF);
    QFile file(path);
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    const TextFileContent content = TextFile::decode(bytes);
    result.format = content.format;
    result.format.setUniformLineEnd(TextFileFormat::LineEnd::CRLF);
    result.lines = content.text.split(QLatin1Char('\n'));
    // The final line end does not start another line.
    if (!result.lines.isEmpty() && result.lines.constLast().isEmpty())
        result.lines.removeLast();
    return result;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<QString> sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

struct KeyLine
{
    QString key;
    QString value;
};

std::optional<KeyLine> keyLine(const QString &line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return std::nullopt;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return KeyLine { t.left(eq).trimmed(), t.mid(eq + 1).trimmed() };
}

// [first, end) are the lines after the first header of the section; first is -1 when absent.
std::pair<qsizetype, qsizetype> sectionBody(const QStringList &lines, const QString &section)
{
    qsizetype first = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines.at(i));
        if (!name)
            continue;
        if (first >= 0)
            return { first, i };
        // Names are stored trimmed, so they are looked for trimmed.
        if (sameName(*name, section.trimmed()))
            first = i + 1;
    }
    return { first, lines.size() };
}

bool hasLineBreak(const QString &s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

// Names and values that would change the file's structure cannot be stored.
bool storable(const QString &section, const QString &key, const QString &value)
{
    return !section.trimmed().isEmpty() && !key.trimmed().isEmpty() && !hasLineBreak(section)
        && !hasLineBreak(key) && !hasLineBreak(value) && !section.contains(QLatin1Char(']'))
        && !key.contains(QLatin1Char('=')) && !key.trimmed().startsWith(QLatin1Char('['))
        && !key.trimmed().startsWith(QLatin1Char(';'))
        && !key.trimmed().startsWith(QLatin1Char('#'));
}

} // namespace

ProfileFile::ProfileFile(QString path)
    : m_path(std::move(path))
{
}

QString ProfileFile::readString(const QString &section, const QString &key,
                                const QString &def) const
{
    const auto text = readLines(m_path);
    QString value = def;
    if (text) {
        const auto [first, end] = sectionBody(text->lines, section);
        for (qsizetype i = first; first >= 0 && i < end; ++i) {
            const auto kv = keyLine(text->lines.at(i));
            if (kv && sameName(kv->key, key.trimmed())) {
                value = kv->value;
                break;
            }
        }
    }
    return value.left(MaxValueLength);
}

QStringList ProfileFile::readSection(const QString &section) const
{
    QStringList keys;
    const auto text = readLines(m_path);
    if (!text)
        return keys;
    const auto [first, end] = sectionBody(text->lines, section);
    for (qsizetype i = first; first >= 0 && i < end; ++i) {
        const auto kv = keyLine(text->lines.at(i));
        if (!kv)
            continue;
        const bool seen = std::any_of(keys.cbegin(), keys.cend(),
                                      [&](const QString &k) { return sameName(k, kv->key); });
        if (!seen)
            keys.append(kv->key);
    }
    return keys;
}

Result ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    return writeStrings(section, { { key, value } });
}

Result ProfileFile::writeStrings(const QString &section,
                                 const QList<QPair<QString, QString>> &values)
{
    const Result failed = Result::failure(QStringLiteral("Unable to write to ") + m_path);
    for (const auto &[key, value] : values) {
        if (!storable(section, key, value))
            return failed;
    }
    auto text = readLines(m_path);
    if (!text || QFileInfo(m_path).isDir())
        return failed;
    QStringList &lines = text->lines;

    auto [first, end] = sectionBody(lines, section);
    if (first < 0) {
        lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
        first = end = lines.size();
    }
    for (const auto &[key, value] : values) {
        const QString trimmedKey = key.trimmed();
        const QString trimmedValue = value.trimmed();
        bool replaced = false;
        for (qsizetype i = first; i < end; ++i) {
            const auto kv = keyLine(lines.at(i));
            if (kv && sameName(kv->key, trimmedKey)) {
                // The file's spelling of the key stays.
                lines[i] = kv->key + QLatin1Char('=') + trimmedValue;
                replaced = true;
                break;
            }
        }
        if (replaced)
            continue;
        // New keys go after the section's last non-blank line, so blank lines
        // that separate it from the next section stay in between.
        qsizetype at = end;
        while (at > first && lines.at(at - 1).trimmed().isEmpty())
            --at;
        lines.insert(at, trimmedKey + QLatin1Char('=') + trimmedValue);
        ++end;
    }

    QString joined = lines.join(QLatin1Char('\n'));
    if (!lines.isEmpty())
        joined += QLatin1Char('\n');
    const QByteArray bytes = TextFile::encode(joined, text->format);

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return failed;
    if (!FileOps::writeAll(file, bytes)) {
        file.cancelWriting();
        return failed;
    }
    if (!file.commit())
        return failed;
    return Result::success();
}

} // namespace Tarnwick

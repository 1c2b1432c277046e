// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/sshhostlist.h"

#include <QFile>
#include <QSaveFile>

namespace Tarnwick {

namespace {

constexpr qsizetype digestSize = 32;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QList<QByteArray> fieldsOf(const QByteArray &line)
{
    QList<QByteArray> fields;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line.at(i)))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && !isBlank(line.at(i)))
            ++i;
        if (i > start)
            fields.append(line.mid(start, i - start));
    }
    return fields;
}

bool writableField(const QByteArray &field)
{
    if (field.isEmpty() || field.startsWith('#'))
        return false;
    for (const char c : field) {
        if (isBlank(c) || c == '\n' || c == '\r' || c == '\0')
            return false;
    }
    return true;
}

} // namespace

std::optional<SshHostList::Entry> SshHostList::parseLine(const QByteArray &line)
{
    QByteArray text = line;
    if (text.endsWith('\r'))
        text.chop(1);
    const QList<QByteArray> fields = fieldsOf(text);
    if (fields.size() != 4 || fields.at(0).startsWith('#'))
        return std::nullopt;
    const QByteArray &port = fields.at(1);
    if (port.isEmpty() || port.size() > 5 || port.startsWith('0'))
        return std::nullopt;
    for (const char c : port) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const int portNumber = port.toInt();
    if (portNumber < 1 || portNumber > 65535)
        return std::nullopt;
    const auto digest
        = QByteArray::fromBase64Encoding(fields.at(3), QByteArray::AbortOnBase64DecodingErrors);
    if (!digest || digest.decoded.size() != digestSize)
        return std::nullopt;
    Entry entry;
    entry.host = QString::fromUtf8(fields.at(0)).toLower();
    entry.port = quint16(portNumber);
    entry.keyType = QString::fromUtf8(fields.at(2));
    entry.sha256 = digest.decoded;
    // An entry must write back as the same entry.
    if (!writableField(entry.host.toUtf8()) || !writableField(entry.keyType.toUtf8()))
        return std::nullopt;
    return entry;
}

QByteArray SshHostList::lineOf(const Entry &entry)
{
    return entry.host.toUtf8() + ' ' + QByteArray::number(entry.port) + ' ' + entry.keyType.toUtf8()
        + ' ' + entry.sha256.toBase64();
}

void SshHostList::parse(const QByteArray &text)
{
    m_lines.clear();
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QByteArray &raw : lines)
        m_lines.append(Line { raw, parseLine(raw) });
}

QByteArray SshHostList::text() const
{
    QByteArray out;
    for (const Line &line : m_lines)
        out += (line.entry ? lineOf(*line.entry) : line.raw) + '\n';
    return out;
}

bool SshHostList::load(const QString &path)
{
    m_lines.clear();
    m_errorMessage.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        m_errorMessage = QStringLiteral("Cannot read the list of trusted host keys %1: %2")
                             .arg(path, file.errorString());
        return false;
    }
    parse(file.readAll());
    return true;
}

bool SshHostList::save(const QString &path)
{
    m_errorMessage.clear();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text()) < 0 || !file.commit()) {
        m_errorMessage = QStringLiteral("Cannot write the list of trusted host keys %1: %2")
                             .arg(path, file.errorString());
        return false;
    }
    return true;
}

QList<SshHostList::Entry> SshHostList::entries() const
{
    QList<Entry> result;
    for (const Line &line : m_lines) {
        if (line.entry)
            result.append(*line.entry);
    }
    return result;
}

SshHostList::Match SshHostList::lookup(const QString &host, quint16 port,
                                       const QByteArray &sha256) const
{
    const QString name = host.toLower();
    Match match = Match::Unknown;
    for (const Line &line : m_lines) {
        if (!line.entry || line.entry->host != name || line.entry->port != port)
            continue;
        if (line.entry->sha256 == sha256)
            return Match::Same;
        match = Match::Changed;
    }
    return match;
}

bool SshHostList::add(const Entry &entry)
{
    Entry stored = entry;
    stored.host = entry.host.toLower();
    if (!writableField(stored.host.toUtf8()) || !writableField(stored.keyType.toUtf8())
        || stored.sha256.size() != digestSize || stored.port == 0)
        return false;
    if (lookup(stored.host, stored.port, stored.sha256) == Match::Same)
        return true;
    m_lines.append(Line { QByteArray(), stored });
    return true;
}

} // namespace Tarnwick

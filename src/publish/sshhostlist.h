// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace Tarnwick {

// The SSH host keys the user trusted from Tarnwick, kept apart from the
// user's own known_hosts. One key a line, fields separated by blanks:
//   host port key-type base64-sha256
// "#" starts a comment line. Lines that do not read as an entry are kept as
// they are when the list is written back, so a hand edit is never lost.
class SshHostList final
{
public:
    struct Entry
    {
        QString host; // lower case
        quint16 port = 22;
        QString keyType; // as the key names itself, e.g. "ssh-ed25519"
        QByteArray sha256; // the raw 32-byte digest of the key

        bool operator==(const Entry &) const = default;
    };
    enum class Match { Unknown, Same, Changed };

    // Reads the list; a missing file is an empty list. False with
    // errorMessage() when the file exists but cannot be read.
    bool load(const QString &path);
    // Writes the list through a temporary file; false with errorMessage().
    bool save(const QString &path);

    void parse(const QByteArray &text);
    QByteArray text() const;

    QList<Entry> entries() const;
    // Same: an entry for host and port has this digest. Changed: entries for
    // host and port exist and none has it. Unknown: no entry for host and port.
    Match lookup(const QString &host, quint16 port, const QByteArray &sha256) const;
    // Adds the key unless host and port already have it. Hosts holding a
    // blank, "#" or a line end cannot be written and are refused.
    bool add(const Entry &entry);

    QString errorMessage() const { return m_errorMessage; }

    static std::optional<Entry> parseLine(const QByteArray &line);
    static QByteArray lineOf(const Entry &entry);

private:
    struct Line
    {
        QByteArray raw; // kept for lines that are no entry
        std::optional<Entry> entry;
    };
    QList<Line> m_lines;
    QString m_errorMessage;
};

} // namespace Tarnwick

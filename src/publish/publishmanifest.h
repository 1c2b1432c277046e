// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "publish/publishdestination.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

namespace Tarnwick {

// The record of what a publish sent: published.json in the Tarnwick home
// holds, per destination and per remote name, the size and SHA-256 of the
// file that arrived. A file not recorded, or recorded otherwise than it is
// now, is sent again. The record is only ever a shortcut: whatever is wrong
// with it reads as "nothing recorded", which sends every file.
class PublishManifest final
{
public:
    struct Entry
    {
        qint64 size = 0;
        QByteArray sha256; // 64 hexadecimal digits, lower case
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    static constexpr int formatVersion = 1;
    // Larger files are not read: no real record comes near it.
    static constexpr qint64 maximumFileSize = 64 * 1024 * 1024;

    static QString fileName() { return QStringLiteral("published.json"); }
    // The record's path in the Tarnwick home.
    static QString pathIn(const QString &homeDir);

    // An empty record for the destination, saved to path.
    PublishManifest(const QString &path, const PublishDestination &destination);

    // The destination's part of the file at path. A missing file gives an
    // empty record; an unreadable, damaged or foreign one gives an empty
    // record too, and note() says in one line why.
    static PublishManifest load(const QString &path, const PublishDestination &destination);

    // Why the file was not used; empty when it was, or when there was none.
    QString note() const { return m_note; }
    QString path() const { return m_path; }
    const PublishDestination &destination() const { return m_destination; }

    std::optional<Entry> entry(const QString &remoteName) const;
    // A size below 0 or a hash that is not 64 hexadecimal digits records
    // nothing and forgets the name: it could never match a file.
    void record(const QString &remoteName, qint64 size, const QByteArray &sha256);
    void forget(const QString &remoteName);
    const QMap<QString, Entry> &entries() const { return m_entries; }

    // Reads the file again and replaces the destination's part only, keeping
    // every other destination's. The file is replaced atomically: a failed
    // save leaves it as it was. A file of a later format is left alone.
    Result save() const;

    static bool isSha256(const QByteArray &hex);

private:
    QString m_path;
    PublishDestination m_destination;
    QMap<QString, Entry> m_entries;
    QString m_note;
};

} // namespace Tarnwick

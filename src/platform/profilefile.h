// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// An INI file read and written key by key, the way the Windows profile
// functions treat it: section and key names ignore case, values are trimmed,
// a read returns at most MaxValueLength characters. A write re-reads the file
// and changes only its own keys, so other sections, keys, comments and blank
// lines stay where they were. Files are written with CR LF line ends.
class ProfileFile final
{
public:
    // The readers used a 1024-byte buffer including the terminating zero.
    static constexpr qsizetype MaxValueLength = 1023;

    explicit ProfileFile(QString path);

    QString path() const { return m_path; }

    // def when the file, the section or the key is missing.
    QString readString(const QString &section, const QString &key, const QString &def = {}) const;
    // Key names of the section in file order, each once.
    QStringList readSection(const QString &section) const;

    // Failure text: "Unable to write to " + path.
    Result writeString(const QString &section, const QString &key, const QString &value);
    // Several keys of one section in a single file write.
    Result writeStrings(const QString &section, const QList<QPair<QString, QString>> &values);

private:
    QString m_path;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// Table definition files: the table list in edit form, one line each,
// lines ended by CR LF.
class TableDefinition final
{
public:
    TableDefinition() = delete;

    // The lines of a definition, or why it is none: its first line must be
    // the TABLE start tag, its second the caption, its last "</TABLE>".
    // fileName only names the file in the error.
    static Expected<QStringList> parse(const QByteArray &bytes, const QString &fileName);
    static Expected<QStringList> read(const QString &path);
    // Replaces the file atomically; a failed write leaves the old file.
    static Result write(const QString &path, const QStringList &lines);
    // The name a definition is saved under: ".tbl" always.
    static QString withExtension(const QString &path);
};

} // namespace Tarnwick

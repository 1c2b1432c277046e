// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// Form definition files: the field records in list order, one a line,
// lines ended by CR LF.
class FormDefinition final
{
public:
    FormDefinition() = delete;

    // The records, or why the file holds none: every line must be a record
    // of a known kind. fileName only names the file in the error.
    static Expected<QStringList> parse(const QByteArray &bytes, const QString &fileName);
    static Expected<QStringList> read(const QString &path);
    // Replaces the file atomically; a failed write leaves the old file.
    static Result write(const QString &path, const QStringList &records);
    static QString withExtension(const QString &path);
};

} // namespace Tarnwick

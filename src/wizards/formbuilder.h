// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

namespace Tarnwick {

// The form-wide choices of the form builder.
struct FormOptions
{
    QString submitText = QStringLiteral("Submit Form");
    QString resetText = QStringLiteral("Reset Form");
    QString mailTo;
    bool tableFormat = false;
    bool preformat = false;
};

// Turns field records ("CB|name|value|caption|1", one line each, fields
// split at "|") into the lines of a mailed form.
class FormBuilder final
{
public:
    FormBuilder() = delete;

    // The kinds a record may have: check box, radio button, entry field,
    // list box, text area, page text, hidden field.
    static const QStringList &kinds();
    // Field k of a record; missing fields are empty.
    static QString field(const QString &record, int k);
    // The whole form; nothing for an empty list.
    static QStringList build(const QStringList &records, const FormOptions &options);
    // The lines of one record in the form; a record of no known kind gives none.
    static QStringList fieldLines(const QString &record, const FormOptions &options);
    // One record shown alone, as the list's selection previews it.
    static QStringList fieldAlone(const QString &record, const FormOptions &options);
    // A value typed for a record: "|" would split it, so it is refused.
    static Result checkValue(const QString &value);
    // A record of kind from its values, each on one line.
    static QString record(const QString &kind, const QStringList &values);
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/buttondefinition.h"

namespace Tarnwick {

QString ButtonDefinition::field(const QString &text, int k, QChar separator)
{
    qsizetype start = 0;
    for (int i = 0; i < k; ++i) {
        const qsizetype next = text.indexOf(separator, start);
        if (next < 0)
            return QString();
        start = next + 1;
    }
    const qsizetype end = text.indexOf(separator, start);
    return end < 0 ? text.mid(start) : text.mid(start, end - start);
}

ButtonDefinition ButtonDefinition::parse(const QString &line)
{
    return { field(line, 0), field(line, 1), field(line, 2), field(line, 3) };
}

QString ButtonDefinition::line() const
{
    const QChar bar = QLatin1Char('|');
    return caption + bar + code + bar + insertKind + bar + dropKind;
}

int ButtonDefinition::insertKindNumber() const
{
    const QString kind = insertKind.trimmed();
    if (kind == QLatin1String("0"))
        return InsertAsIs;
    if (kind == QLatin1String("1"))
        return StandardDouble;
    if (kind == QLatin1String("2"))
        return UnevenDouble;
    return -1;
}

int ButtonDefinition::choiceOf(const QString &field, int choices)
{
    bool ok = false;
    const int number = field.trimmed().toInt(&ok);
    return ok && number >= 0 && number < choices ? number : 0;
}

QStringList ButtonDefinition::padded(QStringList lines)
{
    if (lines.size() > slotCount)
        lines.resize(slotCount);
    while (lines.size() < slotCount)
        lines.append(freeLine());
    return lines;
}

QString ButtonDefinition::fileName(int page)
{
    return QStringLiteral("page%1.btn").arg(page);
}

} // namespace Tarnwick

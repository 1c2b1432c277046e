// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/formdefinition.h"

#include "platform/fileops.h"
#include "platform/textfile.h"
#include "wizards/formbuilder.h"

#include <QFile>
#include <QFileInfo>

namespace Tarnwick {

Expected<QStringList> FormDefinition::parse(const QByteArray &bytes, const QString &fileName)
{
    QStringList lines = TextFile::decode(bytes).text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the last line's own end
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!FormBuilder::kinds().contains(FormBuilder::field(lines.at(i), 0)))
            return Expected<QStringList>::failure(
                QStringLiteral("%1, line %2: this is no form field record.")
                    .arg(QFileInfo(fileName).fileName())
                    .arg(i + 1));
    }
    return lines;
}

Expected<QStringList> FormDefinition::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Expected<QStringList>::failure(
            QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    return parse(file.readAll(), path);
}

Result FormDefinition::write(const QString &path, const QStringList &records)
{
    QString text;
    for (const QString &record : records)
        text += record + QLatin1String("\r\n");
    return FileOps::writeFileAtomic(path, text.toUtf8());
}

QString FormDefinition::withExtension(const QString &path)
{
    const QFileInfo info(path);
    if (info.suffix().compare(QLatin1String("frm"), Qt::CaseInsensitive) == 0)
        return path;
    const QString base
        = info.suffix().isEmpty() ? path : path.left(path.size() - info.suffix().size() - 1);
    return base + QLatin1String(".frm");
}

} // namespace Tarnwick

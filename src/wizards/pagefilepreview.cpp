// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/pagefilepreview.h"

#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace Tarnwick {

bool PageFilePreview::isPicture(const QString &fileName)
{
    static const QStringList pictures
        = { QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("gif"),
            QStringLiteral("bmp"), QStringLiteral("png") };
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype point = name.lastIndexOf(QLatin1Char('.'));
    return point > 0 && pictures.contains(name.mid(point + 1), Qt::CaseInsensitive);
}

PageFilePreview::Content PageFilePreview::forFile(const QString &path)
{
    Content content;
    if (isPicture(path)) {
        // Percent-encoded, so that "#", "?", "%" or a quote in the name still
        // name the file.
        content.html = QStringLiteral("<IMG SRC=\"")
            + QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(path).fileName()))
            + QStringLiteral("\">");
        content.images = true;
        return content;
    }
    // Any file may be chosen with "All files"; a preview of a huge one shows
    // its beginning rather than holding it all in memory twice.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        content.html = TextFile::decode(file.read(previewLimit)).text;
    return content;
}

QString PageFilePreview::listedFile(const QString &address, const QString &directory,
                                    const QStringList &listedNames)
{
    const QUrl url(address);
    if (!url.isValid() || !url.isLocalFile())
        return QString();
    const QFileInfo target(url.toLocalFile());
    if (target.fileName().isEmpty())
        return QString();
    if (QDir::cleanPath(target.absolutePath()) != QDir::cleanPath(QDir(directory).absolutePath()))
        return QString();
    // Names compare as the file system does.
    return listedNames.contains(target.fileName()) ? target.fileName() : QString();
}

} // namespace Tarnwick

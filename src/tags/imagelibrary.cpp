// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/imagelibrary.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace Tarnwick {

namespace {

QString withSeparator(const QString &directory)
{
    if (directory.isEmpty() || directory.endsWith(QLatin1Char('/'))
        || directory.endsWith(QDir::separator()))
        return directory;
    return directory + QLatin1Char('/');
}

} // namespace

QString ImageLibrary::defaultCategory()
{
    return QStringLiteral("Default");
}

QStringList ImageLibrary::categories(const QString &root)
{
    QStringList names;
    if (!root.isEmpty())
        names = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    names.prepend(defaultCategory());
    return names;
}

bool ImageLibrary::unreadable(const QString &directory)
{
    if (directory.isEmpty())
        return false;
    // Without its trailing separator, so that a file there counts as there.
    const QFileInfo info(QDir::cleanPath(directory));
    return info.exists() && (!info.isDir() || !info.isReadable());
}

QString ImageLibrary::categoryDirectory(const QString &root, const QString &category,
                                        const QString &pageDirectory)
{
    if (category.isEmpty() || category == defaultCategory())
        return withSeparator(pageDirectory);
    // A shared directory set without its trailing separator names the same root.
    return withSeparator(withSeparator(root) + category);
}

QStringList ImageLibrary::filesWithExtensions(const QString &directory, const QString &extensions)
{
    QStringList result;
    if (directory.isEmpty())
        return result;
    QStringList files = QDir(directory).entryList(QDir::Files, QDir::NoSort);
    std::sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    QSet<QString> taken;
    for (QString extension : extensions.split(QLatin1Char(','))) {
        extension = extension.trimmed();
        if (extension.startsWith(QLatin1Char('.')))
            extension.remove(0, 1);
        if (extension.isEmpty())
            continue;
        const QString suffix = QLatin1Char('.') + extension;
        for (const QString &file : std::as_const(files)) {
            if (file.size() > suffix.size() && file.endsWith(suffix, Qt::CaseInsensitive)
                && !taken.contains(file)) {
                taken.insert(file);
                result.append(file);
            }
        }
    }
    return result;
}

QString ImageLibrary::galleryHeading()
{
    return QStringLiteral(
        "<H2 align=\"center\">Select an image below to insert into the toolbar</H2>");
}

QString ImageLibrary::galleryPage(const QString &directory, const QStringList &names)
{
    QStringList lines { galleryHeading() };
    lines.reserve(names.size() + 1);
    const QString base = withSeparator(directory);
    for (const QString &name : names) {
        // Encoded, so that blanks, "#" and "%" in a name neither break the
        // address nor end it early.
        const QString address
            = QUrl::fromLocalFile(base + name).toString(QUrl::FullyEncoded).toHtmlEscaped();
        lines.append(QStringLiteral("<a href=\"") + address + QStringLiteral("\"><img src=\"")
                     + address + QStringLiteral("\"></a><br>"));
    }
    return lines.join(QLatin1Char('\n'));
}

QString ImageLibrary::quoted(QString value)
{
    return value.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
}

QString ImageLibrary::imageTag(const ImageTag &tag)
{
    QString text = QStringLiteral("<IMG SRC=\"") + quoted(tag.name) + QLatin1Char('"');
    if (!tag.alignment.isEmpty())
        text += QStringLiteral(" ALIGN=\"") + quoted(tag.alignment) + QLatin1Char('"');
    if (tag.size.width() > 0)
        text += QStringLiteral(" WIDTH=\"") + QString::number(tag.size.width()) + QLatin1Char('"');
    if (tag.size.height() > 0)
        text
            += QStringLiteral(" HEIGHT=\"") + QString::number(tag.size.height()) + QLatin1Char('"');
    text += QLatin1Char('>');
    if (!tag.hotLink.isEmpty())
        text = QStringLiteral("<A HREF=\"") + quoted(tag.hotLink) + QStringLiteral("\">") + text
            + QStringLiteral("</A>");
    return text;
}

} // namespace Tarnwick

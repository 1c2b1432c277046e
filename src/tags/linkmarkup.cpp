// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/linkmarkup.h"

#include "tags/imagelibrary.h"

namespace Tarnwick {

QStringList LinkMarkup::prefixes()
{
    // https beside http; the first stays the one chosen at first.
    return { QStringLiteral("http://"),   QStringLiteral("http://www."),
             QStringLiteral("https://"),  QStringLiteral("https://www."),
             QStringLiteral("ftp://"),    QStringLiteral("ftp://ftp."),
             QStringLiteral("mailto:"),   QStringLiteral("#"),
             QStringLiteral("news:"),     QStringLiteral("file:"),
             QStringLiteral("file:///"),  QStringLiteral("gopher://"),
             QStringLiteral("telnet://"), QStringLiteral("wais://") };
}

QString LinkMarkup::linkOpen(const QString &prefix, const QString &address)
{
    return QStringLiteral("<A HREF=\"") + ImageLibrary::quoted(prefix + address)
        + QStringLiteral("\">");
}

const QList<LinkMarkup::Marker> &LinkMarkup::markers()
{
    static const QList<Marker> list {
        { "BodyTemplate1", QStringLiteral("Body Settings"), QStringLiteral("Body"),
          QStringLiteral("Insert a Body settings template marker to define default colors"),
          QStringLiteral("Body") },
        { "linktemplate1", QStringLiteral("Hot Link"), QStringLiteral("Link"),
          QStringLiteral("Insert a link template marker"), QStringLiteral("Link") },
        { "maillinktemplate", QStringLiteral("Mailto: Link"), QStringLiteral("Mail"),
          QStringLiteral("Insert a mailto: link template marker"), QStringLiteral("MailLink") },
        { "ImageTemplate1", QStringLiteral("Image"), QStringLiteral("Image"),
          QStringLiteral("Insert an image template marker"), QStringLiteral("Image") },
        { "PageDefaultsTemplage1", QStringLiteral("Page Defaults"), QStringLiteral("Defaults"),
          QStringLiteral("Insert a Defaults settings template marker; includes Title, "
                         "Description and Keywords"),
          QStringLiteral("Defaults") },
        { "PlainTextTemplate1", QStringLiteral("Plain Text"), QStringLiteral("Text"),
          QStringLiteral("Insert a text template marker"), QStringLiteral("Text") },
        { "HeadingTemplate1", QStringLiteral("Heading"), QStringLiteral("<H>"),
          QStringLiteral("Insert a Heading template marker to define a heading"),
          QStringLiteral("Heading") },
    };
    return list;
}

QString LinkMarkup::markerText(const QString &name)
{
    const QString marker = QStringLiteral("\r<!--##") + name + QStringLiteral("-->\r");
    // The defaults take title, description and keywords on the lines below.
    if (name == QLatin1String("Defaults"))
        return marker + QStringLiteral("\r\r");
    return marker;
}

QString LinkMarkup::includeFilter()
{
    return QStringLiteral("HTM Files|*.htm|HTML Files|*.html|Graphics|*.gif;*.jpg|Executable|*.exe|"
                          "Frame Settings|*.set|JavaClass|*.class");
}

QString LinkMarkup::includeTag(const QString &path)
{
    return QStringLiteral("<!--#include FILE=\"") + path + QStringLiteral("\"-->");
}

} // namespace Tarnwick

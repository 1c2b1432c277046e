// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/parameterselection.h"

#include "tags/attributevalue.h"
#include "tags/imagelibrary.h"

namespace Tarnwick {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

bool startsWithWord(QStringView text, QLatin1StringView word)
{
    if (!text.startsWith(word, Qt::CaseInsensitive))
        return false;
    // "ALIGNMENT" is no ALIGN attribute; "SIZE=" and "SIZE =" are.
    return text.size() == word.size() || !text[word.size()].isLetterOrNumber();
}

int indexIn(const QStringList &list, const QString &value)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].compare(value, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

} // namespace

QString ParameterSelection::pageName(Page page)
{
    switch (page) {
    case Page::Align:
        return QStringLiteral("align");
    case Page::VAlign:
        return QStringLiteral("valign");
    case Page::Size:
        return QStringLiteral("size");
    case Page::Meta:
        return QStringLiteral("meta");
    case Page::Embed:
        return QStringLiteral("embed");
    case Page::Parameter:
        break;
    }
    return QStringLiteral("Parameter");
}

QStringList ParameterSelection::alignments()
{
    return { QStringLiteral("none"),  QStringLiteral("left"), QStringLiteral("center"),
             QStringLiteral("right"), QStringLiteral("top"),  QStringLiteral("middle"),
             QStringLiteral("bottom") };
}

QStringList ParameterSelection::verticalAlignments()
{
    return { QStringLiteral("none"), QStringLiteral("top"), QStringLiteral("middle"),
             QStringLiteral("bottom") };
}

QStringList ParameterSelection::sizes()
{
    QStringList list;
    for (const char *sign : { "", "+", "-" })
        for (int i = 1; i <= 7; ++i)
            list.append(QLatin1String(sign) + QString::number(i));
    return list;
}

QStringList ParameterSelection::httpEquivs()
{
    return { QStringLiteral("Expires"), QStringLiteral("Keywords"), QStringLiteral("PICS-Label"),
             QStringLiteral("Reply-To") };
}

QString ParameterSelection::firstValue(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && !isBlank(text[i]) && text[i] != QLatin1Char('='))
        ++i;
    return AttributeValue::read(text, i).value;
}

QString ParameterSelection::attribute(QStringView tag, QStringView name)
{
    return AttributeValue::find(tag, name).value_or(QString());
}

ParameterSelection::Reading ParameterSelection::read(QStringView text)
{
    Reading reading;
    const QStringView trimmed = text.trimmed();
    const struct
    {
        QLatin1StringView word;
        Page page;
        QStringList list;
    } choices[] = {
        { QLatin1StringView("ALIGN"), Page::Align, alignments() },
        { QLatin1StringView("VALIGN"), Page::VAlign, verticalAlignments() },
        { QLatin1StringView("SIZE"), Page::Size, sizes() },
    };
    for (const auto &choice : choices) {
        if (startsWithWord(trimmed, choice.word)) {
            reading.hasChoice = true;
            reading.choicePage = choice.page;
            reading.choice = indexIn(choice.list, firstValue(trimmed).trimmed());
            return reading;
        }
    }
    if (startsWithWord(trimmed, QLatin1StringView("<META"))) {
        reading.isMeta = true;
        reading.name = attribute(trimmed, u"name");
        reading.content = attribute(trimmed, u"content");
        reading.httpEquiv = attribute(trimmed, u"http-equiv");
    } else if (startsWithWord(trimmed, QLatin1StringView("<PARAM"))) {
        reading.isParam = true;
        reading.paramName = attribute(trimmed, u"name");
        reading.paramValue = attribute(trimmed, u"value");
    }
    return reading;
}

QString ParameterSelection::choiceText(Page page, const QString &value)
{
    const QString name = page == Page::VAlign ? QStringLiteral("VALIGN")
        : page == Page::Size                  ? QStringLiteral("SIZE")
                                              : QStringLiteral("ALIGN");
    return name + QStringLiteral("=\"") + ImageLibrary::quoted(value) + QLatin1Char('"');
}

QString ParameterSelection::metaTag(const QString &httpEquiv, const QString &name,
                                    const QString &content)
{
    QString tag = QStringLiteral("<META ");
    if (!httpEquiv.isEmpty())
        tag += QStringLiteral("HTTP-EQUIV=\"") + ImageLibrary::quoted(httpEquiv)
            + QStringLiteral("\" ");
    if (!name.isEmpty())
        tag += QStringLiteral("NAME=\"") + ImageLibrary::quoted(name) + QStringLiteral("\" ");
    if (!content.isEmpty())
        tag += QStringLiteral("CONTENT=\"") + ImageLibrary::quoted(content) + QStringLiteral("\" ");
    return tag + QLatin1Char('>');
}

QString ParameterSelection::embedTag(const QString &source, int height, int width)
{
    if (source.isEmpty())
        return {};
    QString tag = QStringLiteral("<EMBED SRC=\"") + ImageLibrary::quoted(source) + QLatin1Char('"');
    if (height > 0)
        tag += QStringLiteral(" HEIGHT=\"") + QString::number(height) + QLatin1Char('"');
    if (width > 0)
        tag += QStringLiteral(" WIDTH=\"") + QString::number(width) + QLatin1Char('"');
    return tag + QLatin1Char('>');
}

QString ParameterSelection::paramTag(const QString &name, const QString &value)
{
    return QStringLiteral("<PARAM NAME=\"") + ImageLibrary::quoted(name)
        + QStringLiteral("\" VALUE=\"") + ImageLibrary::quoted(value) + QStringLiteral("\">");
}

} // namespace Tarnwick

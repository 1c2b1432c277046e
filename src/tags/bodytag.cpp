// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/bodytag.h"

#include "tags/attributevalue.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <cctype>
#include <optional>

namespace Tarnwick {

namespace {

QString notANumber(const QString &value)
{
    return QLatin1Char('\'') + value + QStringLiteral("' is not a valid integer value");
}

// A colour written as hexadecimal RRGGBB, with or without "#"; an empty value
// is no colour (invalid), so that it is written back empty and not as black.
std::optional<QColor> readColor(QString value)
{
    if (value.startsWith(QLatin1Char('#')))
        value.remove(0, 1);
    if (value.isEmpty())
        return QColor();
    for (const QChar c : std::as_const(value))
        if (c.unicode() > 0x7F || !std::isxdigit(c.unicode()))
            return std::nullopt;
    if (value.size() > 6)
        return std::nullopt;
    const uint rgb = value.toUInt(nullptr, 16);
    if (value.size() == 3) // "#F00" stands for "#FF0000", as browsers read it
        return QColor(QLatin1Char('#') + value);
    return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QString escaped(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&amp;"))
        .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
        .replace(QLatin1Char('"'), QStringLiteral("&quot;"));
}

} // namespace

Result BodyTag::SetBodyVars(QStringView tag, BodySettings &settings)
{
    BodySettings read = settings;
    read.image.clear();
    read.leftMargin = read.rightMargin = read.topMargin = read.bottomMargin = -1;

    const auto value = [tag](const char *name) {
        std::optional<QString> v = AttributeValue::find(tag, QString::fromLatin1(name));
        // A lone quote is an empty value.
        if (v && (*v == QLatin1String("\"") || *v == QLatin1String("'")))
            v = QString();
        return v;
    };

    if (const auto image = value("BACKGROUND"))
        read.image = *image;

    const std::pair<const char *, QColor BodySettings::*> colors[] = {
        { "TEXT", &BodySettings::text },          { "LINK", &BodySettings::link },
        { "VLINK", &BodySettings::visitedLink },  { "ALINK", &BodySettings::activeLink },
        { "BGCOLOR", &BodySettings::background },
    };
    for (const auto &[name, member] : colors) {
        if (const auto text = value(name)) {
            const std::optional<QColor> color = readColor(*text);
            if (!color)
                return Result::failure(notANumber(*text));
            read.*member = *color;
        }
    }

    const std::pair<const char *, int BodySettings::*> margins[] = {
        { "RIGHTMARGIN", &BodySettings::rightMargin },
        { "LEFTMARGIN", &BodySettings::leftMargin },
        { "TOPMARGIN", &BodySettings::topMargin },
        { "BOTTOMMARGIN", &BodySettings::bottomMargin },
    };
    for (const auto &[name, member] : margins) {
        const auto text = value(name);
        if (!text || text->isEmpty())
            continue;
        bool ok = false;
        const int margin = text->toInt(&ok);
        if (!ok)
            return Result::failure(notANumber(*text));
        read.*member = margin;
    }

    read.fixedBackground = AttributeValue::find(tag, u"BGPROPERTIES").has_value();
    settings = read;
    return Result::success();
}

bool BodyTag::isWebAddress(const QString &image)
{
    // A scheme of two letters or more: "C:" is a drive, not an address.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]+:"));
    return image.startsWith(QLatin1String("//")) || scheme.match(image).hasMatch();
}

QString BodyTag::backgroundName(const QString &image)
{
    return isWebAddress(image) ? image : QFileInfo(image).fileName();
}

QString BodyTag::colorText(const QColor &color)
{
    return QStringLiteral("%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString BodyTag::build(const BodySettings &s)
{
    QString tag = QStringLiteral("<BODY ");
    if (!s.image.isEmpty())
        tag += QStringLiteral("BACKGROUND=\"") + escaped(backgroundName(s.image))
            + QStringLiteral("\" ");
    const auto color = [](const char *name, const QColor &c) -> QString {
        if (!c.isValid()) // read in empty, kept empty
            return QLatin1String(name) + QStringLiteral("=\"\" ");
        return QLatin1String(name) + QStringLiteral("=\"#") + colorText(c) + QStringLiteral("\" ");
    };
    tag += color("TEXT", s.text) + color("LINK", s.link) + color("ALINK", s.activeLink)
        + color("VLINK", s.visitedLink) + color("BGCOLOR", s.background);
    const std::pair<const char *, int> margins[] = { { "LEFTMARGIN", s.leftMargin },
                                                     { "RIGHTMARGIN", s.rightMargin },
                                                     { "TOPMARGIN", s.topMargin },
                                                     { "BOTTOMMARGIN", s.bottomMargin } };
    for (const auto &[name, margin] : margins)
        if (margin >= 0)
            tag += QLatin1String(name) + QStringLiteral("=\"") + QString::number(margin)
                + QStringLiteral("\" ");
    if (s.fixedBackground)
        tag += QStringLiteral("BGPROPERTIES=\"FIXED\"");
    return tag + QLatin1Char('>');
}

QString BodyTag::samplePage(const BodySettings &s)
{
    // A colour that is not set shows as the browser's own.
    const auto words = [](const QColor &c, const char *text, bool underline) -> QString {
        QString font = QLatin1String(text);
        if (c.isValid())
            font = QStringLiteral("<FONT COLOR=\"#") + colorText(c) + QStringLiteral("\">") + font
                + QStringLiteral("</FONT>");
        return underline ? QStringLiteral("<U>") + font + QStringLiteral("</U>") : font;
    };
    QString page = QStringLiteral("<HTML><BODY");
    if (s.background.isValid())
        page += QStringLiteral(" BGCOLOR=\"#") + colorText(s.background) + QLatin1Char('"');
    if (!s.image.isEmpty())
        page += QStringLiteral(" BACKGROUND=\"")
            + escaped(!isWebAddress(s.image) && QFileInfo(s.image).isAbsolute()
                          ? QUrl::fromLocalFile(s.image).toString(QUrl::FullyEncoded)
                          : s.image)
            + QLatin1Char('"');
    page += QStringLiteral("><CENTER>") + words(s.text, "Text Color", false)
        + QStringLiteral("<BR>") + words(s.link, "Link Color", true) + QStringLiteral("<BR>")
        + words(s.visitedLink, "Visited Link Color", true) + QStringLiteral("<BR>")
        + words(s.activeLink, "Active Link Color", true)
        + QStringLiteral("</CENTER></BODY></HTML>");
    return page;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/initialvalues.h"

#include "platform/fileops.h"
#include "platform/profilefile.h"
#include "project/projectsettings.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace Tarnwick {

namespace {

QString quoted(const QString &attribute, const QString &value)
{
    return QLatin1Char(' ') + attribute + QStringLiteral("=\"") + value + QLatin1Char('"');
}

} // namespace

InitialValues::InitialValues(QString themesDirectory, QString pageDirectory)
    : m_themesDirectory(std::move(themesDirectory))
    , m_pageDirectory(std::move(pageDirectory))
{
    if (!m_themesDirectory.isEmpty() && !m_themesDirectory.endsWith(QLatin1Char('/')))
        m_themesDirectory += QLatin1Char('/');
}

QString InitialValues::charsetDeclaration()
{
    return QStringLiteral("<meta charset=\"utf-8\">");
}

QStringList InitialValues::docTypes()
{
    return { QStringLiteral("none"),
             QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.2\">"),
             QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML 2.0//EN\">"),
             QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML Level 1//EN\">"),
             QStringLiteral("<!DOCTYPE html>") };
}

InitialValuesFields InitialValues::fromProjectSettings(const QString &pageDirectory)
{
    InitialValuesFields fields;
    const ProfileFile ini(ProjectSettings::settingsFilePath(pageDirectory));
    const QString section = ProjectSettings::Section;
    fields.email = ini.readString(section, QStringLiteral("mailto"), fields.email);
    // A colour stored as "#RRGGBB" shows as its six digits; anything else as it stands.
    const auto color = [&](const char *key, const QString &otherwise) {
        const QString text = ini.readString(section, QLatin1String(key), otherwise);
        return ProjectSettings::colorDigits(text).value_or(text);
    };
    fields.textColor = color("TextColor", fields.textColor);
    fields.linkColor = color("LinkColor", fields.linkColor);
    fields.aLinkColor = color("aLinkColor", fields.aLinkColor);
    fields.vLinkColor = color("vLinkColor", fields.vLinkColor);
    fields.bgColor = color("bgColor", fields.bgColor);
    const QString theme = ini.readString(section, QStringLiteral("ThemeStyle"));
    if (!theme.isEmpty())
        fields.theme = theme;
    return fields;
}

QString InitialValues::colorText(const QColor &color)
{
    return QStringLiteral("%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString InitialValues::fileNamePart(const QString &path)
{
    const qsizetype slash
        = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

QString InitialValues::resolve(const QString &file) const
{
    if (file.isEmpty() || QDir::isAbsolutePath(file))
        return file;
    return QDir::cleanPath(m_pageDirectory + QLatin1Char('/') + file);
}

bool InitialValues::themeMode(const InitialValuesFields &fields) const
{
    return !fields.theme.isEmpty() && fields.theme != noTheme();
}

QString InitialValues::imagePath(const QString &file, Paths paths) const
{
    return paths == Paths::Page ? fileNamePart(file) : file;
}

QString InitialValues::themeImage(const QString &prefix, const InitialValuesFields &fields,
                                  Paths paths) const
{
    const QString name = prefix + fields.theme + QStringLiteral(".gif");
    return paths == Paths::Page ? name : m_themesDirectory + name;
}

QString InitialValues::background(const InitialValuesFields &fields, Paths paths) const
{
    if (!fields.backgroundGraphic.isEmpty())
        return imagePath(fields.backgroundGraphic, paths);
    return themeMode(fields) ? themeImage(QStringLiteral("t_"), fields, paths) : QString();
}

QStringList InitialValues::generate(const InitialValuesFields &f, Paths paths, const QDateTime &now,
                                    const QLocale &locale) const
{
    QStringList lines;
    const bool theme = themeMode(f);
    const QString section = QStringLiteral("<IMG SRC=\"")
        + themeImage(QStringLiteral("l_"), f, paths) + QStringLiteral("\">");
    const QString br = QStringLiteral("<BR>");
    const QString center = QStringLiteral("<CENTER>");
    const QString centerEnd = QStringLiteral("</CENTER>");

    // A document type typed by hand counts like one picked from the list.
    if (!f.docType.isEmpty() && f.docType.compare(QStringLiteral("none"), Qt::CaseInsensitive) != 0)
        lines << f.docType;
    lines << QStringLiteral("<HTML>") << QStringLiteral("<HEAD>");
    // The page is new and saved as UTF-8; browsers read it so only when told.
    lines << charsetDeclaration();
    lines << QStringLiteral("<TITLE>") + f.title + QStringLiteral("</TITLE>");
    lines << QStringLiteral("<META NAME=\"Keywords\" CONTENT=\"") + f.keywords
            + QStringLiteral("\">");
    lines << QStringLiteral("<META NAME=\"Description\" CONTENT=\"") + f.description
            + QStringLiteral("\">");
    lines << QStringLiteral("<META NAME=\"Generator\" CONTENT=\"Tarnwick 2.8\">");
    lines << QStringLiteral("<META NAME=\"Author\" CONTENT=\"") + f.author.left(AuthorLength)
            + QStringLiteral("\">");
    lines << QStringLiteral("</HEAD>");

    QString body = QStringLiteral("<BODY");
    if (const QString image = background(f, paths); !image.isEmpty())
        body += quoted(QStringLiteral("BACKGROUND"), image) + QLatin1Char(' ');
    const std::pair<const char *, const QString *> colors[] = { { "TEXT", &f.textColor },
                                                                { "LINK", &f.linkColor },
                                                                { "VLINK", &f.vLinkColor },
                                                                { "ALINK", &f.aLinkColor },
                                                                { "BGCOLOR", &f.bgColor } };
    for (const auto &[attribute, text] : colors) {
        // "#RRGGBB" gets no second "#"; what is no colour is left out.
        const QString digits = ProjectSettings::colorDigits(*text).value_or(QString());
        if (!digits.isEmpty())
            body += quoted(QLatin1String(attribute), QLatin1Char('#') + digits);
    }
    if (f.leftMargin >= 0)
        body += quoted(QStringLiteral("LEFTMARGIN"), QString::number(f.leftMargin));
    if (f.rightMargin >= 0)
        body += quoted(QStringLiteral("RIGHTMARGIN"), QString::number(f.rightMargin));
    if (f.fixedBackground)
        body += QStringLiteral(" BGPROPERTIES=\"FIXED\" ");
    lines << body + QLatin1Char('>');

    lines << QStringLiteral("<!-- ") + f.comments + QStringLiteral(" -- Created: ")
            + locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("  ")
            + locale.toString(now.time(), QLocale::LongFormat) + QStringLiteral(" -->");
    lines << QString()
          << QStringLiteral("<BASEFONT SIZE=") + QString::number(f.baseFontSize) + QLatin1Char('>')
          << QString();

    if (f.center)
        lines << center;
    if (theme)
        lines << section << br;
    if (!f.logo.isEmpty())
        lines << QStringLiteral("<IMG SRC=\"") + imagePath(f.logo, paths) + QStringLiteral("\">")
              << br;
    if (!f.heading.isEmpty()) {
        const QString size = QString::number(f.headingSize);
        if (f.headingColor)
            lines << QStringLiteral("<FONT COLOR=\"#") + colorText(*f.headingColor)
                    + QStringLiteral("\">");
        lines << QStringLiteral("<H") + size + QLatin1Char('>') + f.heading + QStringLiteral("</H")
                + size + QLatin1Char('>');
        if (f.headingColor)
            lines << QStringLiteral("</FONT>");
    }
    if (theme)
        lines << section << br;
    if (f.center)
        lines << centerEnd;
    if (!f.greeting.isEmpty())
        lines << f.greeting << QStringLiteral("<P>");
    if (!f.otherInformation.isEmpty()) {
        QStringList other = f.otherInformation.split(QLatin1Char('\n'));
        if (other.size() > 1 && other.last().isEmpty())
            other.removeLast(); // a last line break starts no line of its own
        lines << other;
    }
    lines << QStringLiteral("<P>");
    if (f.center)
        lines << center;
    if (theme)
        lines << section << br;
    if (!f.email.isEmpty())
        lines << QStringLiteral("<a href=\"mailto:") + f.email.toLower() + QStringLiteral("\">")
                + f.emailCaption + QStringLiteral("</a><p>");
    lines << br;
    if (theme) {
        const std::pair<bool, const char *> arrows[] = { { f.leftArrow, "w_" },
                                                         { f.rightArrow, "e_" },
                                                         { f.upArrow, "n_" },
                                                         { f.downArrow, "s_" },
                                                         { f.questionMark, "q_" } };
        for (const auto &[ticked, prefix] : arrows) {
            if (ticked)
                lines << QStringLiteral("<IMG SRC=\"") + themeImage(QLatin1String(prefix), f, paths)
                        + QStringLiteral("\">");
        }
        lines << br;
    }
    if (f.center)
        lines << centerEnd;
    lines << QStringLiteral("</BODY>") << QStringLiteral("</HTML>");
    return lines;
}

BodySettings InitialValues::bodySettings(const InitialValuesFields &fields,
                                         BodySettings remembered) const
{
    remembered.text = ProjectSettings::colorFromText(fields.textColor);
    remembered.link = ProjectSettings::colorFromText(fields.linkColor);
    remembered.visitedLink = ProjectSettings::colorFromText(fields.vLinkColor);
    remembered.activeLink = ProjectSettings::colorFromText(fields.aLinkColor);
    remembered.background = ProjectSettings::colorFromText(fields.bgColor);
    remembered.image = resolve(background(fields, Paths::Full));
    return remembered;
}

void InitialValues::copyFiles(const InitialValuesFields &fields) const
{
    // Each copy keeps a file already there; a copy that fails leaves the page as it is.
    const auto copyBeside = [this](const QString &file) {
        const QString source = resolve(file);
        const QString target = m_pageDirectory + QLatin1Char('/') + fileNamePart(file);
        if (!FileOps::samePath(source, target))
            FileOps::copyFile(source, target);
    };
    if (!fields.backgroundGraphic.isEmpty())
        copyBeside(fields.backgroundGraphic);
    if (!fields.logo.isEmpty())
        copyBeside(fields.logo);
    if (!themeMode(fields))
        return;
    // Every "??<theme>.gif": the theme's name is taken as it is, not as a mask.
    const QString tail = fields.theme + QStringLiteral(".gif");
    for (const QString &name : QDir(m_themesDirectory).entryList(QDir::Files)) {
        if (name.size() == tail.size() + 2 && name.mid(2).compare(tail, Qt::CaseInsensitive) == 0)
            copyBeside(m_themesDirectory + name);
    }
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/bodysettings.h"

#include <QColor>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace Tarnwick {

// What the user chose in "Initial Values" for a new page.
struct InitialValuesFields
{
    QString docType = QStringLiteral("none");
    QString title = QStringLiteral("Web Page Title Here");
    QString comments = QStringLiteral("Comments go here");
    QString keywords;
    QString description;

    QString theme = QStringLiteral("[None]");
    bool leftArrow = false, rightArrow = false, upArrow = false, downArrow = false,
         questionMark = false;
    QString backgroundGraphic;
    bool fixedBackground = false;

    QString logo;
    QString heading;
    int headingSize = 1;
    std::optional<QColor> headingColor; // none: the heading takes the text colour
    QString email;
    QString emailCaption = QStringLiteral("Click here to send us an email message");
    bool center = true;

    QString greeting; // "Name/Company Name/Greeting:"
    QString otherInformation; // lines
    int baseFontSize = 3;
    QString author;

    // Six hex digits RRGGBB each, written into the page as they stand.
    QString textColor = QStringLiteral("000000");
    QString linkColor = QStringLiteral("FF0000");
    QString vLinkColor = QStringLiteral("800080");
    QString aLinkColor = QStringLiteral("000000");
    QString bgColor = QStringLiteral("C0C0C0");
    int leftMargin = -1; // -1: not written
    int rightMargin = -1;

    friend bool operator==(const InitialValuesFields &, const InitialValuesFields &) = default;
};

// The first content of an empty page, built from the fields: a complete
// skeleton with the META lines, the BODY statement, the optional logo,
// heading, greeting, text, e-mail link and theme images.
class InitialValues final
{
public:
    // The preview shows images by their full paths; the page names them by
    // their file names, as they are copied beside it.
    enum class Paths { Full, Page };

    static constexpr int AuthorLength = 50;

    // themesDirectory: the program's themes folder. pageDirectory: where the
    // page lives; relative file names resolve there.
    InitialValues(QString themesDirectory, QString pageDirectory);

    static QString noTheme() { return QStringLiteral("[None]"); }
    // "none", the three older document types, then HTML5's.
    static QStringList docTypes();
    // The encoding line every generated page has, right after <HEAD>.
    static QString charsetDeclaration();

    // The fields a new page starts with: the defaults above, with the e-mail
    // address, the colours and the theme from the PROJECT.INI of the page's
    // directory where it has them.
    static InitialValuesFields fromProjectSettings(const QString &pageDirectory);

    QStringList generate(const InitialValuesFields &fields, Paths paths, const QDateTime &now,
                         const QLocale &locale = QLocale::system()) const;
    // The BODY statement's background: the graphic chosen, else in theme mode
    // the theme's background image.
    QString background(const InitialValuesFields &fields, Paths paths) const;
    // What a new page leaves behind for the body settings: its five colours
    // and its background image.
    BodySettings bodySettings(const InitialValuesFields &fields, BodySettings remembered) const;
    // Copies the background graphic, the logo and the theme's images beside
    // the page; a file already there is kept.
    void copyFiles(const InitialValuesFields &fields) const;

    // A relative file name resolves against the page's directory.
    QString resolve(const QString &file) const;
    // Six upper-case hex digits RRGGBB.
    static QString colorText(const QColor &color);
    // The name after the last "/" or "\".
    static QString fileNamePart(const QString &path);

private:
    bool themeMode(const InitialValuesFields &fields) const;
    QString themeImage(const QString &prefix, const InitialValuesFields &fields, Paths paths) const;
    QString imagePath(const QString &file, Paths paths) const;

    QString m_themesDirectory; // with a trailing "/"
    QString m_pageDirectory;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/entrynames.h"

namespace Tarnwick {

bool EntryNames::hasControlCharacters(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

bool EntryNames::isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return false;
    }
    return !hasControlCharacters(name);
}

bool EntryNames::isNewPageName(const QString &name)
{
    return isPlainFileName(name) && !name.contains(QLatin1Char('.'));
}

QString EntryNames::importDescription(const QString &typed, const QString &title)
{
    QString description = typed;
    if (description.isEmpty())
        description = title.left(ImportTitleLength);
    if (description.isEmpty())
        description = QStringLiteral("New Page");
    // The first "-" of an entry separates description and target.
    for (QChar &c : description) {
        if (c == QLatin1Char('-') || c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return description;
}

QString EntryNames::badPageName()
{
    return QStringLiteral("Filename name must be 8 characters or less and must not contain any "
                          "drive information.  This file will not be added to the selected "
                          "project.");
}

QString EntryNames::badFileName(const QString &name)
{
    return QStringLiteral("\"") + name
        + QStringLiteral("\" cannot be used as a file name in a project: a name must not be "
                         "empty, \".\" or \"..\", nor hold \"/\", \"\\\", \":\" or control "
                         "characters.");
}

QString EntryNames::controlCharacters()
{
    return QStringLiteral("The description holds a control character (such as a tab or a line "
                          "break), which the project list cannot keep.  Please remove it before "
                          "continuing.");
}

} // namespace Tarnwick

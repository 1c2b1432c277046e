// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace Tarnwick {

// The logic of the "Parameter Selections" dialog: what it reads from the
// text it is opened on, and the markup its "Ok" writes for each page.
class ParameterSelection final
{
public:
    ParameterSelection() = delete;

    enum class Page { Align, VAlign, Size, Meta, Embed, Parameter };

    static QString pageName(Page page); // "align", ..., "Parameter"
    static QStringList alignments(); // "none", "left", ...
    static QStringList verticalAlignments();
    static QStringList sizes(); // "1" to "7", "+1" to "+7", "-1" to "-7"
    static QStringList httpEquivs(); // "Expires", "Keywords", "PICS-Label", "Reply-To"

    // What the dialog finds in the text it is opened on.
    struct Reading
    {
        // Set when the text starts with ALIGN, VALIGN or SIZE.
        bool hasChoice = false;
        Page choicePage = Page::Align;
        int choice = 0; // index into that page's list; 0 when not in it
        bool isMeta = false;
        QString httpEquiv, name, content; // as written
        bool isParam = false;
        QString paramName, paramValue;
    };
    static Reading read(QStringView text);

    // The value of an attribute written as "NAME=value": the value of the
    // first attribute of the text, quoted in any way.
    static QString firstValue(QStringView text);
    // The value of the attribute named name (whole, in any case) of a tag;
    // empty when the tag lacks it.
    static QString attribute(QStringView tag, QStringView name);

    static QString choiceText(Page page, const QString &value); // "ALIGN="{value}""
    static QString metaTag(const QString &httpEquiv, const QString &name, const QString &content);
    // Empty without a source; a height or width of 0 is left out.
    static QString embedTag(const QString &source, int height, int width);
    static QString paramTag(const QString &name, const QString &value);
};

} // namespace Tarnwick

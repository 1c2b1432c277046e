// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/fixedtags.h"

namespace Tarnwick {

namespace {

using Kind = FixedTags::Kind;
using Entry = FixedTags::Entry;

Entry entry(const QByteArray &name, const QByteArray &caption, const QByteArray &hint, Kind kind,
            const QByteArray &open, const QByteArray &close = {}, QKeySequence shortcut = {})
{
    return { QString::fromUtf8(name),
             QString::fromUtf8(caption),
             QString::fromUtf8(hint),
             kind,
             QString::fromUtf8(open),
             QString::fromUtf8(close),
             shortcut };
}

QList<Entry> buildEntries()
{
    QList<Entry> e;
    // Font page, and the Edit menu items that do the same.
    e << entry("BoldBtn", "B", "Insert Bold", Kind::Wrap, "<B>")
      << entry("ItalicsBtn", "I", "Insert Italics", Kind::Wrap, "<I>")
      << entry("UnderlineBtn", "U", "Insert underline", Kind::Wrap, "<U>")
      << entry("SubscriptBtn", "Sub", "Insert Subscript", Kind::Wrap, "<SUB>")
      << entry("SuperScriptBtn", "Sup", "Insert Superscript", Kind::Wrap, "<SUP>")
      << entry("CenterBtn", "Ctr", "Center item", Kind::Wrap, "<CENTER>")
      << entry("CommentButton", "<!>", "Insert a comment tag", Kind::Pair, "<!--", "-->");
    e << entry("Center1", "Center", "Center item", Kind::Wrap, "<CENTER>", "",
               QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_C))
      << entry("Bold1", "Bold", "Insert Bold", Kind::Wrap, "<B>", "",
               QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_B))
      << entry("Italics1", "Italics", "Insert Italics", Kind::Wrap, "<I>", "",
               QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_I))
      << entry("Underline1", "Underline", "Insert underline", Kind::Wrap, "<U>", "",
               QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_U));

    // Format page.
    for (int level = 1; level <= 6; ++level) {
        const QByteArray name = "H" + QByteArray::number(level);
        e << entry(name + "Btn", name, "Insert heading " + name, Kind::Wrap, "<" + name + ">");
    }
    e << entry("DIVBtn", "DIV", "Insert DIV block", Kind::Wrap, "<DIV>")
      << entry("BRButton", "BR", "Insert line break", Kind::Text, "<BR>")
      << entry("HRSpeedButton", "HR", "Insert horizontal bar", Kind::Text, "<HR>");

    // Lists page, and the editor pop-up's items.
    e << entry("SpeedButton69", "\u2022", "Insert bullet mark", Kind::Pair, "<UL><LI>", "</UL>")
      << entry("UnorderedListItem1", "Unordered List Item", "Insert bullet mark", Kind::Pair,
               "<UL><LI>", "</UL>")
      << entry("TableCell1", "Table Cell", "Insert a table cell", Kind::Wrap, "<TD>");

    // Forms page.
    e << entry("CBButton", "Chk", "Add Checkbox", Kind::Pair,
               "<INPUT TYPE=\"checkbox\" NAME=\"cb1\" VALUE=\"value1\">", "<BR>")
      << entry("RGButton", "Rad", "Add Radio Button", Kind::Pair,
               "<INPUT TYPE=\"radio\" NAME=\"radio1\" VALUE=\"value1\" CHECKED>", "<BR>")
      << entry("DEButton", "Txt", "Add Text or Password field", Kind::Text,
               "<INPUT TYPE=\"text\" NAME=\"text1\" SIZE=25>")
      << entry("TAButton", "Area", "Add Text Area", Kind::Text,
               "<TEXTAREA NAME=\"textarea\" ROWS=5 COLS=25></TEXTAREA>")
      << entry("BitBtn3", "Hid", "Add Hidden Field", Kind::Text,
               "<INPUT TYPE=\"hidden\" NAME=\"name1\" VALUE=\"value1\">")
      << entry("LBButton", "List", "Add Listbox", Kind::Text,
               "<SELECT NAME=\"listbox\" Size=\"0\">\r</SELECT>")
      << entry("SpeedButton21", "Op", "Options tag for Listbox field", Kind::Text, "<OPTION>");

    // ASP page.
    e << entry("ASPPercent", "%", "ASP script block", Kind::Pair, "<% ", " %>")
      << entry("ASPEqual", "=", "ASP expression", Kind::Pair, "<% =", " %>")
      << entry("SpeedButton8", "ITE", "ASP If ... Then ... End If", Kind::Pair,
               "<% If ... Then %>\r", "\r<% End If %>")
      << entry("SpeedButton58", "If", "ASP If ... Then", Kind::Pair, "<% If ", " Then %>")
      << entry("SpeedButton62", "E..I", "ASP Else If ... Then", Kind::Pair, "<% Else If ",
               " Then %>")
      << entry("SpeedButton57", "Loop", "ASP While ... Loop", Kind::Pair, "\r<% While ... %>\r",
               "\r<% Loop %>\r")
      << entry("SpeedButton52", "End", "ASP End If", Kind::Text, "<% End If %>")
      << entry("SpeedButton61", "Else", "ASP Else", Kind::Text, "<% Else %>");

    // Insert menu.
    e << entry("HorizontalBar1", "Horizontal &Bar", "Insert horizontal bar", Kind::Text, "<HR>", "",
               QKeySequence(Qt::CTRL | Qt::Key_B));

    // HTML Codes: headings, separators, the non-breaking space.
    for (int level = 1; level <= 6; ++level) {
        const QByteArray text
            = "H" + QByteArray::number(level) + " - Size " + QByteArray::number(level);
        e << entry("H" + QByteArray::number(level) + "Size" + QByteArray::number(level), text, "",
                   Kind::Heading, text);
    }
    const struct
    {
        const char *name;
        const char *markup;
    } blocks[] = {
        { "PLeft1", "<P ALIGN=\"left\"></P>" },
        { "PCenter1", "<P ALIGN=\"center\"></P>" },
        { "PRight1", "<P ALIGN=\"right\"></P>" },
        { "Div1", "<DIV></DIV>" },
        { "DivLeft1", "<DIV ALIGN=\"left\"></DIV>" },
        { "DivCenter1", "<DIV ALIGN=\"center\"></DIV>" },
        { "DivRight1", "<DIV ALIGN=\"right\"></DIV>" },
    };
    for (const auto &block : blocks)
        e << entry(block.name, block.markup, "", Kind::Caption, block.markup);
    e << entry("BR1", "<BR>", "", Kind::Text, "<BR>")
      << entry("BRClearLeft1", "<BR CLEAR=\"left\">", "", Kind::Text, "<BR CLEAR=\"left\">")
      << entry("BRClearRight1", "<BR CLEAR=\"right\">", "", Kind::Text, "<BR CLEAR=\"right\">")
      << entry("HRHorizontalBar1", "HR - Horizontal Bar", "", Kind::Text, "<HR>")
      << entry("nbspNonbreakingSpace1", "&&&nbsp; - Nonbreaking Space", "", Kind::Text, "&nbsp;",
               "", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Space));
    return e;
}

} // namespace

const QList<FixedTags::Entry> &FixedTags::entries()
{
    static const QList<Entry> table = buildEntries();
    return table;
}

const FixedTags::Entry *FixedTags::find(const QString &objectName)
{
    for (const Entry &e : entries())
        if (e.objectName == objectName)
            return &e;
    return nullptr;
}

} // namespace Tarnwick

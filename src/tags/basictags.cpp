// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/basictags.h"

#include "platform/editorcontrol.h"

namespace Tarnwick {

QStringList BasicTags::lines()
{
    return { QStringLiteral("<HTML>"),
             QStringLiteral("<HEAD>"),
             QStringLiteral("<TITLE>Web page Title</TITLE>"),
             QStringLiteral("</HEAD>"),
             QStringLiteral("<BODY>"),
             QString(),
             QStringLiteral("</BODY>"),
             QStringLiteral("</HTML>") };
}

QString BasicTags::text()
{
    return lines().join(QLatin1Char('\n'));
}

QString BasicTags::pageText()
{
    QStringList page = lines();
    page.insert(page.indexOf(QStringLiteral("<HEAD>")) + 1,
                QStringLiteral("<meta charset=\"utf-8\">"));
    return page.join(QLatin1Char('\n'));
}

void BasicTags::InsertBasicTags(EditorControl &editor)
{
    editor.ReplaceSelection(text());
}

} // namespace Tarnwick

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

void BasicTags::InsertBasicTags(EditorControl &editor)
{
    editor.ReplaceSelection(text());
}

} // namespace Tarnwick

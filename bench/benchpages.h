// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick::BenchPages {

// About 1 MB of the upper-case markup the generators write, in lines of some
// 60 characters, followed by ending.
inline QString manyLines(const QString &ending = QStringLiteral("</BODY>\n</HTML>\n"))
{
    QString text
        = QStringLiteral("<HTML><HEAD><TITLE>Bench</TITLE></HEAD>\n<BODY BGCOLOR=\"#FFFFFF\">\n");
    for (int row = 0; text.size() < 1024 * 1024; ++row)
        text += QStringLiteral(
                    "<P>Paragraph %1 with <B>bold</B> and <A HREF=\"p%1.htm\">a link</A>\n")
                    .arg(row);
    return text + ending;
}

} // namespace Tarnwick::BenchPages

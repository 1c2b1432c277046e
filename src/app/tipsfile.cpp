// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tipsfile.h"

#include "platform/textfile.h"

#include <algorithm>

namespace Tarnwick {

TipsFile::TipsFile(QStringList lines)
    : m_lines(std::move(lines))
{
}

TipsFile TipsFile::load(const QString &path)
{
    const Expected<TextFileContent> content = TextFile::read(path);
    return content ? fromText(content->text) : TipsFile();
}

TipsFile TipsFile::fromText(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the line end of the last line
    if (lines.size() == 1 && lines.constFirst().isEmpty())
        lines.clear();
    return TipsFile(std::move(lines));
}

QString TipsFile::titleFor(QChar kind)
{
    switch (kind.unicode()) {
    case '!':
        return QStringLiteral("Today's joke...");
    case '#':
        return QStringLiteral("Today's message...");
    case '\'':
        return QStringLiteral("Today's quote...");
    case '?':
        return QStringLiteral("Did you know...");
    case '^':
        return QStringLiteral("Today's tip...");
    default:
        return QString();
    }
}

TipsFile::Tip TipsFile::parse(const QString &line)
{
    if (line.isEmpty())
        return {};
    QString text = line.mid(1, MaxTextLength);
    // Each "%s" is a line break; past the fifth they stay as written.
    qsizetype from = 0;
    for (int breaks = 0; breaks < MaxLineBreaks; ++breaks) {
        const qsizetype at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        text.replace(at, 2, QStringLiteral("\n"));
        from = at + 1;
    }
    return { titleFor(line.at(0)), text };
}

TipsFile::Tip TipsFile::unavailable()
{
    return { QStringLiteral("Oops..."),
             QStringLiteral("Sorry, no tips are available. You can disable this message by "
                            "unchecking \"Show Tips at Startup\" at the bottom of this dialog. "
                            "Alternatively, re-install this program.") };
}

TipsFile::Tip TipsFile::tip(int index) const
{
    if (index < 0 || index >= lineCount())
        return unavailable();
    return parse(m_lines.at(index));
}

int TipsFile::wrap(int index) const
{
    return index >= lineCount() - 1 ? FirstDayTip : index;
}

int TipsFile::firstIndex(int tipNumber) const
{
    // Compared before subtracting: the stored number may be any int.
    return wrap(tipNumber > FirstDayTip ? tipNumber - 1 : FirstDayTip);
}

int TipsFile::next(int index) const
{
    return wrap(index + 1);
}

int TipsFile::previous(int index)
{
    return std::max(index - 1, FirstDayTip);
}

} // namespace Tarnwick

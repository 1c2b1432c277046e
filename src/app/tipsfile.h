// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace Tarnwick {

// The tips file: one tip a line, a kind character and then the text. Lines 1
// to 10 belong to the helper tips, the tips of the day are line 11 onwards.
// Indexes are 0-based line numbers.
class TipsFile final
{
public:
    static constexpr int FirstDayTip = 10; // index of line 11
    static constexpr int MaxTextLength = 255;
    static constexpr int MaxLineBreaks = 5;

    struct Tip
    {
        QString title;
        QString text;
    };

    static QString fileName() { return QStringLiteral("TIPS.TXT"); }

    explicit TipsFile(QStringList lines = {});
    // A missing or unreadable file gives an empty list.
    static TipsFile load(const QString &path);
    // The lines of a file's decoded text.
    static TipsFile fromText(const QString &text);

    bool isEmpty() const { return m_lines.isEmpty(); }
    int lineCount() const { return int(m_lines.size()); }

    // The tip on a line; a line the file does not have gives unavailable().
    Tip tip(int index) const;
    static Tip unavailable();
    static Tip parse(const QString &line);
    static QString titleFor(QChar kind);

    // Where a tip of the day starts for a stored TipNumber, and the number to
    // store after the tip at `shownIndex` was seen last.
    int firstIndex(int tipNumber) const;
    int next(int index) const;
    static int previous(int index);
    static int tipNumberAfter(int shownIndex) { return shownIndex + 2; }

private:
    // The last line is never a tip of the day: reaching it starts again.
    int wrap(int index) const;

    QStringList m_lines;
};

} // namespace Tarnwick

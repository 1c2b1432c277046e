// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

namespace Tarnwick {

enum class LineEnd { LF, CRLF, CR };

// Where a file had line ends other than its main one, so that writing the
// text back puts every line end where it was. Inside the program every line
// break is '\n'; files may mix "\r\n", "\n" and "\r".
//
// What is remembered is the text as read. When it is written, its lines are
// matched against that text: a line that is still there keeps the line end it
// was read with, wherever it moved; a line typed or changed beyond recognition
// gets the main line end. Undo, tab switches and any other way of changing the
// text cannot confuse it, because nothing has to follow the edits.
class LineEnds final
{
public:
    LineEnds() = default; // every line end is the main one

    // Splits raw text at "\r\n", "\r" and "\n". Returns the text with '\n'
    // for each line end; *main becomes the most frequent line end (ties go to
    // LF, then CR LF; no line end at all counts as LF).
    static LineEnds read(QStringView raw, QString *text, LineEnd *main);

    bool isUniform() const { return m_exceptions.isEmpty(); }

    // text ('\n' line breaks) with its line ends written out.
    QString write(QStringView text, LineEnd main) const;
    // What write(text, main) puts on disk, as read back: the memory for the
    // next write of the same file.
    LineEnds written(QStringView text, LineEnd main) const;

    friend bool operator==(const LineEnds &, const LineEnds &) = default;

private:
    // The line end of each line break of text (one per '\n').
    QList<LineEnd> resolve(QStringView text, LineEnd main) const;
    static LineEnds fromLineEnds(QStringView text, const QList<LineEnd> &ends, LineEnd main);

    QString m_text; // as read, '\n' line breaks; empty while uniform
    QList<std::pair<qsizetype, LineEnd>> m_exceptions; // (line from 0, its end), by line
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace Tarnwick {

class EditorControl;
class Prompter;

// Walks the words of the editor's text line by line, from a given line to
// the last. With HTML support, everything from "<" to the next ">" is
// skipped, across lines too. A run of 50 or more word characters is reported
// once as an invalid word and the rest of its line is skipped.
class WordScanner final
{
public:
    static constexpr int MaxWordLength = 50;

    struct Word
    {
        QString text;
        int line = 1; // from 1
        int startColumn = 0; // from 0
        int endColumn = 0; // one past the last character
    };

    WordScanner(EditorControl &editor, Prompter &prompter, bool supportHtml);

    // Word characters: the apostrophe, digits, A-Z, a-z and the letters that
    // code page 437 places at 0x80-0xA5.
    static bool isWordChar(QChar c);

    void start(int line = 1, int column = 0);
    std::optional<Word> next();
    // The word just returned was replaced by text of this length: go on after it.
    void replaced(const Word &word, int newLength);

private:
    EditorControl &m_editor;
    Prompter &m_prompter;
    bool m_supportHtml;
    int m_line = 1;
    int m_column = 0;
    bool m_inTag = false;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordscanner.h"

#include "codepage437.h"
#include "platform/editorcontrol.h"
#include "platform/prompter.h"

namespace Tarnwick {

WordScanner::WordScanner(EditorControl &editor, Prompter &prompter, bool supportHtml)
    : m_editor(editor)
    , m_prompter(prompter)
    , m_supportHtml(supportHtml)
{
}

bool WordScanner::isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\'' || (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'z')
        || (u >= u'A' && u <= u'Z'))
        return true;
    if (u < 0x80)
        return false;
    const int byte = CodePage437::fromUnicode(c);
    return byte >= 0x80 && byte <= 0xA5;
}

void WordScanner::start(int line, int column)
{
    m_line = std::max(1, line);
    m_column = std::max(0, column);
    m_inTag = false;
}

std::optional<WordScanner::Word> WordScanner::next()
{
    const int lines = m_editor.LineCount();
    while (m_line <= lines) {
        QString text = m_editor.GetLineText(m_line);
        while (text.endsWith(u'\n') || text.endsWith(u'\r'))
            text.chop(1);
        int i = m_column;
        while (i < text.size()) {
            const QChar c = text.at(i);
            if (m_inTag) {
                if (c == u'>')
                    m_inTag = false;
                ++i;
                continue;
            }
            if (m_supportHtml && c == u'<') {
                m_inTag = true;
                ++i;
                continue;
            }
            if (!isWordChar(c)) {
                ++i;
                continue;
            }
            const int start = i;
            while (i < text.size() && isWordChar(text.at(i)) && i - start < MaxWordLength)
                ++i;
            if (i - start >= MaxWordLength) {
                m_prompter.error(QStringLiteral("Aborting spell check (Invalid word): \r")
                                 + text.mid(start, MaxWordLength));
                i = int(text.size()); // the rest of the line is skipped
                break;
            }
            m_column = i;
            return Word { text.mid(start, i - start), m_line, start, i };
        }
        ++m_line;
        m_column = 0;
    }
    return std::nullopt;
}

void WordScanner::replaced(const Word &word, int newLength)
{
    m_line = word.line;
    m_column = word.startColumn + newLength;
}

} // namespace Tarnwick

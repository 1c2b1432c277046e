// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/cleanuptools.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "tags/basictags.h"
#include "tags/editorcursor.h"
#include "tags/taginserter.h"
#include "tags/textlines.h"

#include <utility>

namespace Tarnwick {

namespace {

bool endsName(QChar c)
{
    return c.isSpace() || c == u'=' || c == u'>' || c == u'/' || c == u'<';
}

qsizetype skipSpace(QStringView text, qsizetype i)
{
    while (i < text.size() && text[i].isSpace())
        ++i;
    return i;
}

// The whole attribute name: BORDERCOLOR="" must not leave BORDER behind.
bool isColorName(QStringView name)
{
    for (const QChar c : name)
        if (!c.isLetterOrNumber() && c != u'_' && c != u':' && c != u'.' && c != u'-')
            return false;
    return name.endsWith(u"color", Qt::CaseInsensitive);
}

// Elements whose content is text, not tags.
bool holdsText(QStringView tagName)
{
    for (const char *name : { "script", "style", "textarea", "title", "xmp" })
        if (tagName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Caret right behind (or in front of) the match that FindText selected.
void collapseSelection(EditorControl &editor, bool toEnd)
{
    editor.ReadSelection();
    LineColumn start { editor.StartLine, editor.StartPos };
    LineColumn end { editor.EndLine, editor.EndPos };
    if (end < start)
        std::swap(start, end);
    const LineColumn at = toEnd ? end : start;
    EditorCursor::SetEditorSelection(editor, at.line, at.column, at.column, at.line);
}

} // namespace

CleanupTools::CleanupTools(EditorControl *editor, Prompter *prompter, TagInserter *inserter,
                           Collaborators collaborators)
    : m_editor(editor)
    , m_prompter(prompter)
    , m_inserter(inserter)
    , m_collaborators(std::move(collaborators))
{
}

QString CleanupTools::removeColorsQuestion()
{
    return QStringLiteral("Remove COLOR and BGCOLOR tags with empty contents such as COLOR=\"\"?");
}

QString CleanupTools::withoutEmptyColors(const QString &text)
{
    const QStringView view(text);
    const qsizetype size = view.size();
    QString result;
    result.reserve(size);
    qsizetype kept = 0; // text before this is in result
    qsizetype i = 0;
    while (i < size) {
        const qsizetype open = view.indexOf(u'<', i);
        if (open < 0)
            break;
        const QStringView rest = view.sliced(open);
        if (rest.startsWith(u"<!--") || rest.startsWith(u"<%")) {
            const QStringView close = rest.startsWith(u"<%") ? u"%>" : u"-->";
            const qsizetype end = view.indexOf(close, open + 2);
            i = end < 0 ? size : end + close.size();
            continue;
        }
        qsizetype name = open + 1;
        const bool closing = name < size && view[name] == u'/';
        if (closing)
            ++name;
        if (name >= size || !view[name].isLetter()) {
            i = open + 1; // "a < b" in the text
            continue;
        }
        i = name;
        while (i < size && !endsName(view[i]))
            ++i;
        const QStringView tagName = view.sliced(name, i - name);
        bool ended = false;
        while (i < size) {
            i = skipSpace(view, i);
            if (i >= size || view[i] == u'<')
                break; // a tag left open: the next one starts here
            if (view[i] == u'>') {
                ++i;
                ended = true;
                break;
            }
            const qsizetype start = i;
            while (i < size && !endsName(view[i]))
                ++i;
            if (i == start) { // "/" or a stray "="
                ++i;
                continue;
            }
            if (view.sliced(i).startsWith(u"=\"\"") && isColorName(view.sliced(start, i - start))) {
                result += view.sliced(kept, start - kept);
                i += 3;
                kept = i;
                continue;
            }
            const qsizetype equals = skipSpace(view, i);
            if (equals >= size || view[equals] != u'=')
                continue;
            qsizetype value = skipSpace(view, equals + 1);
            if (value < size && (view[value] == u'"' || view[value] == u'\'')) {
                const qsizetype close = view.indexOf(view[value], value + 1);
                i = close < 0 ? size : close + 1;
            } else {
                while (value < size && !view[value].isSpace() && view[value] != u'>')
                    ++value;
                i = value;
            }
        }
        if (ended && !closing && holdsText(tagName)) {
            const QString end = QStringLiteral("</") + tagName.toString();
            const qsizetype close = view.indexOf(end, i, Qt::CaseInsensitive);
            i = close < 0 ? size : close;
        }
    }
    result += view.sliced(kept);
    return result;
}

void CleanupTools::RemoveInvalidColors1Click()
{
    if (m_prompter->message(Prompter::Kind::Information, removeColorsQuestion(),
                            Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes)
        return;
    const CursorLocation location = EditorCursor::GetCursorLocation(*m_editor);
    const QString text = m_editor->GetTextBuffer();
    const QString cleaned = withoutEmptyColors(text);
    const bool changed = cleaned.size() != text.size();
    if (changed) {
        // One replacement from the first change to the last: one undo step,
        // and the text around it stays untouched.
        qsizetype head = 0;
        while (head < cleaned.size() && text[head] == cleaned[head])
            ++head;
        qsizetype tail = 0;
        while (tail < cleaned.size() - head
               && text[text.size() - 1 - tail] == cleaned[cleaned.size() - 1 - tail])
            ++tail;
        const LineColumn start = TextLines::lineColumnAt(text, head);
        const LineColumn end = TextLines::lineColumnAt(text, text.size() - tail);
        EditorCursor::SetEditorSelection(*m_editor, start.line, start.column, end.column, end.line);
        m_editor->ReplaceSelection(cleaned.mid(head, cleaned.size() - tail - head));
    }
    EditorCursor::SetCursorLocation(*m_editor, location);
    if (changed && m_collaborators.refresh)
        m_collaborators.refresh();
}

QString CleanupTools::GetTitleText(EditorControl &editor)
{
    EditorCursor::GoToTop(editor);
    if (EditorCursor::HighlightTag(editor, QStringLiteral("<TITLE>"), QStringLiteral("</TITLE>"))) {
        const QString element = editor.GetSelText();
        const qsizetype open = element.indexOf(QLatin1Char('>'));
        const qsizetype close = element.indexOf(QLatin1Char('<'), open + 1);
        return element.mid(open + 1, close < 0 ? -1 : close - open - 1);
    }
    if (editor.FindText(QStringLiteral("<head>")) == 1)
        collapseSelection(editor, true);
    return QString();
}

void CleanupTools::EditTitle1Click()
{
    const QString title = GetTitleText(*m_editor);
    const std::optional<QString> chosen
        = m_prompter->inputText(QStringLiteral("Page Title"), QStringLiteral("New Title"), title);
    if (!chosen)
        return;
    QString element = QStringLiteral("<TITLE>") + *chosen + QStringLiteral("</TITLE>");
    if (title.isEmpty())
        element.prepend(QLatin1Char('\r'));
    m_inserter->InsertText(element);
}

QString CleanupTools::marker(const QDateTime &when, const QLocale &locale)
{
    QString stamp = locale.toString(when.date(), QLocale::ShortFormat);
    const QTime time = when.time();
    if (time.hour() != 0 || time.minute() != 0 || time.second() != 0)
        stamp += QLatin1Char(' ') + locale.toString(time, QLocale::LongFormat);
    return QStringLiteral("<PAGEMODIFIED>") + stamp + QStringLiteral("</PAGEMODIFIED>");
}

void CleanupTools::SetLastModifiedDate()
{
    EditorCursor::GoToTop(*m_editor);
    if (!EditorCursor::HighlightTag(*m_editor, QStringLiteral("<PAGEMODIFIED>"),
                                    QStringLiteral("</PAGEMODIFIED>"))
        && m_editor->FindText(QStringLiteral("</BODY>")) == 1)
        collapseSelection(*m_editor, false);
    m_editor->ReplaceSelection(marker(now(), m_collaborators.locale));
    if (m_collaborators.refresh)
        m_collaborators.refresh();
}

void CleanupTools::stampBeforeSave()
{
    const QString text = m_editor->GetTextBuffer();
    const bool hasMarker = text.contains(QLatin1String("<PAGEMODIFIED>"), Qt::CaseInsensitive)
        && text.contains(QLatin1String("</PAGEMODIFIED>"), Qt::CaseInsensitive);
    if (!hasMarker && !text.contains(QLatin1String("</BODY>"), Qt::CaseInsensitive))
        return;
    const CursorLocation location = EditorCursor::GetCursorLocation(*m_editor);
    SetLastModifiedDate();
    EditorCursor::SetCursorLocation(*m_editor, location);
}

void CleanupTools::InsertBasicTags()
{
    m_inserter->InsertText(BasicTags::text());
}

QString CleanupTools::dateText() const
{
    return m_collaborators.locale.toString(now().date(), QLocale::ShortFormat);
}

QString CleanupTools::timeText() const
{
    return m_collaborators.locale.toString(now().time(), QLocale::LongFormat);
}

void CleanupTools::Todaysdate1Click()
{
    m_inserter->InsertText(QLatin1Char(' ') + dateText() + QLatin1Char(' '));
}

void CleanupTools::CurrentTime1Click()
{
    m_inserter->InsertText(QLatin1Char(' ') + timeText() + QLatin1Char(' '));
}

void CleanupTools::DateTime2Click()
{
    const QDateTime when = now();
    m_inserter->InsertText(
        QLatin1Char(' ') + m_collaborators.locale.toString(when.date(), QLocale::ShortFormat)
        + QLatin1Char('/') + m_collaborators.locale.toString(when.time(), QLocale::LongFormat)
        + QLatin1Char(' '));
}

QDateTime CleanupTools::now() const
{
    return m_collaborators.clock ? m_collaborators.clock() : QDateTime::currentDateTime();
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/cleanuptools.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "tags/basictags.h"
#include "tags/editorcursor.h"
#include "tags/taginserter.h"
#include "tags/textlines.h"

#include <QRegularExpression>

#include <utility>

namespace Tarnwick {

namespace {

const QRegularExpression &emptyColor()
{
    // The whole attribute name: BORDERCOLOR="" must not leave BORDER behind.
    static const QRegularExpression pattern(QStringLiteral(R"((?<![\w:.-])[\w:.-]*color="")"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
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
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (auto it = emptyColor().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(from, match.capturedStart() - from);
        from = match.capturedEnd();
    }
    result += QStringView(text).mid(from);
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

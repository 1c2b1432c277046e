// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/taginserter.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "tags/tagpairtext.h"

#include <utility>

namespace Tarnwick {

TagInserter::TagInserter(EditorControl *editor, Prompter *prompter, Collaborators collaborators)
    : m_editor(editor)
    , m_prompter(prompter)
    , m_collaborators(std::move(collaborators))
{
}

bool TagInserter::editorHidden() const
{
    return m_collaborators.editorAreaHidden && m_collaborators.editorAreaHidden();
}

TagSettings TagInserter::settings() const
{
    return m_collaborators.settings ? m_collaborators.settings() : TagSettings();
}

void TagInserter::InsertSelected(const QString &tag)
{
    InsertSelected2(tag, TagPairText::closingTag(tag));
}

void TagInserter::InsertSelected2(const QString &open, const QString &close)
{
    if (editorHidden())
        return;
    m_editor->ReadSelection();
    const bool before = m_editor->StartLine < m_editor->EndLine
        || (m_editor->StartLine == m_editor->EndLine && m_editor->StartPos <= m_editor->EndPos);
    const int startLine = before ? m_editor->StartLine : m_editor->EndLine;
    const int startPos = before ? m_editor->StartPos : m_editor->EndPos;
    const bool selection = m_editor->SelLength() > 0;
    const QString selected = selection ? m_editor->GetSelText() : QString();

    m_editor->ReplaceSelection(open + selected + close);
    m_editor->ReadSelection();
    if (selection) {
        // The whole block stays selected, the caret at its end.
        m_editor->StartLine = startLine;
        m_editor->StartPos = startPos;
    } else {
        // The caret goes in front of the close, on whichever line it starts.
        const QStringList closeLines = TextFile::normaliseLineEnds(close).split(QLatin1Char('\n'));
        const int breaks = int(closeLines.size()) - 1;
        const int line = m_editor->EndLine - breaks;
        const int column = breaks == 0
            ? m_editor->EndPos - int(closeLines.first().size())
            : m_editor->LineLength(line) - int(closeLines.first().size());
        m_editor->StartLine = m_editor->EndLine = line;
        m_editor->StartPos = m_editor->EndPos = column;
    }
    m_editor->ApplySelection();
    if (m_collaborators.refresh)
        m_collaborators.refresh();
}

void TagInserter::InsertText(const QString &text)
{
    if (editorHidden())
        return;
    m_editor->ReplaceSelection(text);
    if (m_collaborators.refresh)
        m_collaborators.refresh();
}

void TagInserter::InsertCaptionAsTag(const QString &caption)
{
    const TagPair pair = TagPairText::captionAsTag(caption);
    InsertSelected2(pair.open, pair.close);
}

void TagInserter::CreateUnevenTags(const QString &pairText)
{
    const TagPair pair = TagPairText::unevenTags(pairText);
    if (!pair.isEmpty())
        InsertSelected2(pair.open, pair.close);
}

void TagInserter::ButtonInsertAsIs(const QString &hint)
{
    InsertText(hint);
}

void TagInserter::ButtonInsertEven(const QString &hint)
{
    InsertSelected(QLatin1Char('<') + hint + QLatin1Char('>'));
}

void TagInserter::ButtonInsertUnEven(const QString &hint)
{
    CreateUnevenTags(hint);
}

void TagInserter::insertFixed(const FixedTags::Entry &entry)
{
    switch (entry.kind) {
    case FixedTags::Kind::Wrap:
        InsertSelected(entry.open);
        break;
    case FixedTags::Kind::Pair:
        InsertSelected2(entry.open, entry.close);
        break;
    case FixedTags::Kind::Text:
        InsertText(entry.open);
        break;
    case FixedTags::Kind::Caption:
        InsertCaptionAsTag(entry.open);
        break;
    case FixedTags::Kind::Heading:
        CreateUnevenTags(entry.open);
        break;
    }
}

void TagInserter::ParagraphBtnClick()
{
    if (settings().useClosingP)
        InsertSelected(QStringLiteral("<P>"));
    else
        InsertText(QStringLiteral("<P>"));
}

void TagInserter::ParagraphMarkerClick()
{
    if (settings().useClosingP)
        InsertCaptionAsTag(QStringLiteral("<P></P>"));
    else
        InsertText(QStringLiteral("<P>\r"));
}

void TagInserter::FontPlusClick()
{
    InsertSelected2(QStringLiteral("<FONT SIZE=+") + QString::number(settings().fontSizeChange)
                        + QLatin1Char('>'),
                    QStringLiteral("</FONT>"));
}

void TagInserter::FontMinusClick()
{
    InsertSelected2(QStringLiteral("<FONT SIZE=-") + QString::number(settings().fontSizeChange)
                        + QLatin1Char('>'),
                    QStringLiteral("</FONT>"));
}

void TagInserter::TextButtonClick()
{
    if (editorHidden())
        return;
    if (const std::optional<QColor> color = m_prompter->chooseColor(Qt::black))
        InsertSelected2(QStringLiteral("<FONT COLOR=\"#") + MarkupBuilder::colorText(*color)
                            + QStringLiteral("\">"),
                        QStringLiteral("</FONT>"));
}

void TagInserter::FSizeChange(const QString &size)
{
    InsertSelected2(QStringLiteral("<FONT SIZE=") + size + QLatin1Char('>'),
                    QStringLiteral("</FONT>"));
}

void TagInserter::sfChange(const QString &face)
{
    InsertSelected2(QStringLiteral("<FONT FACE=\"") + face + QStringLiteral("\">"),
                    QStringLiteral("</FONT>"));
}

void TagInserter::FontDialogClick()
{
    if (editorHidden())
        return;
    const std::optional<QFont> font = m_prompter->chooseFont(m_editor->Font());
    if (!font)
        return;
    // The font dialog has no colour of its own; the colour dialog follows it.
    const std::optional<QColor> color = m_prompter->chooseColor(Qt::black);
    if (!color)
        return;
    MarkupBuilder::FontChoice choice;
    choice.face = font->family();
    choice.points = qRound(font->pointSizeF());
    choice.color = *color;
    choice.bold = font->bold();
    choice.italic = font->italic();
    choice.underline = font->underline();
    choice.strikeOut = font->strikeOut();
    const TagPair pair = MarkupBuilder::fontTags(choice);
    InsertSelected2(pair.open, pair.close);
}

void TagInserter::AddListSBClick(const MarkupBuilder::ListOptions &options)
{
    InsertText(MarkupBuilder::joinLines(MarkupBuilder::definedList(options)));
}

void TagInserter::QuickTableClick(const MarkupBuilder::TableOptions &options)
{
    InsertText(MarkupBuilder::joinLines(MarkupBuilder::quickTable(options)));
}

void TagInserter::FormTagsClick()
{
    InsertText(MarkupBuilder::formTags());
}

void TagInserter::WebPageKeyPress(EditorControl &editor, QChar key, bool useBR)
{
    if (key == QLatin1Char('\n') || (key == QLatin1Char('\r') && useBR))
        editor.ReplaceSelection(QStringLiteral("<BR>"));
}

} // namespace Tarnwick

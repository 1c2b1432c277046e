// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagcompletion.h"

#include "platform/editorcontrol.h"
#include "tags/completioncontext.h"

namespace Tarnwick {

namespace {

// The characters after which a list opens.
bool opensList(QChar typed)
{
    return typed == u'<' || typed == u'/' || typed == u' ' || typed == u'\t' || typed == u'"'
        || typed == u'\'';
}

Completion completionAt(const EditorControl &editor)
{
    // Only the text near the caret: typing in a long page stays quick.
    return CompletionContext::at(editor.TextBeforeCaret(CompletionContext::reach));
}

} // namespace

TagCompletion::TagCompletion(EditorControl *editor, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
{
    connect(editor, &EditorControl::KeyHandled, this, &TagCompletion::KeyHandled);
    connect(editor, &EditorControl::ListChosen, this, &TagCompletion::ListChosen);
}

void TagCompletion::setOn(bool on)
{
    m_on = on;
    if (!on)
        m_editor->CancelList();
}

void TagCompletion::KeyHandled(int key, QChar typed, bool listWasActive)
{
    if (!m_on)
        return;
    if (listWasActive) {
        // Enter and Tab chose from the list (or closed it), Escape closed it.
        if (typed == u'\r' || typed == u'\t' || key == Qt::Key_Escape)
            return;
        // Otherwise the list follows what is typed or deleted.
        if (opensList(typed) || typed.isPrint() || key == Qt::Key_Backspace
            || key == Qt::Key_Delete)
            offer();
        return;
    }
    if (opensList(typed))
        offer();
}

void TagCompletion::offer()
{
    const Completion completion = completionAt(*m_editor);
    if (completion.kind == Completion::Kind::None) {
        m_editor->CancelList();
        return;
    }
    // The kind is the list's id, so that a choice is written as its kind asks.
    m_editor->ShowList(int(completion.kind), completion.entries);
}

void TagCompletion::ListChosen(int id, const QString &entry)
{
    // Read again: the choice replaces what is typed now.
    const Completion completion = completionAt(*m_editor);
    if (completion.kind == Completion::Kind::None || int(completion.kind) != id)
        return;
    QString text = entry;
    int after = 0;
    const auto close = [&](QChar closing) {
        // The closing character is written unless it follows already; the
        // caret goes behind it either way.
        text += closing;
        if (m_editor->TextAfterCaret(1) == QString(closing))
            after = 1;
    };
    if (completion.kind == Completion::Kind::AttributeValue)
        close(completion.quote);
    else if (completion.kind == Completion::Kind::ClosingTag)
        close(u'>');
    m_editor->ReplaceAroundCaret(int(completion.prefix.size()), after, text);
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/fixedtags.h"
#include "tags/markupbuilder.h"
#include "tags/tagsettings.h"

#include <QString>

#include <functional>

namespace Tarnwick {

class EditorControl;
class Prompter;

// Puts markup into the page editor: a tag pair around the selection (or at
// the caret, which then stands between the halves) or text in place of the
// selection. Each insertion is one undo step and asks for a preview refresh;
// nothing happens while the full-screen preview hides the editor.
class TagInserter final
{
public:
    struct Collaborators
    {
        std::function<bool()> editorAreaHidden; // the full-screen preview is shown
        std::function<void()> refresh; // the preview follows the editor
        std::function<TagSettings()> settings;
    };

    TagInserter(EditorControl *editor, Prompter *prompter, Collaborators collaborators);

    void InsertSelected(const QString &tag); // the close derived from the tag's name
    void InsertSelected2(const QString &open, const QString &close);
    void InsertText(const QString &text);
    void InsertCaptionAsTag(const QString &caption);
    void CreateUnevenTags(const QString &pairText);
    // User buttons: the button's hint is their data.
    void ButtonInsertAsIs(const QString &hint);
    void ButtonInsertEven(const QString &hint);
    void ButtonInsertUnEven(const QString &hint);

    void insertFixed(const FixedTags::Entry &entry);

    // The tool pages' and menus' commands that need a setting or a choice.
    void ParagraphBtnClick(); // "P" with or without "</P>"
    void ParagraphMarkerClick(); // "<P></P>" of the Separators menu
    void FontPlusClick();
    void FontMinusClick();
    void TextButtonClick(); // colour dialog, FONT COLOR
    void FSizeChange(const QString &size);
    void sfChange(const QString &face);
    void FontDialogClick(); // font and colour dialogs, FONT with style tags
    void AddListSBClick(const MarkupBuilder::ListOptions &options);
    void QuickTableClick(const MarkupBuilder::TableOptions &options);
    void FormTagsClick();

    // A character typed into an editor (the page's or the internal
    // clipboard's): Enter puts "<BR>" before its line break when useBR is
    // on, Ctrl+Enter (a line feed) always does.
    static void WebPageKeyPress(EditorControl &editor, QChar key, bool useBR);

private:
    bool editorHidden() const;
    TagSettings settings() const;

    EditorControl *m_editor;
    Prompter *m_prompter;
    Collaborators m_collaborators;
};

} // namespace Tarnwick

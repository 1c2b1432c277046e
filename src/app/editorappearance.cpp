// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editorappearance.h"

#include "app/settings.h"
#include "platform/editorcontrol.h"

#include <QFontDatabase>

namespace Tarnwick {

namespace {

void takeColor(const QString &stored, QColor &value)
{
    if (const auto color = Settings::colorFromSetting(stored))
        value = *color;
}

void takeSize(const QString &stored, int &value)
{
    bool ok = false;
    if (const int size = stored.toInt(&ok); ok && size > 0)
        value = size;
}

QString storedColor(const QColor &color)
{
    return color.isValid() ? Settings::colorToSetting(color) : QString();
}

} // namespace

EditorAppearance EditorAppearance::fromEditor(const EditorControl &editor,
                                              const DefaultsSettings &d)
{
    EditorAppearance a;
    const QFont font = editor.Font();
    a.fontName = font.family();
    a.fontSize = font.pointSize() > 0 ? font.pointSize() : 10;
    a.textColor = editor.FontColor();
    a.background = editor.Color();
    a.tagForeground = editor.TagForeground();
    a.tagBackground = editor.TagBackground();
    a.selectionText = editor.ForeColorSelected();
    a.selectionBackground = editor.BackColorSelected();
    a.tabSize = editor.TabStopSize();
    a.autoIndent = editor.AutoIndent();
    a.wordWrap = editor.WordWrap();
    a.fileFormat = editor.MacStyleSave() ? 1 : editor.UnixStyleSave() ? 2 : 0;
    a.expandChars = d.ExpandCharstoHTML;
    a.useEWS = d.UseEWS;
    a.autoComplete = d.AutoComplete;
    a.foldMargin = editor.Folding();
    // The previews start from a readable look of their own; the dialog then
    // shows what the previews really use, and OK never stores an accident
    // such as text in the colour of its background.
    a.htmlFontName = d.HTMLFontName.isEmpty()
        ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()
        : d.HTMLFontName;
    a.htmlFontSize = defaultPreviewFontSize;
    takeSize(d.HTMLFontSize, a.htmlFontSize);
    a.htmlBackground = QColor(Qt::white);
    takeColor(d.HTMLBackgroundColor, a.htmlBackground);
    a.htmlFontColor = QColor(Qt::black);
    takeColor(d.HTMLFontColor, a.htmlFontColor);
    return a;
}

EditorAppearance EditorAppearance::fromSettings(const DefaultsSettings &d, EditorAppearance a)
{
    a.autoIndent = d.AutoIndent;
    a.wordWrap = d.Wordwrap;
    if (d.TabSize > 0)
        a.tabSize = d.TabSize;
    a.fileFormat = d.FileFormat;
    a.expandChars = d.ExpandCharstoHTML;
    a.useEWS = d.UseEWS;
    a.autoComplete = d.AutoComplete;
    a.foldMargin = d.ShowFoldMargin;
    if (!d.FontName.isEmpty())
        a.fontName = d.FontName;
    takeSize(d.FontSize, a.fontSize);
    takeColor(d.FontColor, a.textColor);
    takeColor(d.BackgroundColor, a.background);
    takeColor(d.SyntaxFGColor, a.tagForeground);
    takeColor(d.SyntaxBGColor, a.tagBackground);
    takeColor(d.HighlightFGColor, a.selectionText);
    takeColor(d.HighlightBGColor, a.selectionBackground);
    if (!d.HTMLFontName.isEmpty())
        a.htmlFontName = d.HTMLFontName;
    takeSize(d.HTMLFontSize, a.htmlFontSize);
    takeColor(d.HTMLBackgroundColor, a.htmlBackground);
    takeColor(d.HTMLFontColor, a.htmlFontColor);
    return a;
}

void EditorAppearance::applyTo(EditorControl &editor) const
{
    editor.SetMacStyleSave(fileFormat == 1);
    editor.SetUnixStyleSave(fileFormat == 2);
    editor.SetAutoIndent(autoIndent);
    editor.SetWordWrap(wordWrap);
    editor.SetFolding(foldMargin);
    editor.SetScrollBars(wordWrap ? EditorControl::ScrollBarStyle::Vertical
                                  : EditorControl::ScrollBarStyle::Both);
    QFont font = editor.Font();
    if (!fontName.isEmpty())
        font.setFamily(fontName);
    if (fontSize > 0)
        font.setPointSize(fontSize);
    editor.SetFont(font);
    if (textColor.isValid())
        editor.SetFontColor(textColor);
    if (background.isValid())
        editor.SetColor(background);
    if (tabSize > 0)
        editor.SetTabStopSize(tabSize);
    if (selectionText.isValid())
        editor.SetForeColorSelected(selectionText);
    if (selectionBackground.isValid())
        editor.SetBackColorSelected(selectionBackground);
    if (tagForeground.isValid() && tagBackground.isValid())
        editor.SetTagHighlightColors(tagForeground, tagBackground);
}

void EditorAppearance::store(DefaultsSettings &d) const
{
    d.UseEWS = useEWS;
    d.AutoComplete = autoComplete;
    d.ShowFoldMargin = foldMargin;
    d.AutoIndent = autoIndent;
    d.TabSize = tabSize;
    d.ExpandCharstoHTML = expandChars;
    d.Wordwrap = wordWrap;
    d.FileFormat = fileFormat;
    d.BackgroundColor = storedColor(background);
    d.FontName = fontName;
    d.FontSize = QString::number(fontSize);
    d.FontColor = storedColor(textColor);
    d.HTMLBackgroundColor = storedColor(htmlBackground);
    d.HTMLFontName = htmlFontName;
    d.HTMLFontSize = htmlFontSize > 0 ? QString::number(htmlFontSize) : QString();
    d.HTMLFontColor = storedColor(htmlFontColor);
    d.SyntaxBGColor = storedColor(tagBackground);
    d.SyntaxFGColor = storedColor(tagForeground);
    d.HighlightBGColor = storedColor(selectionBackground);
    d.HighlightFGColor = storedColor(selectionText);
}

void EditorAppearance::applyAtStart(EditorControl &editor, const DefaultsSettings &d,
                                    bool autoIndentStored)
{
    const auto syntaxBg = Settings::colorFromSetting(d.SyntaxBGColor);
    const auto syntaxFg = Settings::colorFromSetting(d.SyntaxFGColor);
    if (syntaxBg || syntaxFg)
        editor.SetTagHighlightColors(syntaxFg.value_or(editor.TagForeground()),
                                     syntaxBg.value_or(editor.TagBackground()));
    if (const auto c = Settings::colorFromSetting(d.HighlightBGColor))
        editor.SetBackColorSelected(*c);
    if (const auto c = Settings::colorFromSetting(d.HighlightFGColor))
        editor.SetForeColorSelected(*c);
    if (d.TabSize >= 1)
        editor.SetTabStopSize(d.TabSize);
    // A stored choice holds from the start; before the first exit nothing is
    // stored and the editor keeps its own setting (on).
    if (autoIndentStored)
        editor.SetAutoIndent(d.AutoIndent);
    // The chosen line-end style holds from the start, not only after the
    // editor options were confirmed once in this run.
    editor.SetMacStyleSave(d.FileFormat == 1);
    editor.SetUnixStyleSave(d.FileFormat == 2);
    if (d.Wordwrap) {
        editor.SetScrollBars(EditorControl::ScrollBarStyle::Vertical);
        editor.SetWordWrap(true);
    }
    editor.SetFolding(d.ShowFoldMargin);
    QFont font = editor.Font();
    if (!d.FontName.isEmpty())
        font.setFamily(d.FontName);
    if (const int size = d.FontSize.toInt(); size > 0)
        font.setPointSize(size);
    editor.SetFont(font);
    if (const auto c = Settings::colorFromSetting(d.FontColor))
        editor.SetFontColor(*c);
    if (const auto c = Settings::colorFromSetting(d.BackgroundColor))
        editor.SetColor(*c);
}

} // namespace Tarnwick

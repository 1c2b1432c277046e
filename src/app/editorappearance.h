// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

namespace Tarnwick {

class EditorControl;
struct DefaultsSettings;

// Everything the editor options set, as one value: read from an editor or
// from the stored settings, applied to an editor, stored back.
struct EditorAppearance
{
    QString fontName;
    int fontSize = 10;
    QColor textColor, background;
    QColor tagForeground, tagBackground;
    QColor selectionText, selectionBackground;
    int tabSize = 8;
    bool autoIndent = false;
    bool wordWrap = false;
    int fileFormat = 0; // 0 default, 1 Mac, 2 Unix line ends
    bool expandChars = true;
    bool useEWS = true;
    bool autoComplete = true; // completion while typing (the window switches it)
    bool foldMargin = true; // folding, with its margin
    // Defaults of the previews.
    QString htmlFontName;
    int htmlFontSize = 0;
    QColor htmlBackground, htmlFontColor;

    static constexpr int defaultPreviewFontSize = 12;

    // The previews' values come from the settings, or their defaults (the
    // desktop's font, black on white) where nothing is stored.
    static EditorAppearance fromEditor(const EditorControl &editor, const DefaultsSettings &d);
    // The stored settings over `current`: what was never stored keeps its value.
    static EditorAppearance fromSettings(const DefaultsSettings &d, EditorAppearance current);
    void applyTo(EditorControl &editor) const;
    // The stored settings as the program starts: only what was set changes
    // the editor, and auto indent only once it was stored.
    static void applyAtStart(EditorControl &editor, const DefaultsSettings &d,
                             bool autoIndentStored);
    void store(DefaultsSettings &d) const;

    friend bool operator==(const EditorAppearance &, const EditorAppearance &) = default;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editorappearance.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace Tarnwick {

class EditorControl;
class Settings;

// "Default Editor Settings": changes show in the sample only; "Apply" puts
// them on the editor, "OK" also stores them, "Cancel" puts the stored
// settings back on the editor (undoing an "Apply").
class EditorSettingsDialog final : public QDialog
{
    Q_OBJECT

public:
    // `applied` runs after the editor took new values, so that the window
    // can follow (fonts of the project tree and tab strip, preview defaults).
    EditorSettingsDialog(EditorControl &editor, Settings &settings,
                         std::function<void(int)> helperTip,
                         std::function<void(const EditorAppearance &)> applied,
                         QWidget *parent = nullptr);

    static QString sampleText();
    // The 18 named colours of the colour boxes.
    static QList<std::pair<QString, QColor>> namedColors();

    EditorAppearance chosen() const; // what the controls show
    EditorControl *sample() const { return m_sample; }

    void Apply();
    void Ok();
    void Cancel();
    // Escape and the window's close button count as "Cancel".
    void reject() override;

private:
    void restore();
    void showValues(const EditorAppearance &a);
    void drawSample();
    void WordwrapClick(bool checked);
    void ExpandClick(bool checked);
    QComboBox *colorBox(const QString &name);
    QComboBox *fontBox(const QString &name);
    static void selectColor(QComboBox *box, const QColor &color);

    EditorControl &m_editor;
    Settings &m_settings;
    std::function<void(int)> m_helperTip;
    std::function<void(const EditorAppearance &)> m_applied;
    EditorAppearance m_opened; // what was never stored falls back to this
    EditorAppearance m_shown; // values without a control (kept as they are)
    bool m_filling = false;

    EditorControl *m_sample = nullptr;
    QComboBox *m_fontName = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QComboBox *m_fileType = nullptr;
    QSpinBox *m_tabSize = nullptr;
    QCheckBox *m_autoIndent = nullptr;
    QCheckBox *m_wordwrap = nullptr;
    QCheckBox *m_expand = nullptr;
    QCheckBox *m_useEWS = nullptr;
    QCheckBox *m_autoComplete = nullptr;
    QCheckBox *m_foldMargin = nullptr;
    QComboBox *m_textFg = nullptr, *m_textBg = nullptr;
    QComboBox *m_tagFg = nullptr, *m_tagBg = nullptr;
    QComboBox *m_selFg = nullptr, *m_selBg = nullptr;
    QComboBox *m_htmlFontName = nullptr;
    QSpinBox *m_htmlFontSize = nullptr;
    QComboBox *m_htmlWindow = nullptr, *m_htmlFont = nullptr;
};

} // namespace Tarnwick

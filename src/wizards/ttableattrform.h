// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizards/cellattributes.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace Tarnwick {

class Prompter;
class TagInserter;

// "Cell Attributes": the attributes of a cell tag the user is typing by
// hand, inserted at the caret.
class TTableAttrForm final : public QDialog
{
    Q_OBJECT

public:
    TTableAttrForm(TagInserter *inserter, Prompter *prompter, QWidget *parent = nullptr);

    CellAttributes attributes() const;
    void OKBtnClick();

private:
    void ColorBtnClick();

    TagInserter *m_inserter;
    Prompter *m_prompter;
    QSpinBox *m_rows;
    QSpinBox *m_columns;
    QComboBox *m_vertical;
    QComboBox *m_horizontal;
    QLineEdit *m_color;
    QSpinBox *m_height;
    QCheckBox *m_heightPercent;
    QSpinBox *m_width;
    QCheckBox *m_widthPercent;
};

} // namespace Tarnwick

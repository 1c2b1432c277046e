// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QSpinBox;

namespace Tarnwick {

// Asks for a line number between 1 and the editor's line count.
class EditorGoToLineDialog final : public QDialog
{
    Q_OBJECT

public:
    EditorGoToLineDialog(int lineCount, int currentLine, QWidget *parent = nullptr);

    int line() const;

private:
    QSpinBox *m_line = nullptr;
};

} // namespace Tarnwick

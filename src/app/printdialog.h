// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QRadioButton;

namespace Tarnwick {

// "Print": which view of the page to print. The graphic view needs the
// rendered preview; without one only the text view can be chosen.
class PrintDialog final : public QDialog
{
    Q_OBJECT

public:
    enum class Choice { Graphic, Text, Both };

    explicit PrintDialog(bool graphicAvailable, QWidget *parent = nullptr);

    Choice choice() const;
    void setChoice(Choice choice);

private:
    QRadioButton *m_graphic;
    QRadioButton *m_text;
    QRadioButton *m_both;
};

} // namespace Tarnwick

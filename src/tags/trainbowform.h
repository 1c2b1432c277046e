// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/rainbow.h"

#include <QColor>
#include <QDialog>

#include <optional>

class QCheckBox;
class QFrame;
class QRadioButton;

namespace Tarnwick {

class Prompter;
class Renderer;

// "Rainbowizer": the text coloured character by character, previewed until
// OK takes it.
class TRainbowForm final : public QDialog
{
    Q_OBJECT

public:
    TRainbowForm(const QString &text, Prompter *prompter, QWidget *parent = nullptr);

    // Runs take their random numbers from this seed instead of the clock.
    void setRandomSeed(quint32 seed) { m_seed = seed; }

    Rainbow::Options options() const;
    QColor baseColor() const { return m_base; }
    QString result() const { return m_result; }
    Renderer *preview() const { return m_preview; }

    // Builds the result and shows it.
    void CreateRainbow();
    void SelectColorClick();

private:
    void showBase();

    QString m_text;
    Prompter *m_prompter;
    QColor m_base = Qt::red;
    std::optional<quint32> m_seed;
    QString m_result;
    QCheckBox *m_useRandom;
    QCheckBox *m_sixteen;
    QRadioButton *m_standard;
    QRadioButton *m_random;
    QFrame *m_basePanel;
    Renderer *m_preview;
};

} // namespace Tarnwick

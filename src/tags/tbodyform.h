// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/bodysettings.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace Tarnwick {

class Prompter;
class Renderer;

// "Body Settings": the colours, background image, margins and fixed flag of
// the BODY tag, with a live sample.
class TBodyForm final : public QDialog
{
    Q_OBJECT

public:
    enum Item { TextItem, LinkItem, VisitedLinkItem, ActiveLinkItem, BackgroundItem };

    // remembered: what "Load Defaults" and showing the dialog bring back;
    // an image named without a directory lies in pageDirectory.
    TBodyForm(const BodySettings &remembered, Prompter *prompter, const QString &pageDirectory,
              QWidget *parent = nullptr);

    static QString mediaFilter();

    BodySettings values() const { return m_values; }
    Renderer *preview() const { return m_preview; }

    void chooseItem(Item item); // loads the item's colour, then offers the colour dialog
    void LoadBackgroundClick();
    void ClearBackgroundClick();
    void LoadDefaultsClick();
    void ColorDialogClick();

private:
    QColor &itemColor(Item item);
    void showValues(); // the controls from m_values
    void sliderMoved();
    void setSliders(const QColor &color);
    void showSample();

    Prompter *m_prompter;
    BodySettings m_remembered;
    QString m_pageDirectory;
    BodySettings m_values;
    Item m_item = TextItem;
    bool m_updating = false;
    std::array<QRadioButton *, 5> m_items {};
    std::array<QSlider *, 3> m_sliders {};
    std::array<QLabel *, 3> m_readOuts {};
    std::array<QSpinBox *, 4> m_margins {};
    QCheckBox *m_fixed;
    QLabel *m_imageName;
    Renderer *m_preview;
};

} // namespace Tarnwick

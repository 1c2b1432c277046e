// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace Tarnwick {

// The start-up picture: borderless, on top, centred. It closes itself after
// five seconds or when clicked, and never holds up the main window.
class SplashWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(QWidget *parent = nullptr);
    void showNow(); // show and paint at once

    static QPixmap picture();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QTimer m_timer;
};

} // namespace Tarnwick

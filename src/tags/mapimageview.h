// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace Tarnwick {

// The picture of the image-map window at pixel size; reports the pointer and
// clicks in pixel coordinates from its top left corner.
class MapImageView final : public QWidget
{
    Q_OBJECT

public:
    explicit MapImageView(QWidget *parent = nullptr);

    void setImage(QImage image);
    const QImage &image() const { return m_image; }
    // Hands the image over, so that it can be drawn on without a copy; shows nothing until
    // setImage.
    QImage takeImage();
    QSize sizeHint() const override;

Q_SIGNALS:
    void pointerMoved(QPoint pixel);
    void leftClicked(QPoint pixel);
    void rightClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_image;
};

} // namespace Tarnwick

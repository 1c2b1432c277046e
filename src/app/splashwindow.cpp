// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/splashwindow.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace Tarnwick {

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_picture(picture())
{
    setObjectName(QStringLiteral("SplashWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(m_picture.size());
    m_timer.setSingleShot(true);
    m_timer.setInterval(5000);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::close);
}

void SplashWindow::showNow()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_timer.start();
}

QPixmap SplashWindow::picture()
{
    QPixmap pixmap(460, 260);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, pixmap.height());
    sky.setColorAt(0, QColor(0x1f, 0x3b, 0x5c));
    sky.setColorAt(1, QColor(0x3d, 0x7e, 0xa6));
    painter.fillRect(pixmap.rect(), sky);

    painter.setPen(QColor(0xf4, 0xd0, 0x3f));
    QFont brackets(QStringLiteral("DejaVu Sans Mono"), 54, QFont::Bold);
    painter.setFont(brackets);
    painter.drawText(QRect(0, 20, pixmap.width(), 110), Qt::AlignCenter, QStringLiteral("</>"));

    painter.setPen(Qt::white);
    QFont title(QStringLiteral("DejaVu Sans"), 30, QFont::Bold);
    painter.setFont(title);
    painter.drawText(QRect(0, 130, pixmap.width(), 50), Qt::AlignCenter,
                     QStringLiteral("Tarnwick"));
    QFont small(QStringLiteral("DejaVu Sans"), 10);
    painter.setFont(small);
    painter.drawText(QRect(0, 185, pixmap.width(), 24), Qt::AlignCenter,
                     QStringLiteral("An editor for hand-written web pages"));
    painter.drawText(QRect(0, 225, pixmap.width() - 12, 24), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Version ") + QStringLiteral(TARNWICK_VERSION));
    return pixmap;
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void SplashWindow::mousePressEvent(QMouseEvent *)
{
    close();
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/renderer.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <functional>

namespace Tarnwick::BenchRenderer {

// Runs action and waits, a minute at most, for the renderer's next load to
// end; true when it loaded.
inline bool untilLoaded(Renderer *renderer, const std::function<void()> &action)
{
    QEventLoop loop;
    bool ok = false;
    const auto connection
        = QObject::connect(renderer, &Renderer::loadFinished, &loop, [&](bool good) {
              ok = good;
              loop.quit();
          });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    action();
    loop.exec();
    QObject::disconnect(connection);
    return ok;
}

} // namespace Tarnwick::BenchRenderer

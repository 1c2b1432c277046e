// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace Tarnwick {
class Renderer;
}

namespace Tarnwick::TestEnvironment {

// Keeps a test away from the user's real files and settings: turns on
// QStandardPaths' test mode and points the XDG directories into a fresh
// temporary directory that lives until the process ends. Call it first in
// initTestCase().
void isolate();

// The staged data directory of the build (set by the test runner).
QString dataDirectory();

// Writes bytes to a file, creating its directory; fails the test on error.
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

// Runs action and waits in the event loop until the renderer ends a load;
// true when that load succeeded.
bool waitForLoad(Renderer *renderer, const std::function<void()> &action);

} // namespace Tarnwick::TestEnvironment

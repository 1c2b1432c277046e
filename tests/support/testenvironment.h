// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

#include <functional>

namespace Tarnwick {
class Renderer;
}

namespace Tarnwick::TestEnvironment {

// Keeps a test away from the user's real files and settings: turns on
// QStandardPaths' test mode and points the XDG directories into a fresh
// temporary directory that lives until the process ends, and the session bus
// at an address where none answers, so no desktop keyring is found, and the
// installed Hunspell dictionaries at an empty place. Call it first in
// initTestCase().
void isolate();

// The staged data directory of the build (set by the test runner).
QString dataDirectory();

// Writes bytes to a file, creating its directory; fails the test on error.
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

// How long a test waits for something that is bound to happen: generous, so
// that a slow or busy machine passes; a passing test never waits this long.
constexpr int signalBound = 120000;

// Runs action and waits in the event loop until the renderer ends a load.
// Empty when that load succeeded; otherwise says whether the load failed or
// the wait ran out.
QString loadError(Renderer *renderer, const std::function<void()> &action);
// The same as a truth value; a failure is also reported as a warning.
bool waitForLoad(Renderer *renderer, const std::function<void()> &action);

// Lets everything the engine has under way for the renderer's page come
// through: answers once a script sent after it has run. A test shows that
// something does not happen by checking after this.
bool engineRoundTrip(Renderer *renderer);
// The value of a script run in the renderer's page; "<no answer>" when none came.
QVariant evaluate(Renderer *renderer, const QString &script);

} // namespace Tarnwick::TestEnvironment

// Fails the test with the reason when the renderer does not load successfully after action.
#define QVERIFY_LOADS(renderer, action)                                                            \
    do {                                                                                           \
        const QString loadError_ = Tarnwick::TestEnvironment::loadError(renderer, action);         \
        QVERIFY2(loadError_.isEmpty(), qPrintable(loadError_));                                    \
    } while (false)

// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt application every harness runs in, made once before the first input.

#include <QCoreApplication>
#include <QStandardPaths>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static int qtArgc = 1;
    static char *qtArgv[] = { (*argv)[0], nullptr };
    Q_UNUSED(argc);
    // Keeps anything that asks for the user's folders away from the real ones.
    QStandardPaths::setTestModeEnabled(true);
    // Lives until the process ends: libFuzzer exits without unwinding.
    static QCoreApplication *app = new QCoreApplication(qtArgc, qtArgv);
    Q_UNUSED(app);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Tarnwick::Startup::describeApplication();
    QApplication application(argc, argv);
    return Tarnwick::Startup::run(application);
}

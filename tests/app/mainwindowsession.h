// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/mainwindow.h"
#include "app/openpages.h"
#include "app/settings.h"
#include "app/tipsession.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

namespace Tarnwick {

// The main window on a program directory and settings file of its own, with
// a scripted user and no tip of the day; pages still open are closed at the end.
struct MainWindowSession
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<MainWindow> window;

    MainWindowSession() { QDir().mkpath(home()); }
    ~MainWindowSession()
    {
        if (window)
            window->openPages()->CloseAllPages();
    }
    QString home() const { return dir.path() + QStringLiteral("/home/"); }
    QString settingsFile() const { return dir.filePath(QStringLiteral("Tarnwick.conf")); }
    // Writes a file into the program directory and answers its path.
    QString file(const QString &name, const QByteArray &bytes)
    {
        TestEnvironment::writeFile(home() + name, bytes);
        return home() + name;
    }
    void store(const QString &key, const QVariant &value)
    {
        QSettings(settingsFile(), QSettings::IniFormat).setValue(key, value);
    }
    QVariant stored(const QString &key)
    {
        return QSettings(settingsFile(), QSettings::IniFormat).value(key);
    }
    MainWindow &start()
    {
        settings = std::make_unique<Settings>(
            std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat));
        window = std::make_unique<MainWindow>(home(), settings.get(), &prompter);
        window->tips().setPresenter([](TipSession &) {});
        window->show();
        window->activateWindow();
        return *window;
    }
};

} // namespace Tarnwick

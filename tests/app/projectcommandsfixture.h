// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/openpages.h"
#include "app/projectcommands.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "project/projectoutline.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace Tarnwick {

// The project commands as the main window wires them: the tree, the open
// pages over a real editor, settings and a scripted user, in a program
// directory of their own.
struct ProjectCommandsFixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Settings settings { std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.conf")),
                                                    QSettings::IniFormat) };
    EditorControl editor;
    QTabBar tabs;
    QString home = dir.filePath(QStringLiteral("home/"));
    OpenPages pages { &editor, &tabs, &prompter, &settings, home };
    ProjectOutline outline;
    ProjectCommands commands { &outline, &pages, &editor, &prompter, &settings, home };

    ProjectCommandsFixture()
    {
        QDir().mkpath(home);
        outline.setProgramDirectory(home);
    }
};

// Runs `answer` on the modal dialog that `command` opens; answers the dialog's caption.
inline QString withDialog(QObject *context, const std::function<void()> &command,
                          const std::function<void(QWidget *)> &answer)
{
    QString caption;
    QTimer::singleShot(0, context, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            caption = dialog->windowTitle();
            answer(dialog);
        }
    });
    command();
    return caption;
}

} // namespace Tarnwick

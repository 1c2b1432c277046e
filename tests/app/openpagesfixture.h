// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/openpages.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>

#include <memory>

namespace Tarnwick {

// Open pages over a real editor, with their own directory, settings and
// scripted user; tests of what works on open pages build on it.
struct OpenPagesFixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Settings settings { std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.conf")),
                                                    QSettings::IniFormat) };
    EditorControl editor;
    QTabBar tabs;
    OpenPages pages { &editor, &tabs, &prompter, &settings, dir.path() + QLatin1Char('/') };

    // Writes a file into the directory and answers its path.
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        TestEnvironment::writeFile(path, bytes);
        return path;
    }
};

} // namespace Tarnwick

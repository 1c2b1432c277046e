// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace Tarnwick {

class ImageCommands;
class MainWindow;
class PreviewController;
class Prompter;
class Settings;

// Wires the images, links, templates and parameter dialog commands into the
// main window: tool pages, menu items, the gallery in the preview and the
// attribute double click.
class ImageController final : public QObject
{
public:
    struct Parts
    {
        MainWindow *window = nullptr; // its menus are built
        PreviewController *preview = nullptr;
        Settings *settings = nullptr;
        Prompter *prompter = nullptr;
    };

    explicit ImageController(const Parts &parts, QObject *parent = nullptr);

    ImageCommands *commands() const { return m_commands; }

private:
    ImageCommands *m_commands;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/bodysettings.h"

#include <QObject>
#include <QString>

namespace Tarnwick {

class EditorControl;
class OpenPages;
class Prompter;
class Settings;

// Starts the page generators on the page in the editor, and keeps for the
// run what they leave for other commands: the remembered body settings.
class WizardCommands final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EditorControl *editor = nullptr;
        OpenPages *pages = nullptr;
        Settings *settings = nullptr;
        Prompter *prompter = nullptr;
        QString programDirectory;
    };

    explicit WizardCommands(Parts parts, QObject *parent = nullptr);

    // "Initial Values" for the new, empty page in the editor.
    void StartInitialValues();

    BodySettings &bodySettings() { return m_body; }

Q_SIGNALS:
    void refreshPreview();

private:
    Parts m_parts;
    BodySettings m_body;
};

} // namespace Tarnwick

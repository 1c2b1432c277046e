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

// Starts the page generators on the page in the editor; what they choose
// for the BODY statement goes to the remembered body settings.
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
        BodySettings *body = nullptr; // the tag commands' record, shared
    };

    explicit WizardCommands(Parts parts, QObject *parent = nullptr);

    // "Initial Values" for the new, empty page in the editor.
    void StartInitialValues();

Q_SIGNALS:
    void refreshPreview();

private:
    Parts m_parts;
};

} // namespace Tarnwick

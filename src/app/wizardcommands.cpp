// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/wizardcommands.h"

#include "app/openpages.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "wizards/tinitialvaluesform.h"

#include <utility>

namespace Tarnwick {

WizardCommands::WizardCommands(Parts parts, QObject *parent)
    : QObject(parent)
    , m_parts(std::move(parts))
{
    connect(m_parts.pages, &OpenPages::newPageCreationRequested, this,
            &WizardCommands::StartInitialValues);
}

void WizardCommands::StartInitialValues()
{
    TInitialValuesForm::Context context;
    context.editor = m_parts.editor;
    context.prompter = m_parts.prompter;
    context.programDirectory = m_parts.programDirectory;
    context.pageDirectory = m_parts.pages->currentDirectory();
    context.author = m_parts.settings->Defaults.AuthorName;
    context.body = m_parts.body;
    context.refreshPreview = [this] { Q_EMIT refreshPreview(); };
    TInitialValuesForm dialog(std::move(context), m_parts.editor->window());
    if (dialog.exec() == QDialog::Accepted)
        m_parts.settings->Defaults.AuthorName = dialog.author();
}

} // namespace Tarnwick

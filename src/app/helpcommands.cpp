// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/helpcommands.h"

#include "app/aboutbox.h"
#include "app/programdirectory.h"
#include "app/tips.h"
#include "platform/prompter.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QUrl>

namespace Tarnwick {

HelpCommands::HelpCommands(Prompter &prompter, Tips &tips, const QString &programDirectory,
                           QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_prompter(prompter)
    , m_tips(tips)
    , m_programDirectory(programDirectory)
{
    setObjectName(QStringLiteral("HelpCommands"));
}

void HelpCommands::fillHelpMenu(QMenu *help)
{
    connect(help->addAction(QStringLiteral("&About...")), &QAction::triggered, this,
            &HelpCommands::About1Click);
    m_showHints = help->addAction(QStringLiteral("&Show Hints"));
    m_showHints->setCheckable(true);
    m_showHints->setChecked(true);
    connect(help->addAction(QStringLiteral("&Contents...")), &QAction::triggered, this,
            &HelpCommands::Contents1Click);
    connect(help->addAction(QStringLiteral("Show &Tips...")), &QAction::triggered, this,
            [this] { m_tips.ShowTipOfTheDay(); });
}

bool HelpCommands::hintsShown() const
{
    return !m_showHints || m_showHints->isChecked();
}

void HelpCommands::setHintsShown(bool shown)
{
    if (m_showHints)
        m_showHints->setChecked(shown);
}

void HelpCommands::About1Click()
{
    AboutBox about(m_programDirectory, m_window);
    about.exec();
}

void HelpCommands::Contents1Click()
{
    const QString index
        = ProgramDirectory::installedDataDirectory() + QStringLiteral("help/index.html");
    if (!QFileInfo::exists(index))
        m_prompter.error(QStringLiteral("The help pages are missing: ") + index);
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(index)))
        m_prompter.error(QStringLiteral("No web browser is set up to show the help pages: ")
                         + index);
}

} // namespace Tarnwick

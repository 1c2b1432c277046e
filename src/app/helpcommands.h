// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace Tarnwick {

class Prompter;
class Tips;

// The Help menu: "&About...", "&Show Hints" (whether controls show their
// tool tips), "&Contents..." (the user guide in the web browser) and
// "Show &Tips...".
class HelpCommands final : public QObject
{
    Q_OBJECT

public:
    HelpCommands(Prompter &prompter, Tips &tips, const QString &programDirectory, QWidget *window);

    void fillHelpMenu(QMenu *help);

    // Ticked unless the settings turned hints off; tool tips follow it.
    bool hintsShown() const;
    void setHintsShown(bool shown);

    void About1Click();
    void Contents1Click();

private:
    QWidget *m_window;
    Prompter &m_prompter;
    Tips &m_tips;
    QString m_programDirectory;
    QAction *m_showHints = nullptr;
};

} // namespace Tarnwick

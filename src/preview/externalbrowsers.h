// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace Tarnwick {

class EditorControl;
class Prompter;

// Shows the page under edit in a browser program of the user's choice: the
// editor's text, saved or not, goes to the preview file beside the page and
// the browser is started with that file.
class ExternalBrowsers final
{
public:
    // Starts program with its arguments in a working directory; true when it started.
    using Launcher = std::function<bool(const QString &program, const QStringList &arguments,
                                        const QString &workingDirectory)>;

    ExternalBrowsers(EditorControl *editor, Prompter *prompter);

    void setLauncher(Launcher launcher);

    // "View page in " and the program's file name.
    static QString menuCaption(const QString &browserProgram);

    // The page directory must be the current page's directory.
    void LaunchBrowser(const QString &browserProgram, bool usePrefix, const QString &pageDirectory);

private:
    EditorControl *m_editor;
    Prompter *m_prompter;
    Launcher m_launch;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "externalbrowsers.h"

#include "platform/editorcontrol.h"
#include "platform/menutext.h"
#include "platform/prompter.h"
#include "previewfile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace Tarnwick {

ExternalBrowsers::ExternalBrowsers(EditorControl *editor, Prompter *prompter)
    : m_editor(editor)
    , m_prompter(prompter)
    , m_launch([](const QString &program, const QStringList &arguments, const QString &directory) {
        return QProcess::startDetached(program, arguments, directory);
    })
{
}

void ExternalBrowsers::setLauncher(Launcher launcher)
{
    m_launch = std::move(launcher);
}

QString ExternalBrowsers::menuCaption(const QString &browserProgram)
{
    return QStringLiteral("View page in ") + plainMenuText(QFileInfo(browserProgram).fileName());
}

void ExternalBrowsers::LaunchBrowser(const QString &browserProgram, bool usePrefix,
                                     const QString &pageDirectory)
{
    if (browserProgram.trimmed().isEmpty()) {
        m_prompter->information(QStringLiteral("No default browser has been selected!"));
        return;
    }
    const QString previewFile = PreviewFile::path(pageDirectory);
    if (Result written = PreviewFile::write(*m_editor, pageDirectory); !written) {
        m_prompter->error(written.error());
        return;
    }
    const QString parameter = usePrefix ? QStringLiteral("FILE://") + previewFile : previewFile;

    // A bare name is looked up on PATH, as a shell would.
    QString program = browserProgram.trimmed();
    if (!program.contains(u'/')) {
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty())
            program = found;
    }
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable() || !m_launch(program, { parameter }, pageDirectory))
        m_prompter->information(QStringLiteral(
            "Error launching external browser!  Please verify browser location and try again."));
}

} // namespace Tarnwick

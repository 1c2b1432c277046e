// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/stripcodes.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/renderer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace Tarnwick {

StripCodes::StripCodes(EditorControl *editor, Prompter *prompter, Renderer *preview,
                       std::function<QString()> pageDirectory, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_preview(preview)
    , m_pageDirectory(std::move(pageDirectory))
{
}

QString StripCodes::question()
{
    return QStringLiteral(
        "Are you sure that you want to strip all of the HTML codes from this page?");
}

QString StripCodes::loadFailed()
{
    return QStringLiteral("The page could not be shown in the viewer, so its HTML codes were not "
                          "stripped.");
}

QString StripCodes::pageChanged()
{
    return QStringLiteral("The page was changed while its HTML codes were being stripped; it "
                          "was left as it is.");
}

void StripCodes::StripAllCodes1Click()
{
    if (m_running)
        return;
    if (m_prompter->message(Prompter::Kind::Information, question(), Prompter::Buttons::OkCancel)
        != Prompter::Answer::Ok)
        return;
    m_running = true;
    m_text = m_editor->GetTextBuffer();
    loadWhenIdle();
}

void StripCodes::loadWhenIdle()
{
    if (m_preview->Busy()) {
        // The running load must end first, or its end would be taken for
        // ours; the renderer reports idle before it reports that load's end.
        m_waiting = connect(m_preview, &Renderer::busyChanged, this, [this](bool busy) {
            if (!busy) {
                disconnect(m_waiting);
                QTimer::singleShot(0, this, &StripCodes::loadWhenIdle);
            }
        });
        return;
    }
    load();
}

void StripCodes::load()
{
    const QString directory = m_pageDirectory ? m_pageDirectory() : QString();
    // A preview that already shows this very text would show it again: on a
    // large page the load is most of the wait.
    if (m_preview->ShowsBuffer(m_text, directory)) {
        loaded(true);
        return;
    }
    m_waiting = connect(m_preview, &Renderer::loadFinished, this, &StripCodes::loaded);
    m_preview->LoadFromBuffer(m_text, directory);
}

void StripCodes::loaded(bool ok)
{
    disconnect(m_waiting);
    if (!ok) {
        finish(false, loadFailed());
        return;
    }
    QPointer<StripCodes> self(this);
    m_preview->DocumentText([self](const QString &text) {
        if (!self)
            return;
        if (self->m_editor->GetTextBuffer() != self->m_text) {
            self->finish(false, pageChanged());
            return;
        }
        QGuiApplication::clipboard()->setText(text);
        // Straight into the editor, one undo step: a clipboard round trip
        // could paste what another program put there meanwhile.
        self->m_editor->SetText(text);
        self->m_editor->SetFirstVisibleLine(1);
        self->m_editor->SetFirstVisiblePos(0);
        self->finish(true);
    });
}

void StripCodes::finish(bool stripped, const QString &error)
{
    m_running = false;
    m_text.clear();
    if (!error.isEmpty())
        m_prompter->error(error);
    Q_EMIT done(stripped);
}

} // namespace Tarnwick

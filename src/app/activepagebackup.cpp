// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/activepagebackup.h"

#include "app/openpages.h"
#include "platform/editorcontrol.h"
#include "platform/textfile.h"

#include <QEvent>

namespace Tarnwick {

ActivePageBackup::ActivePageBackup(EditorControl *editor, OpenPages *pages, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_pages(pages)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(defaultPause);
    connect(&m_pause, &QTimer::timeout, this, &ActivePageBackup::writeNow);
    connect(m_editor, &EditorControl::OnChange, this, &ActivePageBackup::onChange);
}

void ActivePageBackup::setPause(std::chrono::milliseconds pause)
{
    m_pause.setInterval(pause);
}

void ActivePageBackup::watchWindow(QObject *window)
{
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    m_window->installEventFilter(this);
}

void ActivePageBackup::onChange()
{
    if (m_pages->activeIndex() < 0)
        return;
    m_pending = true;
    m_pause.start(); // each key starts the pause again
}

void ActivePageBackup::writeNow()
{
    m_pause.stop();
    if (!m_pending)
        return; // nothing typed since the last backup
    const int active = m_pages->activeIndex();
    // Saved, switched away (which writes the backup) or closed: nothing to keep.
    if (active < 0 || !m_editor->Modified()) {
        m_pending = false;
        return;
    }
    const QString path = m_pages->page(active).backupFileName();
    if (const Result written = TextFile::write(path, m_editor->Text(), m_editor->FileFormat());
        !written) {
        // Once, in the status bar: a message box would interrupt the typing.
        // The next pause or loss of focus tries again.
        if (!m_failing)
            Q_EMIT statusText(written.error());
        m_failing = true;
        return;
    }
    m_pending = false;
    m_failing = false;
    Q_EMIT backupWritten(path);
}

bool ActivePageBackup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::WindowDeactivate)
        writeNow();
    return QObject::eventFilter(watched, event);
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

namespace Tarnwick {

class EditorControl;
class OpenPages;

// Keeps the active page's text in its page backup file too while it is
// modified, so that a crash costs at most the last few seconds of typing:
// written after a pause in typing and when the watched window loses focus.
// A backup that cannot be written is reported once until one succeeds again.
class ActivePageBackup final : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultPause { 3000 };

    ActivePageBackup(EditorControl *editor, OpenPages *pages, QObject *parent = nullptr);

    void setPause(std::chrono::milliseconds pause);
    // Its deactivation writes the backup at once.
    void watchWindow(QObject *window);

    // Writes the backup now when the active page has changes not yet in it.
    void writeNow();

Q_SIGNALS:
    void backupWritten(const QString &path);
    void statusText(const QString &text);

private:
    void onChange();
    bool eventFilter(QObject *watched, QEvent *event) override;

    EditorControl *m_editor;
    OpenPages *m_pages;
    QObject *m_window = nullptr;
    QTimer m_pause;
    bool m_pending = false; // edits since the last backup of the active page
    bool m_failing = false; // the last write failed and was reported
};

} // namespace Tarnwick

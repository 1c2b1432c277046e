// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStyle>

class QAction;
class QIcon;
class QToolButton;
class QWidget;

namespace Tarnwick {

class EditCommands;
class OpenPages;
class PreviewCommands;
class PreviewController;

// The row of speed buttons above the editor: the page, clipboard and preview
// commands a click away. The buttons carry out what other controllers offer;
// commands that belong to the main window come out as signals.
class SpeedButtons final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        OpenPages *pages = nullptr;
        EditCommands *edit = nullptr;
        PreviewController *preview = nullptr;
        PreviewCommands *previewCommands = nullptr;
    };

    // Fills `panel` (which has no layout yet) with the buttons.
    SpeedButtons(QWidget *panel, const Parts &parts, QObject *parent = nullptr);

    // What can be done follows whether a page is open and a browser is set up.
    void setPageState(bool anyPageOpen, bool browserConfigured);
    void setSaveEnabled(bool enabled);
    void setClipboardButtons(bool cutCopy, bool paste);
    // Where a feature's own button joins the row, after the clipboard buttons.
    QToolButton *pasteButton() const { return m_pasteBtn; }

    // An icon of the desktop's theme, or Qt's own where the theme has none.
    static QIcon themed(const char *name, QStyle::StandardPixmap fallback);
    // A flat tool button with its hint in the tool tip and on the status bar.
    static QToolButton *speedButton(QWidget *parent, const char *name, const QString &hint,
                                    const QIcon &icon);
    // A button for a command that also sits on a menu: it follows the action's
    // hint and enabling but keeps its own icon, so that the menu shows the text.
    static QToolButton *actionButton(QWidget *parent, const char *name, QAction *action,
                                     const QIcon &icon);

signals:
    void openRequested();
    void browserRequested(); // the first external browser
    void splitToggled();
    void projectPaneToggled();

private:
    QToolButton *m_closeBtn = nullptr;
    QToolButton *m_saveBtn = nullptr;
    QToolButton *m_printBtn = nullptr;
    QToolButton *m_cutBtn = nullptr;
    QToolButton *m_copyBtn = nullptr;
    QToolButton *m_pasteBtn = nullptr;
    QToolButton *m_refreshBtn = nullptr;
    QToolButton *m_browserBtn = nullptr;
};

} // namespace Tarnwick

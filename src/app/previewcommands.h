// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace Tarnwick {

class PreviewController;
class Renderer;

// The window's preview commands: the full-screen switch (menu bar command
// and button), the history buttons and the "His&tory" menu. The preview
// controller does the work; this keeps the commands' captions, hints and
// enabling in step with it.
class PreviewCommands final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        PreviewController *preview = nullptr;
        Renderer *htmlSplit = nullptr;
        Renderer *htmlFull = nullptr;
        // Hidden while the full-screen view is on (the panes and tool panel).
        QList<QWidget *> splitViewWidgets;
        // The window caption of the page under edit, for when a preview shows its text again.
        std::function<QString()> pageCaption;
    };

    explicit PreviewCommands(const Parts &parts, QObject *parent = nullptr);

    // "&View Full Screen!" (F6), also the full-view button's action.
    QAction *fullViewAction() const { return m_fullView; }
    QAction *backAction() const { return m_back; }
    QAction *forwardAction() const { return m_forward; }
    // Puts the ten history items into `menu`, which stays hidden while the
    // history is empty.
    void fillHistoryMenu(QMenu *menu);
    QList<QAction *> historyItems() const { return m_historyItems; }

    // Full-screen view needs a page; closing the last page leaves it.
    void setPageOpen(bool open);

    // Buttons, menu and window caption after a history change of `renderer`.
    void HTMLSplitHistoryChange(Renderer *renderer);

Q_SIGNALS:
    // The previewed document's title, for the window caption.
    void captionChanged(const QString &caption);

private:
    void onFullScreenChanged(bool fullScreen);
    void showTitle(Renderer *renderer);
    // After a load: the title of a history entry, or the page's own caption
    // and no entry checked when the preview shows the editor's text again.
    void onLoadFinished(Renderer *renderer, bool ok);

    Parts m_parts;
    QAction *m_fullView = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QPointer<QMenu> m_historyMenu;
    QList<QAction *> m_historyItems;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/previewcommands.h"

#include "platform/menutext.h"
#include "platform/renderer.h"
#include "preview/previewcontroller.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace Tarnwick {

namespace {

constexpr int historyItemCount = 10;

QAction *hintedAction(const QString &caption, const QString &hint, QObject *parent)
{
    auto *action = new QAction(caption, parent);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

} // namespace

PreviewCommands::PreviewCommands(const Parts &parts, QObject *parent)
    : QObject(parent)
    , m_parts(parts)
{
    m_fullView = hintedAction(PreviewController::fullViewCaption(false),
                              PreviewController::fullViewHint(false), this);
    m_fullView->setObjectName(QStringLiteral("View1"));
    m_fullView->setShortcut(Qt::Key_F6);
    m_fullView->setEnabled(false);
    m_back
        = hintedAction(QStringLiteral("Back"), QStringLiteral("Move viewer back one page"), this);
    m_back->setObjectName(QStringLiteral("BackButton"));
    m_back->setEnabled(false);
    m_forward = hintedAction(QStringLiteral("Forward"),
                             QStringLiteral("Move viewer forward one page"), this);
    m_forward->setObjectName(QStringLiteral("FWDButton"));
    m_forward->setEnabled(false);

    PreviewController *preview = m_parts.preview;
    connect(m_fullView, &QAction::triggered, preview, &PreviewController::View1Click);
    connect(m_back, &QAction::triggered, preview, [preview] { preview->FwdBackClick(true); });
    connect(m_forward, &QAction::triggered, preview, [preview] { preview->FwdBackClick(false); });
    connect(preview, &PreviewController::fullScreenChanged, this,
            &PreviewCommands::onFullScreenChanged);
    connect(preview, &PreviewController::historyChanged, this,
            &PreviewCommands::HTMLSplitHistoryChange);
    m_parts.htmlFull->hide();
    // Going back or forward announces the change before the document is
    // there; its title comes with the end of the load.
    for (Renderer *renderer : { m_parts.htmlSplit, m_parts.htmlFull })
        connect(renderer, &Renderer::loadFinished, this,
                [this, renderer](bool ok) { onLoadFinished(renderer, ok); });
}

void PreviewCommands::onLoadFinished(Renderer *renderer, bool ok)
{
    if (!ok || renderer->Busy())
        return;
    const QStringList history = renderer->History();
    const int index = renderer->HistoryIndex();
    if (index >= 0 && index < history.size() && renderer->CurrentAddress() == history.at(index)) {
        showTitle(renderer);
        return;
    }
    // The editor's text, not a page of the history.
    for (QAction *item : std::as_const(m_historyItems))
        item->setChecked(false);
    const bool inView = (renderer == m_parts.htmlSplit) != m_parts.preview->fullScreen();
    if (m_parts.pageCaption && inView)
        Q_EMIT captionChanged(m_parts.pageCaption());
}

void PreviewCommands::fillHistoryMenu(QMenu *menu)
{
    m_historyMenu = menu;
    menu->setObjectName(QStringLiteral("History1"));
    menu->menuAction()->setVisible(false);
    for (int i = 0; i < historyItemCount; ++i) {
        QAction *item = menu->addAction(QString());
        item->setCheckable(true);
        item->setVisible(false);
        connect(item, &QAction::triggered, m_parts.preview,
                [this, i] { m_parts.preview->HistoryClick(i); });
        m_historyItems.append(item);
    }
}

void PreviewCommands::setPageOpen(bool open)
{
    if (!open)
        m_parts.preview->HideFullScreen();
    m_fullView->setEnabled(open);
}

void PreviewCommands::HTMLSplitHistoryChange(Renderer *renderer)
{
    const PreviewController::HistoryView view = PreviewController::historyView(*renderer);
    m_back->setEnabled(view.backEnabled);
    m_forward->setEnabled(view.forwardEnabled);
    if (m_historyMenu)
        m_historyMenu->menuAction()->setVisible(!view.entries.isEmpty());
    for (int i = 0; i < m_historyItems.size(); ++i) {
        QAction *item = m_historyItems.at(i);
        const bool used = i < view.entries.size();
        item->setVisible(used);
        if (!used)
            continue;
        item->setText(plainMenuText(view.entries.at(i)));
        item->setChecked(i == view.current);
    }
    showTitle(renderer);
}

void PreviewCommands::showTitle(Renderer *renderer)
{
    // An untitled document leaves the caption as it is.
    if (const QString title = renderer->DocumentTitle(); !title.isEmpty())
        Q_EMIT captionChanged(title);
}

void PreviewCommands::onFullScreenChanged(bool fullScreen)
{
    for (QWidget *widget : std::as_const(m_parts.splitViewWidgets))
        widget->setVisible(!fullScreen);
    m_parts.htmlFull->setVisible(fullScreen);
    if (fullScreen)
        m_parts.htmlFull->setFocus();
    const QString hint = PreviewController::fullViewHint(fullScreen);
    m_fullView->setText(PreviewController::fullViewCaption(fullScreen));
    m_fullView->setToolTip(hint);
    m_fullView->setStatusTip(hint);
}

} // namespace Tarnwick

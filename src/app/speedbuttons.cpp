// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/speedbuttons.h"

#include "app/editcommands.h"
#include "app/openpages.h"
#include "app/previewcommands.h"
#include "preview/previewcontroller.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>

namespace Tarnwick {

QIcon SpeedButtons::themed(const char *name, QStyle::StandardPixmap fallback)
{
    // The style's icon is made only when needed: making it costs more than the lookup.
    const QString themeName = QLatin1String(name);
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    return QApplication::style()->standardIcon(fallback);
}

QToolButton *SpeedButtons::speedButton(QWidget *parent, const char *name, const QString &hint,
                                       const QIcon &icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAutoRaise(true);
    button->setIconSize(QSize(20, 20));
    return button;
}

QToolButton *SpeedButtons::actionButton(QWidget *parent, const char *name, QAction *action,
                                        const QIcon &icon)
{
    QToolButton *button = speedButton(parent, name, action->toolTip(), icon);
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button, [button, action] {
        button->setEnabled(action->isEnabled());
        button->setToolTip(action->toolTip());
        button->setStatusTip(action->statusTip());
    });
    return button;
}

SpeedButtons::SpeedButtons(QWidget *panel, const Parts &parts, QObject *parent)
    : QObject(parent)
{
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    auto *newBtn = speedButton(panel, "SpeedButton35", QStringLiteral("New page"),
                               themed("document-new", QStyle::SP_FileIcon));
    auto *openBtn = speedButton(panel, "SpeedButton1", QStringLiteral("Open page"),
                                themed("document-open", QStyle::SP_DialogOpenButton));
    m_closeBtn = speedButton(panel, "CloseBtn", QStringLiteral("Close page"),
                             themed("document-close", QStyle::SP_DialogCloseButton));
    m_saveBtn = speedButton(panel, "SaveAsBtn", QStringLiteral("Save page"),
                            themed("document-save", QStyle::SP_DialogSaveButton));
    m_printBtn = speedButton(panel, "PrintBtn", QStringLiteral("Print"),
                             themed("document-print", QStyle::SP_FileDialogDetailedView));
    m_cutBtn = speedButton(panel, "CutBtn", QStringLiteral("Cut to clipboard"),
                           themed("edit-cut", QStyle::SP_TrashIcon));
    m_copyBtn = speedButton(panel, "CopyBtn", QStringLiteral("Copy to clipboard"),
                            themed("edit-copy", QStyle::SP_FileLinkIcon));
    m_pasteBtn = speedButton(panel, "PasteBtn", QStringLiteral("Paste to clipboard"),
                             themed("edit-paste", QStyle::SP_ArrowDown));
    auto *splitBtn
        = speedButton(panel, "SpeedButton31", QStringLiteral("Toggle split screen style"),
                      themed("view-split-left-right", QStyle::SP_TitleBarNormalButton));
    auto *projectBtn
        = speedButton(panel, "SpeedButton20", QStringLiteral("Display/Hide project structure"),
                      themed("view-list-tree", QStyle::SP_DirIcon));
    m_refreshBtn = speedButton(panel, "RefreshBtn", QStringLiteral("Refresh HTML Viewer"),
                               themed("view-refresh", QStyle::SP_BrowserReload));
    m_browserBtn = speedButton(panel, "BrowserBtn", QStringLiteral("Launch external browser #1"),
                               themed("web-browser", QStyle::SP_DriveNetIcon));
    PreviewCommands *view = parts.previewCommands;
    auto *fullViewBtn = actionButton(panel, "FullViewbtn", view->fullViewAction(),
                                     themed("view-fullscreen", QStyle::SP_TitleBarMaxButton));
    auto *backBtn = actionButton(panel, "BackButton", view->backAction(),
                                 themed("go-previous", QStyle::SP_ArrowBack));
    auto *forwardBtn = actionButton(panel, "FWDButton", view->forwardAction(),
                                    themed("go-next", QStyle::SP_ArrowForward));

    for (QToolButton *button :
         { newBtn, openBtn, m_closeBtn, m_saveBtn, m_printBtn, m_cutBtn, m_copyBtn, m_pasteBtn,
           m_refreshBtn, fullViewBtn, backBtn, forwardBtn, m_browserBtn, splitBtn, projectBtn })
        layout->addWidget(button);

    connect(newBtn, &QToolButton::clicked, parts.pages, &OpenPages::New1Click);
    connect(openBtn, &QToolButton::clicked, this, &SpeedButtons::openRequested);
    connect(m_closeBtn, &QToolButton::clicked, parts.pages, &OpenPages::CloseActivePage);
    connect(m_saveBtn, &QToolButton::clicked, parts.pages, &OpenPages::Save1Click);
    connect(m_printBtn, &QToolButton::clicked, parts.edit, &EditCommands::Print1Click);
    connect(m_cutBtn, &QToolButton::clicked, parts.edit, &EditCommands::Cut1Click);
    connect(m_copyBtn, &QToolButton::clicked, parts.edit, &EditCommands::Copy1Click);
    connect(m_pasteBtn, &QToolButton::clicked, parts.edit, &EditCommands::Paste1Click);
    connect(m_refreshBtn, &QToolButton::clicked, parts.preview, &PreviewController::UpdateWebView);
    connect(m_browserBtn, &QToolButton::clicked, this, &SpeedButtons::browserRequested);
    connect(splitBtn, &QToolButton::clicked, this, &SpeedButtons::splitToggled);
    connect(projectBtn, &QToolButton::clicked, this, &SpeedButtons::projectPaneToggled);
}

void SpeedButtons::setPageState(bool anyPageOpen, bool browserConfigured)
{
    m_refreshBtn->setEnabled(anyPageOpen);
    m_browserBtn->setEnabled(anyPageOpen && browserConfigured);
    for (QToolButton *button : { m_closeBtn, m_printBtn, m_pasteBtn })
        button->setEnabled(anyPageOpen);
    if (!anyPageOpen)
        m_saveBtn->setEnabled(false);
}

void SpeedButtons::setSaveEnabled(bool enabled)
{
    m_saveBtn->setEnabled(enabled);
}

void SpeedButtons::setClipboardButtons(bool cutCopy, bool paste)
{
    m_cutBtn->setEnabled(cutCopy);
    m_copyBtn->setEnabled(cutCopy);
    m_pasteBtn->setEnabled(paste);
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewpopup.h"

#include "platform/editorcontrol.h"
#include "platform/editorfinddialog.h"
#include "platform/prompter.h"
#include "platform/renderer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>

namespace Tarnwick {

PreviewPopup::PreviewPopup(EditorControl *editor, Prompter *prompter, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_pageOpen([] { return true; })
    , m_menu(std::make_unique<QMenu>())
{
    m_menu->setObjectName(QStringLiteral("HTMLPopup"));
    Items &i = m_items;
    i.goToTop = m_menu->addAction(QStringLiteral("Go to top"), this, &PreviewPopup::Gototop1Click);
    i.goToBottom
        = m_menu->addAction(QStringLiteral("Go to bottom"), this, &PreviewPopup::Gotobottom1Click);
    m_menu->addSeparator();
    i.copy = m_menu->addAction(QStringLiteral("Copy"), this, &PreviewPopup::HTMLCopyClick);
    i.find = m_menu->addAction(QStringLiteral("Find"), this, &PreviewPopup::HTMLFindClick);
    i.searchSource = m_menu->addAction(QStringLiteral("Search Source"), this,
                                       &PreviewPopup::SearchSourceClick);
    m_menu->addSeparator();
    i.refreshView
        = m_menu->addAction(QStringLiteral("Refresh View"), this, &PreviewPopup::refreshRequested);
}

PreviewPopup::~PreviewPopup()
{
    delete m_findDialog;
}

void PreviewPopup::setPageOpen(std::function<bool()> pageOpen)
{
    m_pageOpen = std::move(pageOpen);
}

void PreviewPopup::attach(Renderer *renderer)
{
    if (!m_target)
        m_target = renderer;
    renderer->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(renderer, &QWidget::customContextMenuRequested, this,
            [this, renderer](const QPoint &position) { popupAt(renderer, position); });
}

void PreviewPopup::setTarget(Renderer *renderer)
{
    m_target = renderer;
}

void PreviewPopup::popupAt(Renderer *renderer, const QPoint &position)
{
    HTMLPopupPopup(renderer);
    m_menu->popup(renderer->mapToGlobal(position));
}

void PreviewPopup::HTMLPopupPopup(Renderer *renderer)
{
    m_target = renderer;
    const bool open = m_pageOpen();
    const bool selection = open && renderer->SelLength() > 0;
    for (QAction *item : { m_items.goToTop, m_items.goToBottom, m_items.find, m_items.refreshView })
        item->setEnabled(open);
    m_items.copy->setEnabled(selection);
    m_items.searchSource->setEnabled(selection);
}

void PreviewPopup::Gototop1Click()
{
    if (m_target)
        m_target->SetPosition(0);
}

void PreviewPopup::Gotobottom1Click()
{
    if (m_target)
        m_target->SetPosition(m_target->MaxVertPos());
}

void PreviewPopup::HTMLCopyClick()
{
    if (m_target)
        m_target->CopyToClipboard();
}

void PreviewPopup::HTMLFindClick()
{
    if (!m_findDialog) {
        m_findDialog = new EditorFindDialog(m_target ? m_target->window() : nullptr);
        m_findDialog->setObjectName(QStringLiteral("HTMLFindDialog"));
        m_findDialog->setWholeWordAndDirectionShown(false);
        connect(m_findDialog, &EditorFindDialog::findNextRequested, this,
                [this] { FindDialogFind(m_findDialog->findText(), m_findDialog->matchCase()); });
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void PreviewPopup::FindDialogFind(const QString &text, bool matchCase)
{
    if (!m_target || text.isEmpty())
        return;
    const QPointer<PreviewPopup> self(this);
    m_target->FindNext(text, matchCase, [self, text](bool found) {
        if (!self)
            return;
        if (!found)
            self->m_prompter->information(QStringLiteral("No further occurances of \"") + text
                                          + QLatin1Char('"'));
        Q_EMIT self->findFinished(found);
    });
}

void PreviewPopup::SearchSourceClick()
{
    if (!m_target || m_target->SelLength() == 0)
        return;
    // The copy holds exactly the selected text, so it is searched as it is.
    m_target->CopyToClipboard();
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    m_editor->StartLine = m_editor->EndLine = 1;
    m_editor->StartPos = m_editor->EndPos = 0;
    m_editor->ApplySelection();
    if (m_editor->FindText(text) == 1)
        Q_EMIT sourceFound();
    else
        m_prompter->information(QStringLiteral("\"") + text
                                + QStringLiteral("\" was not found in the page source."));
}

} // namespace Tarnwick

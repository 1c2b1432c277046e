// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/editorfinddialog.h"
#include "platform/renderer.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace Tarnwick {

class EditorControl;
class Prompter;

// The pop-up menu of the previews: scrolling to either end, copying and
// finding in the rendered page, looking up the selected text in the source
// and refreshing. It acts on the preview it was opened on.
class PreviewPopup final : public QObject
{
    Q_OBJECT

public:
    PreviewPopup(EditorControl *editor, Prompter *prompter, QObject *parent = nullptr);
    ~PreviewPopup() override;

    // The items are only enabled while a page is open.
    void setPageOpen(std::function<bool()> pageOpen);
    // Gives a preview this menu (its right-click opens it).
    void attach(Renderer *renderer);

    QMenu *menu() const { return m_menu.get(); }
    Renderer *target() const { return m_target; }
    // The preview the items act on; the last one the menu opened on.
    void setTarget(Renderer *renderer);
    EditorFindDialog *findDialog() const { return m_findDialog; }

    // Enabling as the menu opens over `renderer`.
    void HTMLPopupPopup(Renderer *renderer);
    void Gototop1Click();
    void Gotobottom1Click();
    void HTMLCopyClick();
    // Opens the (modeless) find dialog; each "Find Next" runs FindDialogFind.
    void HTMLFindClick();
    void FindDialogFind(const QString &text, bool matchCase);
    // Looks for the preview's selected text in the page source, from the top.
    void SearchSourceClick();

    struct Items
    {
        QAction *goToTop = nullptr, *goToBottom = nullptr, *copy = nullptr, *find = nullptr,
                *searchSource = nullptr, *refreshView = nullptr;
    };
    const Items &items() const { return m_items; }

Q_SIGNALS:
    // "Refresh View": the preview should be refreshed from the editor.
    void refreshRequested();
    // A search in the preview ended (after the message when nothing was found).
    void findFinished(bool found);
    // Search Source selected the text in the editor, which should be shown.
    void sourceFound();

private:
    void popupAt(Renderer *renderer, const QPoint &position);

    EditorControl *m_editor;
    Prompter *m_prompter;
    std::function<bool()> m_pageOpen;
    std::unique_ptr<QMenu> m_menu; // shared by the previews, so owned here
    Items m_items;
    QPointer<Renderer> m_target;
    QPointer<EditorFindDialog> m_findDialog;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/imagetools.h"
#include "tags/parameterselection.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace Tarnwick {

class EditorControl;
class ImagesPage;
class PowerBook;
class TParmForm;

// Images, links, templates and the parameter dialog: the Images, Links and
// Templates tool pages, Insert "Page Template" and "# Include...", HTML Codes
// "&Embed...", "Meta..." and "Param...", and Edit "Meta Tag...".
class ImageCommands final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EditorControl *editor = nullptr;
        ImageTools::Collaborators tools;
        QWidget *dialogParent = nullptr;
    };

    explicit ImageCommands(Parts parts, QObject *parent = nullptr);
    ~ImageCommands() override;

    ImageTools &tools() { return m_tools; }
    TParmForm *parmForm() const;
    ImagesPage *imagesPage() const;

    void addPages(PowerBook *book); // Images, Links, Templates
    void fillInsertMenu(QMenu *menu); // "Page Template" submenu, "# Include..."
    void fillHtmlCodesMenu(QMenu *menu); // "&Embed...", "Meta...", "Param..."
    QAction *editMetaTagAction() const { return m_editMetaTag; } // Shift+F3
    void setPageOpen(bool open);

    // Opens the parameter dialog at a page; "Ok" writes into the editor.
    void openParameterPage(ParameterSelection::Page page);
    // The next META tag after the caret selected, then the "meta" page.
    void EditMetaTag1Click();
    // A gallery image clicked in the preview.
    void imageLinkClicked(const QString &fileName);

private:
    QAction *pageAction(const QString &caption, const char *objectName);

    EditorControl *m_editor;
    ImageTools m_tools;
    QPointer<TParmForm> m_parmForm;
    QPointer<ImagesPage> m_imagesPage;
    QAction *m_editMetaTag = nullptr;
    QList<QAction *> m_pageItems;
    bool m_pageOpen = false;
};

} // namespace Tarnwick

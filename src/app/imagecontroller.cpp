// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/imagecontroller.h"

#include "app/mainwindow.h"
#include "app/openpages.h"
#include "app/settings.h"
#include "preview/previewcontroller.h"
#include "tags/attributetext.h"
#include "tags/htmlcodesmenu.h"
#include "tags/imagecommands.h"
#include "tags/tagawareediting.h"
#include "tags/tagcommands.h"

#include <QMenu>
#include <QMenuBar>

namespace Tarnwick {

namespace {

QMenu *menuNamed(QMenuBar *bar, const QString &title)
{
    for (QAction *action : bar->actions())
        if (action->menu() && action->text() == title)
            return action->menu();
    return nullptr;
}

} // namespace

ImageController::ImageController(const Parts &parts, QObject *parent)
    : QObject(parent)
{
    MainWindow *window = parts.window;
    Settings *settings = parts.settings;
    OpenPages *pages = window->openPages();
    PreviewController *preview = parts.preview;
    ImageTools::Collaborators tools;
    tools.inserter = &window->tagCommands()->inserter();
    tools.prompter = parts.prompter;
    tools.programDirectory = window->programDirectory();
    tools.pageDirectory = [pages] { return pages->currentDirectory(); };
    tools.graphicExtensions = [settings] { return settings->Defaults.GraphicExtension; };
    tools.pageExtensions = [settings] { return settings->Defaults.Extension; };
    tools.sharedImageDirectory = [settings] { return settings->Defaults.SharedImageDir; };
    tools.showPage
        = [preview](const QString &html, const QString &base) { preview->showPage(html, base); };
    m_commands = new ImageCommands({ window->editor(), tools, window }, this);

    m_commands->addPages(window->tagCommands()->powerBook());
    if (QMenu *insert = menuNamed(window->menuBar(), QStringLiteral("&Insert")))
        m_commands->fillInsertMenu(insert);
    if (QMenu *edit = menuNamed(window->menuBar(), QStringLiteral("&Edit"))) {
        // Beside "&Title...", with the other statements of the page head.
        const QList<QAction *> items = edit->actions();
        QAction *before = nullptr;
        for (qsizetype i = 0; i + 1 < items.size(); ++i)
            if (items[i]->objectName() == QLatin1String("EditTitle1"))
                before = items[i + 1];
        edit->insertAction(before, m_commands->editMetaTagAction());
    }
    m_commands->fillHtmlCodesMenu(window->tagCommands()->htmlCodesMenu());

    connect(pages, &OpenPages::pageStateChanged, m_commands, &ImageCommands::setPageOpen);
    connect(parts.preview, &PreviewController::imageLinkClicked, m_commands,
            &ImageCommands::imageLinkClicked);
    window->tagCommands()->tagAwareEditing()->setParameterDialog(
        [commands = m_commands](AttributeText::Kind kind) {
            using Page = ParameterSelection::Page;
            commands->openParameterPage(kind == AttributeText::Kind::VAlign     ? Page::VAlign
                                            : kind == AttributeText::Kind::Size ? Page::Size
                                                                                : Page::Align);
        });
}

} // namespace Tarnwick

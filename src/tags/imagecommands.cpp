// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/imagecommands.h"

#include "tags/editorcursor.h"
#include "tags/imagespage.h"
#include "tags/linkmarkup.h"
#include "tags/linkspage.h"
#include "tags/powerbook.h"
#include "tags/templatespage.h"
#include "tags/tparmform.h"

#include <QAction>
#include <QMenu>

namespace Tarnwick {

ImageCommands::ImageCommands(Parts parts, QObject *parent)
    : QObject(parent)
    , m_editor(parts.editor)
    , m_tools(parts.tools)
    , m_parmForm(new TParmForm(parts.editor, parts.tools.inserter, parts.tools.prompter,
                               parts.dialogParent))
{
    m_editMetaTag = pageAction(QStringLiteral("Meta Tag..."), "EditMetaTag1");
    m_editMetaTag->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    connect(m_editMetaTag, &QAction::triggered, this, &ImageCommands::EditMetaTag1Click);
}

ImageCommands::~ImageCommands()
{
    if (m_parmForm && !m_parmForm->parent())
        delete m_parmForm;
}

TParmForm *ImageCommands::parmForm() const
{
    return m_parmForm;
}

ImagesPage *ImageCommands::imagesPage() const
{
    return m_imagesPage;
}

QAction *ImageCommands::pageAction(const QString &caption, const char *objectName)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(objectName));
    action->setEnabled(m_pageOpen);
    m_pageItems.append(action);
    return action;
}

void ImageCommands::addPages(PowerBook *book)
{
    // In the tool bar's order: Images and Links after Tables, Templates after
    // Forms; at the end when the book lacks those pages.
    const auto after = [book](const char *caption) {
        for (int i = 0; i < book->count(); ++i)
            if (book->tabText(i) == QLatin1String(caption))
                return i + 1;
        return book->count();
    };
    auto *images = new ImagesPage(&m_tools, m_tools.inserter(), book);
    m_imagesPage = images;
    const int at = after("Tables");
    book->insertTab(at, images, QStringLiteral("Images"));
    book->insertTab(at + 1, new LinksPage(&m_tools, m_tools.inserter(), book),
                    QStringLiteral("Links"));
    book->insertTab(after("Forms"), new TemplatesPage(&m_tools, m_tools.inserter(), book),
                    QStringLiteral("Templates"));
}

void ImageCommands::fillInsertMenu(QMenu *menu)
{
    // Before the generators' submenu, which closes the menu.
    QAction *wizeGuys = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->objectName() == QLatin1String("WizeGuys"))
            wizeGuys = action;
    }
    auto *templates = new QMenu(QStringLiteral("Page Template"), menu);
    menu->insertMenu(wizeGuys, templates);
    templates->setObjectName(QStringLiteral("PageTemplate1"));
    m_pageItems.append(templates->menuAction());
    templates->menuAction()->setEnabled(m_pageOpen);
    for (const LinkMarkup::Marker &marker : LinkMarkup::markers()) {
        QAction *item = pageAction(marker.caption, marker.objectName);
        item->setStatusTip(marker.hint);
        const QString name = marker.name;
        connect(item, &QAction::triggered, this, [this, name] { m_tools.insertMarker(name); });
        templates->addAction(item);
    }
    QAction *include = pageAction(QStringLiteral("# Include..."), "Inkludge1");
    connect(include, &QAction::triggered, this, [this] { m_tools.Inkludge1Click(); });
    menu->insertAction(wizeGuys, include);
}

void ImageCommands::fillHtmlCodesMenu(QMenu *menu)
{
    using Page = ParameterSelection::Page;
    menu->addSeparator();
    const struct
    {
        QString caption;
        const char *objectName;
        Page page;
    } items[] = {
        { QStringLiteral("&Embed..."), "Embed1", Page::Embed },
        { QStringLiteral("Meta..."), "NewMeta1", Page::Meta },
        { QStringLiteral("Param..."), "Param1", Page::Parameter },
    };
    for (const auto &entry : items) {
        QAction *item = pageAction(entry.caption, entry.objectName);
        const Page page = entry.page;
        connect(item, &QAction::triggered, this, [this, page] { openParameterPage(page); });
        menu->addAction(item);
    }
}

void ImageCommands::setPageOpen(bool open)
{
    m_pageOpen = open;
    for (QAction *item : std::as_const(m_pageItems))
        item->setEnabled(open);
}

void ImageCommands::openParameterPage(ParameterSelection::Page page)
{
    if (m_parmForm)
        m_parmForm->execute(page);
}

void ImageCommands::EditMetaTag1Click()
{
    // From the caret on, not from the top: the next META tag is the one edited.
    EditorCursor::HighlightTag(*m_editor, QStringLiteral("<META"), QStringLiteral(">"));
    openParameterPage(ParameterSelection::Page::Meta);
}

void ImageCommands::imageLinkClicked(const QString &fileName)
{
    if (m_imagesPage)
        m_imagesPage->setImageName(fileName);
}

} // namespace Tarnwick

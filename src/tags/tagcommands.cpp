// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagcommands.h"

#include "platform/editorcontrol.h"
#include "tags/ewspanel.h"
#include "tags/fixedtags.h"
#include "tags/htmlcodesmenu.h"
#include "tags/powerbook.h"
#include "tags/tagawareediting.h"
#include "tags/tagcompletion.h"
#include "tags/taginserter.h"

#include <QAction>
#include <QMenu>

namespace Tarnwick {

TagCommands::TagCommands(const Parts &parts, QObject *parent)
    : QObject(parent)
    , m_webPage(parts.webPage)
    , m_settings(parts.settings)
    , m_inserter(std::make_unique<TagInserter>(
          parts.webPage, parts.prompter,
          TagInserter::Collaborators { parts.editorAreaHidden, parts.refresh, parts.settings }))
    , m_tagAware(new TagAwareEditing(parts.webPage, parts.prompter, &m_body,
                                     { parts.pageDirectory, parts.refresh }, this))
    , m_completion(new TagCompletion(parts.webPage, this))
    , m_powerBook(new PowerBook(m_inserter.get()))
    , m_ewsPanel(new EWSPanel)
    , m_htmlCodes(new HTMLCodesMenu(m_inserter.get()))
    , m_checkCursor(new QAction(QStringLiteral("Check Cursor Position"), this))
{
    m_checkCursor->setObjectName(QStringLiteral("CheckCursorPosition1"));
    m_checkCursor->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F5));
    connect(m_checkCursor, &QAction::triggered, m_tagAware, &TagAwareEditing::WebPageClick);
    connect(m_tagAware, &TagAwareEditing::lightsChanged, m_ewsPanel.data(), &EWSPanel::setLights);
    connect(parts.webPage, &EditorControl::OnDblClick, m_tagAware,
            &TagAwareEditing::WebPageDblClick);

    // Enter goes into the editor that got it: the page's or the internal clipboard's.
    for (EditorControl *editor : { parts.webPage, parts.spareEditor }) {
        if (!editor)
            continue;
        connect(editor, &EditorControl::OnKeyPress, this, [this, editor](QChar key) {
            TagInserter::WebPageKeyPress(*editor, key, m_settings ? m_settings().useBR : false);
        });
    }

    // Every item of the menu, so that no key of a submenu inserts without a page.
    m_pageItems = { m_checkCursor };
    for (QAction *item : m_htmlCodes->findChildren<QAction *>())
        if (item != m_htmlCodes->menuAction())
            m_pageItems.append(item);
    setPageOpen(false);
}

TagCommands::~TagCommands()
{
    // The window owns the widgets it took; the others go with these commands.
    for (QWidget *widget :
         { static_cast<QWidget *>(m_powerBook.data()), static_cast<QWidget *>(m_ewsPanel.data()),
           static_cast<QWidget *>(m_htmlCodes.data()) })
        if (widget && !widget->parent())
            delete widget;
}

PowerBook *TagCommands::powerBook() const
{
    return m_powerBook;
}

EWSPanel *TagCommands::ewsPanel() const
{
    return m_ewsPanel;
}

HTMLCodesMenu *TagCommands::htmlCodesMenu() const
{
    return m_htmlCodes;
}

QAction *TagCommands::tagAction(const char *objectName)
{
    const FixedTags::Entry *entry = FixedTags::find(QLatin1String(objectName));
    Q_ASSERT(entry);
    auto *action = new QAction(entry->caption, this);
    action->setObjectName(entry->objectName);
    action->setStatusTip(entry->hint);
    action->setShortcut(entry->shortcut);
    connect(action, &QAction::triggered, this, [this, entry] { m_inserter->insertFixed(*entry); });
    m_pageItems.append(action);
    action->setEnabled(m_pageOpen);
    return action;
}

void TagCommands::fillEditMenu(QMenu *menu)
{
    menu->addSeparator();
    for (const char *name : { "Center1", "Bold1", "Italics1", "Underline1" })
        menu->addAction(tagAction(name));
}

void TagCommands::fillInsertMenu(QMenu *menu)
{
    menu->addAction(tagAction("HorizontalBar1"));
}

void TagCommands::fillEditorPopup(QMenu *popupEdit)
{
    popupEdit->addSeparator();
    for (const char *name : { "TableCell1", "UnorderedListItem1" })
        popupEdit->addAction(tagAction(name));
}

void TagCommands::setPageOpen(bool open)
{
    m_pageOpen = open;
    if (m_powerBook)
        m_powerBook->setVisible(open);
    for (QAction *item : std::as_const(m_pageItems))
        item->setEnabled(open);
    followEditor();
}

void TagCommands::setCompletionOn(bool on)
{
    m_completion->setOn(on);
}

void TagCommands::setLightsOn(bool on)
{
    m_lightsOn = on;
    if (m_ewsPanel)
        m_ewsPanel->setVisible(on);
    followEditor();
}

void TagCommands::followEditor()
{
    const bool follow = m_lightsOn && m_pageOpen;
    m_tagAware->setHooked(follow);
    if (follow)
        m_tagAware->updateLights();
}

void TagCommands::pageShown()
{
    if (m_tagAware->hooked())
        m_tagAware->WebPageClick();
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/usertagcommands.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "tags/buttondefinition.h"
#include "tags/custombuttonform.h"
#include "tags/custompage.h"
#include "tags/latin1entities.h"
#include "tags/lcrpopup.h"
#include "tags/menufile.h"
#include "tags/powerbook.h"
#include "tags/speccharform.h"
#include "tags/specialcharacters.h"
#include "tags/specialpage.h"
#include "tags/tagmenus.h"
#include "tags/usercodeform.h"
#include "tags/userfile.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace Tarnwick {

UserTagCommands::UserTagCommands(const Parts &parts, QObject *parent)
    : QObject(parent)
    , m_parts(parts)
    , m_special(std::make_unique<SpecialCharacters>(parts.specialStore))
    , m_menus(new TagMenus(parts.programDirectory, parts.inserter, parts.prompter, this))
    , m_popup(new LCRPopup(parts.inserter))
    , m_specialPage(new SpecialPage(parts.inserter, m_special.get()))
    , m_modifyMenuTags(new QAction(QStringLiteral("&Modify Menu Tags..."), this))
    , m_customizeButtons(new QAction(QStringLiteral("Customize Buttons..."), this))
    , m_specialCharacters(new QAction(QStringLiteral("Special Characters..."), this))
{
    m_modifyMenuTags->setObjectName(QStringLiteral("AddUserCodes1"));
    m_customizeButtons->setObjectName(QStringLiteral("CustomizeButtons1"));
    m_specialCharacters->setObjectName(QStringLiteral("SpecialCharacters1"));
    connect(m_modifyMenuTags, &QAction::triggered, this, &UserTagCommands::AddUserCodes1Click);
    connect(m_customizeButtons, &QAction::triggered, this,
            &UserTagCommands::CustomizeButtons1Click);
    connect(m_specialCharacters, &QAction::triggered, this,
            &UserTagCommands::SpecialCharacters1Click);

    m_menus->loadAll();
    setPageOpen(false);

    for (int page = 1; page <= customPages; ++page) {
        auto *custom = new CustomPage(page, parts.inserter, m_popup, parts.prompter);
        custom->CreateButtons();
        m_customPages.append(custom);
    }
    m_specialPage->CreateButtons();

    for (EditorControl *editor : { parts.webPage, parts.spareEditor }) {
        if (!editor)
            continue;
        connect(editor, &EditorControl::OnKeyPress, this,
                [this, editor](QChar key) { WebPageKeyPress(editor, key); });
    }
}

UserTagCommands::~UserTagCommands()
{
    // Pages the notebook took are its own; the pop-up is never handed over.
    delete m_popup;
    for (const QPointer<CustomPage> &page : std::as_const(m_customPages))
        if (page && !page->parent())
            delete page;
    if (m_specialPage && !m_specialPage->parent())
        delete m_specialPage;
}

QString UserTagCommands::filePath(const QString &name) const
{
    return QDir(m_parts.programDirectory).filePath(name);
}

void UserTagCommands::fillHtmlCodesMenu(QMenu *htmlCodes, QMenu *headings)
{
    QAction *first = htmlCodes->actions().value(0);
    for (int i = 0; i < MenuFile::menuCount; ++i) {
        QMenu *menu = m_menus->menu(i);
        menu->setParent(htmlCodes, menu->windowFlags());
        htmlCodes->insertMenu(first, menu);
    }
    const QList<QAction *> items = htmlCodes->actions();
    const qsizetype at = items.indexOf(headings->menuAction());
    htmlCodes->insertAction(items.value(at + 1), m_modifyMenuTags);
}

void UserTagCommands::addPages(PowerBook *powerBook)
{
    m_powerBook = powerBook;
    powerBook->insertTab(1, m_specialPage, QStringLiteral("Special"));
    for (int page = 0; page < customPages; ++page)
        powerBook->addTab(m_customPages[page], QStringLiteral("Custom %1").arg(page + 1));
}

void UserTagCommands::buildButtons()
{
    for (int page = 0; page < customPages; ++page)
        loadCustomPage(page);
    m_specialPage->ReassignSpecialCharacters();
}

void UserTagCommands::setPageOpen(bool open)
{
    for (int i = 0; i < MenuFile::menuCount; ++i)
        m_menus->menu(i)->menuAction()->setEnabled(open);
}

void UserTagCommands::applyPageSettings(const PageSettings &settings)
{
    if (!m_powerBook)
        return;
    for (int page = 0; page < customPages; ++page) {
        const int index = m_powerBook->indexOf(m_customPages[page]);
        m_powerBook->setTabVisible(index, settings.show[page]);
        if (!settings.captions[page].isEmpty())
            m_powerBook->setTabText(index, settings.captions[page]);
    }
}

QStringList UserTagCommands::customCaptions() const
{
    QStringList captions;
    for (int page = 0; page < customPages; ++page)
        captions.append(m_powerBook
                            ? m_powerBook->tabText(m_powerBook->indexOf(m_customPages[page]))
                            : QStringLiteral("Custom %1").arg(page + 1));
    return captions;
}

void UserTagCommands::AddUserCodes1Click()
{
    TUserCodeForm dialog(m_menus, m_parts.prompter, m_parts.dialogParent);
    dialog.exec();
}

void UserTagCommands::CustomizeButtons1Click()
{
    TCustomButtonForm dialog(
        m_parts.programDirectory, customCaptions(), m_parts.prompter,
        [this](const QStringList &captions) { buttonFilesWritten(captions); },
        m_parts.dialogParent);
    dialog.exec();
}

void UserTagCommands::SpecialCharacters1Click()
{
    TSpecCharForm dialog(m_special.get(), m_parts.prompter, m_parts.dialogParent);
    if (dialog.exec() == QDialog::Accepted)
        m_specialPage->ReassignSpecialCharacters();
}

void UserTagCommands::loadCustomPage(int page)
{
    const Expected<UserFileContent> content
        = UserFile::read(filePath(ButtonDefinition::fileName(page + 1)));
    if (!content) {
        m_parts.prompter->warning(QStringLiteral("Exception occured during ReassignButtons!"));
        return;
    }
    m_customPages[page]->ReassignButtons(content->lines);
}

void UserTagCommands::buttonFilesWritten(const QStringList &captions)
{
    for (int page = 0; page < customPages; ++page) {
        if (!QFileInfo::exists(filePath(ButtonDefinition::fileName(page + 1))))
            continue;
        if (m_powerBook && !captions.value(page).isEmpty())
            m_powerBook->setTabText(m_powerBook->indexOf(m_customPages[page]), captions[page]);
        loadCustomPage(page);
    }
}

void UserTagCommands::WebPageKeyPress(EditorControl *editor, QChar key)
{
    if (!m_parts.expandCharacters || !m_parts.expandCharacters())
        return;
    const QString entity = Latin1Entities::entity(key);
    if (entity.isEmpty())
        return;
    editor->DiscardKeyPress();
    editor->ReplaceSelection(entity);
}

} // namespace Tarnwick

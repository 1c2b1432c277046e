// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagmenus.h"

#include "platform/menutext.h"
#include "platform/prompter.h"
#include "tags/menufile.h"
#include "tags/taginserter.h"
#include "tags/userfile.h"

#include <QDir>
#include <QMenu>

namespace Tarnwick {

TagMenus::TagMenus(const QString &programDirectory, TagInserter *inserter, Prompter *prompter,
                   QObject *parent)
    : QObject(parent)
    , m_programDirectory(programDirectory)
    , m_inserter(inserter)
    , m_prompter(prompter)
{
    static const char *const names[MenuFile::menuCount]
        = { "BlockTags1", "TextAttributes1", "AdditionalTags1" };
    for (int i = 0; i < MenuFile::menuCount; ++i) {
        m_menus[i] = new QMenu(MenuFile::menuCaption(i));
        m_menus[i]->setObjectName(QLatin1String(names[i]));
    }
}

TagMenus::~TagMenus()
{
    // A menu that went into a menu bar is owned there.
    for (const QPointer<QMenu> &menu : m_menus)
        if (menu && !menu->parent())
            delete menu;
}

QString TagMenus::filePath(int index) const
{
    return QDir(m_programDirectory).filePath(MenuFile::fileName(index));
}

void TagMenus::ClearMenu(int index)
{
    QMenu *menu = m_menus[index];
    while (!menu->actions().isEmpty()) {
        QAction *entry = menu->actions().constFirst();
        menu->removeAction(entry);
        delete entry;
    }
}

void TagMenus::LoadMenu(const QString &fileName, int index)
{
    const Expected<UserFileContent> content = UserFile::read(fileName);
    if (!content) {
        m_prompter->warning(QStringLiteral("Exception occured during LoadMenu!"));
        return;
    }
    QMenu *menu = m_menus[index];
    for (const MenuFile::Entry &entry : MenuFile::entries(content->lines)) {
        QAction *item = menu->addAction(plainMenuText(entry.caption));
        item->setData(entry.line);
        // The stored line, never the caption: that one may be cut short.
        const QString line = entry.line;
        connect(item, &QAction::triggered, this,
                [this, line] { m_inserter->CreateUnevenTags(line); });
    }
}

void TagMenus::loadAll()
{
    for (int i = 0; i < MenuFile::menuCount; ++i)
        LoadMenu(filePath(i), i);
}

void TagMenus::reloadAll()
{
    for (int i = 0; i < MenuFile::menuCount; ++i)
        ClearMenu(i);
    loadAll();
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

namespace Tarnwick {

class Prompter;
class TagInserter;

// "&Block Tags", "&Text Attributes" and "&Additional Tags", filled from the
// user's menu files in the program directory.
class TagMenus final : public QObject
{
    Q_OBJECT

public:
    TagMenus(const QString &programDirectory, TagInserter *inserter, Prompter *prompter,
             QObject *parent = nullptr);
    ~TagMenus() override;

    QMenu *menu(int index) const { return m_menus[index]; }
    QString filePath(int index) const;

    // Removes every entry of the submenu at that position (0 to 2).
    void ClearMenu(int index);
    // Appends an entry per line of the file; a missing file changes nothing,
    // one that cannot be read as text is reported and changes nothing.
    void LoadMenu(const QString &fileName, int index);
    void loadAll();
    void reloadAll(); // ClearMenu and LoadMenu for the three

private:
    QString m_programDirectory;
    TagInserter *m_inserter;
    Prompter *m_prompter;
    QPointer<QMenu> m_menus[3]; // the menu bar may take them
};

} // namespace Tarnwick

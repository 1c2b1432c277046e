// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace Tarnwick {

class EditorControl;
class PreviewController;
class Prompter;
class TagInserter;

// The generators of tables: their menu items and tool-page buttons, and the
// dialogs they start.
class GeneratorCommands final : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EditorControl *editor = nullptr;
        Prompter *prompter = nullptr;
        TagInserter *inserter = nullptr;
        PreviewController *preview = nullptr;
        std::function<QString()> pageDirectory;
        std::function<void(int tipNumber)> showHelperTip;
        QWidget *toolBook = nullptr; // the tool notebook, whose Tables page gets buttons
        QMenu *insertMenu = nullptr; // filled at once when given
    };

    explicit GeneratorCommands(Parts parts, QObject *parent = nullptr);

    // Insert: "WizeGuys" with "&Table Vaza Ded...", and "Table Cell &Attributes".
    void fillInsertMenu(QMenu *menu);

    void TableWizeGuyClick();
    void TableCellAttributesClick();

private:
    void addToolButtons();

    Parts m_parts;
    QAction *m_table = nullptr;
    QAction *m_cellAttributes = nullptr;
};

} // namespace Tarnwick

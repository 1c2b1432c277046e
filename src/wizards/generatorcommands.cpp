// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/generatorcommands.h"

#include "platform/editorcontrol.h"
#include "preview/previewcontroller.h"
#include "wizards/ttableattrform.h"
#include "wizards/ttblcreateform.h"

#include <QAction>
#include <QBoxLayout>
#include <QMenu>
#include <QToolButton>

#include <utility>

namespace Tarnwick {

namespace {

constexpr int tableHelperTip = 4;

} // namespace

GeneratorCommands::GeneratorCommands(Parts parts, QObject *parent)
    : QObject(parent)
    , m_parts(std::move(parts))
{
    m_table = new QAction(QStringLiteral("&Table Vaza Ded..."), this);
    m_table->setObjectName(QStringLiteral("TableWizeGuy"));
    m_table->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_table->setStatusTip(QStringLiteral("Table Vaza Ded"));
    connect(m_table, &QAction::triggered, this, &GeneratorCommands::TableWizeGuyClick);
    m_cellAttributes = new QAction(QStringLiteral("Table Cell &Attributes"), this);
    m_cellAttributes->setObjectName(QStringLiteral("TableCellAttributes"));
    m_cellAttributes->setStatusTip(QStringLiteral("Change table cell attributes"));
    connect(m_cellAttributes, &QAction::triggered, this,
            &GeneratorCommands::TableCellAttributesClick);
    addToolButtons();
    if (m_parts.insertMenu)
        fillInsertMenu(m_parts.insertMenu);
}

void GeneratorCommands::fillInsertMenu(QMenu *menu)
{
    QMenu *wizeGuys = menu->addMenu(QStringLiteral("WizeGuys"));
    wizeGuys->menuAction()->setObjectName(QStringLiteral("WizeGuys"));
    wizeGuys->addAction(m_table);
    menu->addAction(m_cellAttributes);
}

void GeneratorCommands::addToolButtons()
{
    QWidget *page = m_parts.toolBook
        ? m_parts.toolBook->findChild<QWidget *>(QStringLiteral("TablesPage"))
        : nullptr;
    auto *layout = page ? qobject_cast<QBoxLayout *>(page->layout()) : nullptr;
    if (!layout)
        return;
    int at = layout->count() - 1; // before the page's closing stretch
    for (QAction *action : { m_table, m_cellAttributes }) {
        auto *button = new QToolButton(page);
        button->setObjectName(action == m_table ? QStringLiteral("TableWizeGuyBtn")
                                                : QStringLiteral("CellAttributesBtn"));
        button->setText(action == m_table ? QStringLiteral("Table Vaza Ded")
                                          : QStringLiteral("Cell Attributes"));
        const QString hint = action == m_table ? QStringLiteral("Table Vaza Ded")
                                               : QStringLiteral("Change table cell attributes");
        button->setToolTip(hint);
        button->setStatusTip(hint);
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        layout->insertWidget(at++, button);
    }
}

void GeneratorCommands::TableWizeGuyClick()
{
    if (m_parts.showHelperTip)
        m_parts.showHelperTip(tableHelperTip);
    TTblCreateForm::Context context;
    context.editor = m_parts.editor;
    context.prompter = m_parts.prompter;
    context.pageDirectory = m_parts.pageDirectory ? m_parts.pageDirectory() : QString();
    PreviewController *preview = m_parts.preview;
    context.refreshPreview = [preview] {
        if (preview)
            preview->UpdateWebView();
    };
    TTblCreateForm dialog(std::move(context), m_parts.editor->window());
    dialog.exec();
}

void GeneratorCommands::TableCellAttributesClick()
{
    TTableAttrForm dialog(m_parts.inserter, m_parts.prompter, m_parts.editor->window());
    dialog.exec();
}

} // namespace Tarnwick

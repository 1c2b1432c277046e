// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/pagedetailscommands.h"

#include "preview/tevaluateform.h"

#include <QAction>

namespace Tarnwick {

PageDetailsCommands::PageDetailsCommands(EditorControl *editor, Prompter *prompter,
                                         std::function<QString()> pagePath, QWidget *window)
    : QObject(window)
    , m_dialog(new TEvaluateForm(editor, prompter, std::move(pagePath), window))
    , m_evaluate(new QAction(QStringLiteral("&Evaluate..."), this))
    , m_popupEvaluate(new QAction(QStringLiteral("Evaluate"), this))
{
    m_evaluate->setObjectName(QStringLiteral("Evaluate1"));
    m_evaluate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m_popupEvaluate->setObjectName(QStringLiteral("Evaluate2"));
    for (QAction *action : { m_evaluate, m_popupEvaluate }) {
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, &PageDetailsCommands::Evaluate1Click);
    }
}

void PageDetailsCommands::setPageOpen(bool open)
{
    m_evaluate->setEnabled(open);
    m_popupEvaluate->setEnabled(open);
}

void PageDetailsCommands::Evaluate1Click()
{
    if (m_evaluate->isEnabled())
        m_dialog->exec();
}

} // namespace Tarnwick

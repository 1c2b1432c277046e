// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QWidget;

namespace Tarnwick {

class EditorControl;
class Prompter;
class TEvaluateForm;

// The page details commands: "&Evaluate..." (Ctrl+E) for the Page menu and
// "Evaluate" for the editor's pop-up menu, both enabled while a page is
// open. The "Web Page Details" dialog lives as long as these commands.
class PageDetailsCommands final : public QObject
{
    Q_OBJECT

public:
    // pagePath: the file of the page under edit.
    PageDetailsCommands(EditorControl *editor, Prompter *prompter,
                        std::function<QString()> pagePath, QWidget *window);

    QAction *evaluateAction() const { return m_evaluate; }
    QAction *popupAction() const { return m_popupEvaluate; }
    TEvaluateForm *dialog() const { return m_dialog; }

    void setPageOpen(bool open);
    // Shows "Web Page Details" modally.
    void Evaluate1Click();

private:
    TEvaluateForm *m_dialog;
    QAction *m_evaluate;
    QAction *m_popupEvaluate;
};

} // namespace Tarnwick

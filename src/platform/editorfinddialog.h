// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Tarnwick {

// The editor control's Find dialog. It only collects what to look for; the
// control does the searching on findNextRequested and reports back through
// setStatus (not-found feedback stays inside the dialog).
class EditorFindDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit EditorFindDialog(QWidget *parent = nullptr);

    QString findText() const;
    void setFindText(const QString &text);
    bool matchCase() const;
    void setMatchCase(bool on);
    bool wholeWord() const;
    void setWholeWord(bool on);
    bool searchForward() const;
    void setSearchForward(bool forward);
    void setStatus(const QString &text);
    // Searches that only look forward and know no words hide those options.
    void setWholeWordAndDirectionShown(bool shown);

Q_SIGNALS:
    void findNextRequested();

private:
    void updateButtons();

    QLineEdit *m_findText = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QRadioButton *m_up = nullptr;
    QRadioButton *m_down = nullptr;
    QWidget *m_direction = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_findNext = nullptr;
};

} // namespace Tarnwick

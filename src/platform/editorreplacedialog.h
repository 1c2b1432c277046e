// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Tarnwick {

// The editor control's Replace dialog. Like the Find dialog it only collects
// the texts and options; the control acts on its three requests.
class EditorReplaceDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit EditorReplaceDialog(QWidget *parent = nullptr);

    QString findText() const;
    void setFindText(const QString &text);
    QString replaceText() const;
    void setReplaceText(const QString &text);
    bool matchCase() const;
    void setMatchCase(bool on);
    bool wholeWord() const;
    void setWholeWord(bool on);
    void setStatus(const QString &text);

Q_SIGNALS:
    void findNextRequested();
    void replaceRequested();
    void replaceAllRequested();

private:
    void updateButtons();

    QLineEdit *m_findText = nullptr;
    QLineEdit *m_replaceText = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_replace = nullptr;
    QPushButton *m_replaceAll = nullptr;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/userfile.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QRegularExpressionValidator;
class QTabWidget;
class QToolButton;

namespace Tarnwick {

class Prompter;

// "Custom Button Setup": the four custom pages' buttons, edited one at a
// time in a working copy and written to "page1.btn" to "page4.btn" on OK.
class TCustomButtonForm final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int pageCount = 4;

    // Called after OK wrote the files, with the pages' tab captions.
    using Written = std::function<void(const QStringList &captions)>;

    TCustomButtonForm(const QString &programDirectory, const QStringList &captions,
                      Prompter *prompter, Written written, QWidget *parent = nullptr);

    QTabWidget *pages() const { return m_pages; }
    QToolButton *button(int page, int slot) const { return m_buttons[page][slot]; }
    QLineEdit *captionEdit() const { return m_caption; }
    QLineEdit *sourceEdit() const { return m_source; }
    QCheckBox *dropTypeBox() const { return m_isDropType; }
    QCheckBox *tabWarningBox() const { return m_tabWarning; }
    QGroupBox *insertStyleGroup() const { return m_insertStyle; }
    QGroupBox *dropdownStyleGroup() const { return m_dropdownStyle; }
    int insertStyle() const;
    void setInsertStyle(int index);
    int dropdownStyle() const;
    QPushButton *assignButton() const { return m_assign; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QStringList lines(int page) const { return m_lines[page]; }
    bool changed() const { return m_changed; }
    QString filePath(int page) const; // page from 0

    void ButtonClick(int page, int slot);
    void AssignClick();
    // OK: false when a file could not be written (the dialog stays open).
    bool OKBtnClick();
    // The Shift-release on the tabs: asks for the current tab's caption.
    void TabCaptionClick();

protected:
    void reject() override; // Cancel and closing the window
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void IsDropTypeClick(bool checked);
    void PageControlChange(int index);
    void clearChoice();

    QString m_programDirectory;
    Prompter *m_prompter;
    Written m_written;
    QTabWidget *m_pages;
    QList<QToolButton *> m_buttons[pageCount];
    QButtonGroup *m_groups[pageCount] = {};
    QStringList m_lines[pageCount];
    UserFileContent m_files[pageCount];
    bool m_readable[pageCount] = { true, true, true, true };
    QLineEdit *m_caption;
    QRegularExpressionValidator *m_captionRule = nullptr;
    QLineEdit *m_source;
    QGroupBox *m_insertStyle;
    QList<QRadioButton *> m_insertRadios;
    QCheckBox *m_isDropType;
    QCheckBox *m_tabWarning;
    QGroupBox *m_dropdownStyle;
    QList<QRadioButton *> m_dropdownRadios;
    QPushButton *m_assign;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    int m_chosenPage = -1;
    int m_chosenSlot = -1;
    int m_currentPage = 0;
    bool m_changed = false;
    bool m_revertingPage = false;
};

} // namespace Tarnwick

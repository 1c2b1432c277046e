// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizards/calendarbuilder.h"

#include <QDate>
#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;

// "Calendar Vaza Ded": one month as a table, previewed on every change; OK
// puts it in at the caret.
class TCalendarForm final : public QDialog
{
    Q_OBJECT

public:
    struct Context
    {
        EditorControl *editor = nullptr; // the page
        Prompter *prompter = nullptr;
        QString pageDirectory; // the preview's images resolve here
        QStringList dayNames; // abbreviated, Sunday first
        QDate today; // the month shown first
    };

    explicit TCalendarForm(Context context, QWidget *parent = nullptr);

    CalendarOptions options() const { return m_options; }
    QStringList lines() const;
    Renderer *preview() const { return m_preview; }

    void PrevMonthClick();
    void NextMonthClick();
    // Generates once more and hands the calendar to the page; a colour that is
    // not six hex digits keeps the dialog open.
    void OKBtnClick();

private:
    QWidget *optionsPane();
    QLineEdit *colorField(QWidget *parent, const char *name, const char *buttonName);
    void chooseColor(QLineEdit *field);
    void readFields();
    void showDate();
    void generate();

    Context m_context;
    CalendarOptions m_options;
    bool m_updating = false;
    QLabel *m_month = nullptr;
    QSpinBox *m_year = nullptr;
    QComboBox *m_startDay = nullptr;
    QCheckBox *m_links = nullptr;
    QComboBox *m_tableAlignment = nullptr;
    QComboBox *m_dateAlignment = nullptr;
    QLineEdit *m_headingColor = nullptr;
    QLineEdit *m_tableColor = nullptr;
    QLineEdit *m_textColor = nullptr;
    QCheckBox *m_border = nullptr;
    QSpinBox *m_rowHeight = nullptr;
    Renderer *m_preview = nullptr;
};

} // namespace Tarnwick

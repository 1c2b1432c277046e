// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace Tarnwick {

class Prompter;

// "Form Definition": one page per kind of form field; OK makes the field's record.
class TFormEntry final : public QDialog
{
    Q_OBJECT

public:
    enum Page { CheckBox, RadioGroup, DataEntry, ListBox, TextArea, PageText, Hidden, PageCount };

    explicit TFormEntry(Prompter *prompter, QWidget *parent = nullptr);

    static QString pageCaption(int page);
    // A new field of that kind: the page's texts, lists and boxes emptied.
    // groupNames: the radio groups the form has so far.
    void startNew(int page, const QStringList &groupNames);
    // The fields of an existing record.
    void startEdit(const QString &record, const QStringList &groupNames);
    int page() const;
    // The record of the fields; empty (after telling the user) when a value is refused.
    QString record();
    // What OK stored.
    QString accepted() const { return m_accepted; }

    void accept() override;
    void AddEntryClick();
    void RemoveEntryClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makePage(int page);
    void showPage(int page);

    Prompter *m_prompter;
    QString m_accepted;
    QStackedWidget *m_pages = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_lbAdd = nullptr;
    QLineEdit *m_cbName = nullptr, *m_cbCaption = nullptr, *m_cbValue = nullptr;
    QCheckBox *m_cbChecked = nullptr;
    QComboBox *m_rgGroup = nullptr;
    QLineEdit *m_rgCaption = nullptr, *m_rgValue = nullptr;
    QCheckBox *m_rgDefault = nullptr;
    QLineEdit *m_deName = nullptr, *m_deCaption = nullptr;
    QSpinBox *m_deLength = nullptr;
    QCheckBox *m_dePassword = nullptr;
    QLineEdit *m_lbName = nullptr, *m_lbCaption = nullptr, *m_lbEntry = nullptr;
    QListWidget *m_lbEntries = nullptr;
    QCheckBox *m_lbSort = nullptr, *m_lbMultiple = nullptr;
    QSpinBox *m_lbVisible = nullptr;
    QLineEdit *m_taName = nullptr, *m_taCaption = nullptr;
    QSpinBox *m_taColumns = nullptr, *m_taRows = nullptr;
    QLineEdit *m_ptText = nullptr;
    QCheckBox *m_ptBold = nullptr, *m_ptItalics = nullptr, *m_ptUnderlined = nullptr,
              *m_ptPreformatted = nullptr;
    QSpinBox *m_ptSize = nullptr;
    QLineEdit *m_hdName = nullptr, *m_hdValue = nullptr;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizards/formbuilder.h"

#include <QDialog>

#include <functional>

class QAction;
class QCheckBox;
class QLineEdit;
class QListWidget;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;
class TFormEntry;
class TSubmitForm;

// "Form Vaza Ded": a mailed form put together field by field, previewed as
// it grows; kept for the run, so its fields survive between uses.
class TFormWizeForm final : public QDialog
{
    Q_OBJECT

public:
    struct Context
    {
        EditorControl *editor = nullptr;
        Prompter *prompter = nullptr;
        std::function<QString()> pageDirectory;
        std::function<void()> refreshPreview; // the main window's preview
        TSubmitForm *submitResults = nullptr; // shared with the main preview
    };

    explicit TFormWizeForm(Context context, QWidget *parent = nullptr);

    const QStringList &records() const { return m_records; }
    const QStringList &formLines() const { return m_form; }
    Renderer *preview() const { return m_preview; }
    TFormEntry *entryDialog() const { return m_entry; }
    FormOptions options() const;

    // Opens the entry dialog on page `kind` for a new field.
    void AddField(int kind);
    void EditSelected();
    void DeleteSelected();
    void RemoveAllClick();
    void UpClick();
    void DownClick();
    void BuildClick();
    bool SaveClick();
    void OpenClick();
    void CopyClick();
    void InsertClick();
    void AbandonClick();
    void reject() override;

private:
    QStringList groupNames() const;
    void showRecords(int select);
    void previewSelected();
    void showLines(const QStringList &lines);
    bool askToSave();
    int selected() const;

    Context m_context;
    QStringList m_records;
    QStringList m_form;
    QString m_fileName;
    TFormEntry *m_entry = nullptr;
    Renderer *m_preview = nullptr;
    QListWidget *m_list = nullptr;
    QLineEdit *m_submit = nullptr;
    QLineEdit *m_reset = nullptr;
    QLineEdit *m_mailTo = nullptr;
    QCheckBox *m_table = nullptr;
    QCheckBox *m_preformat = nullptr;
    QAction *m_save = nullptr;
    QAction *m_copy = nullptr;
};

} // namespace Tarnwick

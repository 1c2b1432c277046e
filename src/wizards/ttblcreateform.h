// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizards/tablebuilder.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;

// "Table Vaza Ded": a grid built first, then cells picked by clicking their
// "*" in the preview and changed one at a time; the table goes in at the caret.
class TTblCreateForm final : public QDialog
{
    Q_OBJECT

public:
    struct Context
    {
        EditorControl *editor = nullptr; // the page
        Prompter *prompter = nullptr;
        QString pageDirectory; // the preview's images resolve here
        std::function<void()> refreshPreview; // the main window's preview
    };

    enum Page { MainPage, AttributesPage, CellsPage };

    explicit TTblCreateForm(Context context, QWidget *parent = nullptr);

    const TableBuilder &table() const { return m_table; }
    Renderer *preview() const { return m_preview; }
    bool modified() const { return m_modified; }
    int pageIndex() const;
    QAction *viewAction() const { return m_viewAction; }

    void BuildClick();
    void InsertClick();
    void AbandonClick();
    void ViewClick();
    void CopyHtmlClick();
    // False when the user cancelled or the file could not be written.
    bool SaveClick();
    void OpenClick();
    void AddCellClick();
    void AddRowClick();
    void DeleteCellClick();
    // A link of the preview: a cell's "*" selects that cell.
    void cellClicked(const QString &address, bool *handled);

    void reject() override; // closing is Abandon

private:
    QWidget *mainPage();
    QWidget *attributesPage();
    QWidget *cellsPage();
    void buildMenus(QWidget *bar);
    void showPage(int page);
    TableAttributes attributes() const;
    void setAttributes(const TableAttributes &attributes);
    CellFields cellFields() const;
    void setCellFields(const CellFields &cell);
    void attributesChanged();
    void cellChanged();
    void setCellControlsEnabled(bool on);
    void tableExists();
    void showTable();
    void chooseColor(QLineEdit *field);
    // The save question; false when the user cancelled it or the save.
    bool askToSave();
    QString colorOf(const QLineEdit *field) const;

    Context m_context;
    TableBuilder m_table;
    bool m_modified = false;
    bool m_updating = false; // the program fills the fields
    QString m_fileName; // of the last definition opened or saved

    QStackedWidget *m_notebook = nullptr;
    Renderer *m_preview = nullptr;
    QString m_shown; // the table text the preview was last given
    QAction *m_viewAction = nullptr;
    QAction *m_copyAction = nullptr;
    QPushButton *m_build = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_deleteCell = nullptr;
    QPushButton *m_addCell = nullptr;
    QPushButton *m_addRow = nullptr;

    QSpinBox *m_columns = nullptr;
    QSpinBox *m_rows = nullptr;
    QCheckBox *m_confirm = nullptr;
    QLineEdit *m_caption = nullptr;
    QSpinBox *m_captionSize = nullptr;
    QComboBox *m_location = nullptr;
    QSpinBox *m_border = nullptr;
    QSpinBox *m_padding = nullptr;
    QSpinBox *m_spacing = nullptr;
    QSpinBox *m_width = nullptr;
    QComboBox *m_justification = nullptr;
    QLineEdit *m_tableColor = nullptr;
    QLineEdit *m_borderColor = nullptr;
    QSpinBox *m_rowSpan = nullptr;
    QSpinBox *m_colSpan = nullptr;
    QComboBox *m_vertical = nullptr;
    QComboBox *m_horizontal = nullptr;
    QLineEdit *m_cellText = nullptr;
    QCheckBox *m_header = nullptr;
    QLineEdit *m_cellColor = nullptr;
    QRadioButton *m_before = nullptr;
    QRadioButton *m_after = nullptr;
};

} // namespace Tarnwick

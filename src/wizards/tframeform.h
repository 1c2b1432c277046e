// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizards/frameset.h"

#include <QDialog>

#include <array>
#include <functional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QSplitter;
class QStackedWidget;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;

// "Frame Creation": a frame set laid out by dragging bars, its frames set one
// by one, and the page replaced by the result.
class TFrameForm final : public QDialog
{
    Q_OBJECT

public:
    struct Context
    {
        EditorControl *editor = nullptr;
        Prompter *prompter = nullptr;
        std::function<QString()> pageDirectory;
        QString openFilter; // the main open dialog's filter, offered by the file button
        // The encoding the page is saved in ("utf-8", "windows-1252"); unset: UTF-8.
        std::function<QString()> pageCharset = {};
    };

    explicit TFrameForm(Context context, QWidget *parent = nullptr);
    ~TFrameForm() override;

    FrameLayout layout() const { return m_layout; }
    const FrameRecords &records() const { return m_records; }
    int currentFrame() const { return m_current; }
    bool onStartPage() const;
    Renderer *cell(int number) const { return m_cells.at(number - 1); }
    // Splits 0 (main) to 3, bars 0 and 1.
    QScrollBar *bar(int split, int which) const { return m_bars[split][which]; }
    // True when the cell's view is too small to hold a frame.
    bool squeezed(int number) const;

    void setBar(int split, int which, int value);
    void setByColumns(bool byColumns);
    void NextClick();
    void PrevClick();
    void GenerateClick();
    void OpenClick();
    void SaveClick();

private:
    void barMoved(int split, int which, int value);
    void splitterMoved(int split);
    void applySplit(int split);
    void fillFields();
    void storeFields();
    void nameEdited();
    void sourceEdited();
    void chooseFile();
    void showCell(int number);
    void freeze(bool frozen);
    void applyLayout(const FrameLayout &layout);
    QString pageDirectory() const;

    Context m_context;
    FrameLayout m_layout;
    FrameRecords m_records;
    int m_current = 0;
    bool m_updating = false;
    QString m_fileName;
    QStackedWidget *m_pages = nullptr;
    QComboBox *m_orientation = nullptr;
    QLineEdit *m_title = nullptr;
    QCheckBox *m_noFrames = nullptr;
    std::array<std::array<QScrollBar *, 2>, 4> m_bars {};
    std::array<std::array<QLabel *, 2>, 4> m_labels {};
    std::array<QSplitter *, 4> m_splitters {};
    std::array<Renderer *, 9> m_cells {};
    QLabel *m_frameLabel = nullptr;
    QLineEdit *m_source = nullptr;
    QLineEdit *m_name = nullptr;
    QButtonGroup *m_scroll = nullptr;
    QCheckBox *m_resize = nullptr;
    QSpinBox *m_marginWidth = nullptr;
    QSpinBox *m_marginHeight = nullptr;
    QPushButton *m_prev = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_finished = nullptr;
};

} // namespace Tarnwick

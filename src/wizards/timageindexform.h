// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace Tarnwick {

class EditorControl;
class FileListPane;

// "Create Index of Images": a directory and a mask chosen in a file browser;
// Create appends every matching file's location and picture to the page.
class TImageIndexForm final : public QDialog
{
    Q_OBJECT

public:
    static QString filter();

    TImageIndexForm(EditorControl *editor, const QString &startDirectory,
                    QWidget *parent = nullptr);

    FileListPane *fileList() const { return m_files; }
    QString directory() const;
    QString mask() const;
    void setDirectory(const QString &path);
    void setMask(const QString &mask);

    void CreateBtnClick();

private:
    void directoryChanged();
    void filterChosen(int index);
    void applyMask();

    EditorControl *m_editor;
    FileListPane *m_files = nullptr;
    QLabel *m_directory = nullptr;
    QLineEdit *m_mask = nullptr;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

class QComboBox;
class QFileSystemModel;
class QListView;
class QModelIndex;
class QTreeView;

namespace Tarnwick {

class FileIcons;

// The "File List" page of the left pane: a drive box (the mounted volumes),
// the directory tree, the files of the chosen directory and the filter box.
class FileListPane final : public QWidget
{
    Q_OBJECT

public:
    explicit FileListPane(QWidget *parent = nullptr);
    ~FileListPane() override;

    // "Label|*.a;*.b|Label|..." as FileFilter builds it; the first entry is chosen.
    void setFilter(const QString &filter);
    QString directory() const;
    void setDirectory(const QString &path);
    void setListFont(const QFont &font);

    QComboBox *driveBox() const { return m_drives; }
    QTreeView *directoryList() const { return m_directories; }
    QListView *fileList() const { return m_files; }
    QComboBox *filterBox() const { return m_filter; }

Q_SIGNALS:
    void fileClicked(const QString &path);
    void fileActivated(const QString &path); // double click

private:
    void applyFilter(int index);
    void onDirectoryChosen();
    void onDriveChosen(int index);
    void onFileChosen(const QModelIndex &index);
    void revealDirectory();

    QComboBox *m_drives;
    QTreeView *m_directories;
    QListView *m_files;
    QComboBox *m_filter;
    std::unique_ptr<FileIcons> m_icons; // the models go first (see the destructor)
    QFileSystemModel *m_directoryModel;
    QFileSystemModel *m_fileModel;
    QString m_directory;
    bool m_revealPending = false;
};

} // namespace Tarnwick

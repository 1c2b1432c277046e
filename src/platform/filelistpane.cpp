// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filelistpane.h"

#include "platform/filefilter.h"
#include "platform/fileicons.h"
#include "platform/volumes.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QTreeView>
#include <QVBoxLayout>

namespace Tarnwick {

FileListPane::FileListPane(QWidget *parent)
    : QWidget(parent)
    , m_drives(new QComboBox(this))
    , m_directories(new QTreeView(this))
    , m_files(new QListView(this))
    , m_filter(new QComboBox(this))
    , m_icons(std::make_unique<FileIcons>())
    , m_directoryModel(new QFileSystemModel(this))
    , m_fileModel(new QFileSystemModel(this))
{
    m_drives->setObjectName(QStringLiteral("DriveComboBox1"));
    m_directories->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    m_filter->setObjectName(QStringLiteral("FilterComboBox1"));

    // The boxes stay a little narrower than the pane, as the lists do.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 3, 0);
    layout->setSpacing(2);
    layout->addWidget(m_drives);
    layout->addWidget(m_directories, 1);
    layout->addWidget(m_files, 1);
    layout->addWidget(m_filter);

    for (const QString &root : Volumes::browsable())
        m_drives->addItem(root, root);

    m_directoryModel->setIconProvider(m_icons.get());
    m_fileModel->setIconProvider(m_icons.get());
    m_directoryModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_directoryModel->setRootPath(QDir::rootPath());
    m_directories->setModel(m_directoryModel);
    m_directories->setHeaderHidden(true);
    for (int column = 1; column < m_directoryModel->columnCount(); ++column)
        m_directories->hideColumn(column);

    m_fileModel->setFilter(QDir::Files);
    m_fileModel->setNameFilterDisables(false);
    m_files->setModel(m_fileModel);

    connect(m_directories->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FileListPane::onDirectoryChosen);
    // The model fills folders in the background; bring the chosen one into view
    // as its rows arrive, until the user picks a folder of their own.
    connect(m_directoryModel, &QFileSystemModel::directoryLoaded, this,
            &FileListPane::revealDirectory);
    connect(m_directoryModel, &QFileSystemModel::rowsInserted, this,
            &FileListPane::revealDirectory);
    connect(m_directoryModel, &QFileSystemModel::layoutChanged, this,
            &FileListPane::revealDirectory);
    connect(m_drives, &QComboBox::activated, this, &FileListPane::onDriveChosen);
    connect(m_filter, &QComboBox::currentIndexChanged, this, &FileListPane::applyFilter);
    connect(m_files, &QListView::doubleClicked, this, &FileListPane::onFileChosen);
    connect(m_files, &QListView::clicked, this,
            [this](const QModelIndex &index) { Q_EMIT fileClicked(m_fileModel->filePath(index)); });

    setDirectory(QDir::homePath());
}

FileListPane::~FileListPane()
{
    // The models ask the icon provider from their background thread until they go.
    delete m_fileModel;
    delete m_directoryModel;
}

void FileListPane::setFilter(const QString &filter)
{
    const QSignalBlocker block(m_filter);
    m_filter->clear();
    for (const FileFilter::Entry &entry : FileFilter::parse(filter)) {
        QStringList patterns = entry.patterns;
        // "*.*" means every file, also those without a point in their name.
        patterns.replaceInStrings(QStringLiteral("*.*"), QStringLiteral("*"));
        m_filter->addItem(entry.label + QStringLiteral(" (") + entry.patterns.join(QLatin1Char(';'))
                              + QLatin1Char(')'),
                          patterns);
    }
    m_filter->setCurrentIndex(0);
    applyFilter(0);
}

void FileListPane::applyFilter(int index)
{
    if (index < 0)
        return;
    m_fileModel->setNameFilters(m_filter->itemData(index).toStringList());
}

QString FileListPane::directory() const
{
    return m_directory;
}

void FileListPane::setDirectory(const QString &path)
{
    const QString directory = QDir(path).exists() ? QDir(path).absolutePath() : QDir::homePath();
    m_directory = directory;
    m_revealPending = true;
    const QModelIndex index = m_directoryModel->index(directory);
    {
        const QSignalBlocker block(m_directories->selectionModel());
        m_directories->setCurrentIndex(index);
    }
    m_directories->scrollTo(index);
    m_files->setRootIndex(m_fileModel->setRootPath(directory));
}

void FileListPane::setListFont(const QFont &font)
{
    for (QWidget *w :
         std::initializer_list<QWidget *> { m_drives, m_directories, m_files, m_filter })
        w->setFont(font);
}

void FileListPane::onDirectoryChosen()
{
    const QString path = m_directoryModel->filePath(m_directories->currentIndex());
    if (path.isEmpty())
        return;
    m_directory = path;
    m_revealPending = false;
    m_files->setRootIndex(m_fileModel->setRootPath(path));
}

void FileListPane::revealDirectory()
{
    if (!m_revealPending)
        return;
    const QModelIndex index = m_directoryModel->index(m_directory);
    if (index.isValid())
        m_directories->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FileListPane::onFileChosen(const QModelIndex &index)
{
    Q_EMIT fileActivated(m_fileModel->filePath(index));
}

void FileListPane::onDriveChosen(int index)
{
    setDirectory(m_drives->itemData(index).toString());
}

} // namespace Tarnwick

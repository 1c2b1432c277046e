// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/textrafilesfrm.h"

#include "platform/fileops.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "platform/textfile.h"
#include "project/projectpaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

// Plain text beyond this is not shown: the viewer is for a look, not for reading.
constexpr qint64 plainTextLimit = 1024 * 1024;

QStringList extensionList(const QString &commaSeparated)
{
    QStringList list;
    for (const QString &part : commaSeparated.split(QLatin1Char(','))) {
        QString extension = part.trimmed();
        if (extension.startsWith(QLatin1Char('.')))
            extension.remove(0, 1);
        if (!extension.isEmpty())
            list.append(extension.toLower());
    }
    return list;
}

QListWidget *listNamed(const char *name, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

} // namespace

TExtraFilesFrm::TExtraFilesFrm(const QString &projectDirectory, const QStringList &pages,
                               OrphanSearch::ReferenceReader reader, Prompter *prompter,
                               const Extensions &extensions, QWidget *parent)
    : QDialog(parent)
    , m_directory(projectDirectory)
    , m_prompter(prompter)
    , m_extensions(extensions)
    , m_search(projectDirectory, pages, std::move(reader))
{
    setObjectName(QStringLiteral("TExtraFilesFrm"));
    setWindowTitle(QStringLiteral("Orphan Files"));

    auto *left = new QWidget(this);
    m_filesInUse = listNamed("FilesInUse", left);
    m_supportingFiles = listNamed("SupportingFiles", left);
    m_fileList = listNamed("FileListBox1", left);
    m_searchStatus = new QLabel(left);
    m_searchStatus->setObjectName(QStringLiteral("SearchStatus"));
    m_searchBtn = new QPushButton(QStringLiteral("Search"), left);
    m_searchBtn->setObjectName(QStringLiteral("SearchBtn"));
    m_closeBtn = new QPushButton(QStringLiteral("&Close"), left);
    m_closeBtn->setObjectName(QStringLiteral("CloseBtn"));
    m_trashBtn = new QPushButton(QStringLiteral("Move to Trash..."), left);
    m_trashBtn->setObjectName(QStringLiteral("TrashBtn"));
    m_trashBtn->setToolTip(QStringLiteral("Move the chosen orphan files to the trash"));
    m_trashBtn->setEnabled(false);
    m_fileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel(QStringLiteral("Project Files:"), left));
    leftLayout->addWidget(m_filesInUse, 1);
    leftLayout->addWidget(new QLabel(QStringLiteral("Supporting Files:"), left));
    leftLayout->addWidget(m_supportingFiles, 1);
    leftLayout->addWidget(new QLabel(QStringLiteral("Orphan Files:"), left));
    leftLayout->addWidget(m_fileList, 2);
    auto *status = new QHBoxLayout;
    status->addWidget(new QLabel(QStringLiteral("Searching File:"), left));
    status->addWidget(m_searchStatus, 1);
    leftLayout->addLayout(status);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_searchBtn);
    buttons->addWidget(m_trashBtn);
    buttons->addWidget(m_closeBtn);
    leftLayout->addLayout(buttons);

    m_viewer = new Renderer(this);
    m_viewer->setObjectName(QStringLiteral("HTMLViewer1"));
    m_viewer->SetViewImages(true);
    m_viewer->SetDefFontName(QStringLiteral("Times New Roman"));

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(left);
    splitter->addWidget(m_viewer);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({ 300, 600 });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(900, 600);

    for (QListWidget *list : { m_filesInUse, m_supportingFiles, m_fileList })
        connect(list, &QListWidget::itemClicked, this, [this, list] { listClicked(list); });
    connect(m_searchBtn, &QPushButton::clicked, this, &TExtraFilesFrm::SearchBtnClick);
    connect(m_trashBtn, &QPushButton::clicked, this, &TExtraFilesFrm::TrashBtnClick);
    connect(m_fileList, &QListWidget::itemSelectionChanged, this,
            &TExtraFilesFrm::updateTrashButton);
    connect(m_closeBtn, &QPushButton::clicked, this, &QDialog::accept);

    // FormShow: every file at first; the pages of the project.
    m_fileList->addItems(OrphanSearch::directoryFiles(m_directory));
    QStringList sortedPages = pages;
    sortedPages.sort(Qt::CaseInsensitive);
    m_filesInUse->addItems(sortedPages);
    setStatus(QStringLiteral("0 of ") + QString::number(pages.size()));
}

TExtraFilesFrm::~TExtraFilesFrm() = default;

void TExtraFilesFrm::setStatus(const QString &text)
{
    m_searchStatus->setText(text);
    m_searchStatus->repaint();
}

void TExtraFilesFrm::SearchBtnClick()
{
    m_searchBtn->setEnabled(false);
    m_closeBtn->setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList &pages = m_search.pages();
    for (int i = 0; i < pages.size(); ++i) {
        setStatus(QString::number(i + 1) + QStringLiteral(" of ") + QString::number(pages.size()));
        if (const Result collected = m_search.CollectFiles(i); !collected) {
            QGuiApplication::restoreOverrideCursor();
            m_prompter->warning(collected.error());
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    m_supportingFiles->clear();
    m_supportingFiles->addItems(m_search.supportingFiles());
    setStatus(QStringLiteral("Comparing..."));
    QStringList files;
    for (int i = 0; i < m_fileList->count(); ++i)
        files.append(m_fileList->item(i)->text());
    m_fileList->clear();
    m_fileList->addItems(m_search.orphans(files));
    setStatus(QStringLiteral("Complete"));
    QGuiApplication::restoreOverrideCursor();
    m_closeBtn->setEnabled(true);
    m_searched = true;
    updateTrashButton();
}

void TExtraFilesFrm::setOpenPageCheck(std::function<bool(const QString &)> isOpen)
{
    m_isOpenPage = std::move(isOpen);
}

// Before the search the list holds every file, pages included.
void TExtraFilesFrm::updateTrashButton()
{
    m_trashBtn->setEnabled(m_searched && !m_fileList->selectedItems().isEmpty());
}

QString TExtraFilesFrm::keepReason(const QString &name) const
{
    if (name.compare(ProjectPaths::SettingsFileName, Qt::CaseInsensitive) == 0)
        return name + QStringLiteral(" holds the project's settings.");
    const QString path = QDir(m_directory).filePath(name);
    if (name.endsWith(QLatin1Char('_')) && m_isOpenPage && m_isOpenPage(path.chopped(1)))
        return name + QStringLiteral(" keeps the text of a page that is open.");
    return {};
}

void TExtraFilesFrm::TrashBtnClick()
{
    if (!m_searched)
        return;
    QStringList going, kept;
    for (int i = 0; i < m_fileList->count(); ++i) {
        const QListWidgetItem *item = m_fileList->item(i);
        if (!item->isSelected())
            continue;
        const QString reason = keepReason(item->text());
        (reason.isEmpty() ? going : kept).append(reason.isEmpty() ? item->text() : reason);
    }
    if (!kept.isEmpty())
        m_prompter->information(kept.join(QLatin1Char('\n'))
                                + (kept.size() == 1
                                       ? QStringLiteral("\nIt stays where it is.")
                                       : QStringLiteral("\nThey stay where they are.")));
    if (going.isEmpty())
        return;
    const QString question = QStringLiteral("Move to the trash?\n") + going.join(QLatin1Char('\n'));
    if (m_prompter->message(Prompter::Kind::Confirmation, question, Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes)
        return;
    QStringList failures;
    for (const QString &name : std::as_const(going)) {
        if (const Result moved = FileOps::moveToTrash(QDir(m_directory).filePath(name)); !moved) {
            failures.append(moved.error());
            continue;
        }
        const QList<QListWidgetItem *> items = m_fileList->findItems(name, Qt::MatchExactly);
        for (QListWidgetItem *item : items)
            delete item;
    }
    if (!failures.isEmpty())
        m_prompter->warning(failures.join(QLatin1Char('\n')));
    updateTrashButton();
}

void TExtraFilesFrm::listClicked(QListWidget *list)
{
    for (QListWidget *other : { m_filesInUse, m_supportingFiles, m_fileList }) {
        if (other != list)
            other->clearSelection();
    }
    if (const QListWidgetItem *item = list->currentItem())
        DisplayTheFile(item->text());
}

TExtraFilesFrm::Display TExtraFilesFrm::displayFor(const QString &name,
                                                   const Extensions &extensions)
{
    const QString fileName = QFileInfo(name).fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : fileName.mid(dot + 1).toLower();
    if (extension.isEmpty())
        return Display::PlainText;
    if (extensionList(extensions.graphics).contains(extension))
        return Display::Image;
    if (extensionList(extensions.pages).contains(extension))
        return Display::Page;
    return Display::PlainText;
}

void TExtraFilesFrm::DisplayTheFile(const QString &name)
{
    const QString path = QDir(m_directory).filePath(name);
    switch (displayFor(name, m_extensions)) {
    case Display::Page:
        m_viewer->LoadFromFile(path);
        return;
    case Display::Image: {
        const QString address
            = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toHtmlEscaped();
        m_viewer->LoadFromBuffer(QStringLiteral("<html><body><img src=\"") + address
                                     + QStringLiteral("\"></body></html>"),
                                 m_directory);
        return;
    }
    case Display::PlainText: {
        QFile file(path);
        QString text;
        if (file.open(QIODevice::ReadOnly))
            text = TextFile::decode(file.read(plainTextLimit)).text;
        m_viewer->LoadFromBuffer(QStringLiteral("<html><body><pre>") + text.toHtmlEscaped()
                                     + QStringLiteral("</pre></body></html>"),
                                 m_directory);
        return;
    }
    }
}

} // namespace Tarnwick

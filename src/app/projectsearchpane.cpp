// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/projectsearchpane.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

constexpr int pathRole = Qt::UserRole;
constexpr int lineRole = Qt::UserRole + 1;
constexpr int columnRole = Qt::UserRole + 2;
constexpr int lengthRole = Qt::UserRole + 3;

} // namespace

ProjectSearchPane::ProjectSearchPane(QWidget *parent)
    : QDockWidget(QStringLiteral("Find in Project"), parent)
    , m_status(new QLabel)
    , m_progress(new QProgressBar)
    , m_cancel(new QPushButton(QStringLiteral("Cancel")))
    , m_tree(new QTreeWidget)
{
    setObjectName(QStringLiteral("ProjectSearchPane"));
    m_status->setObjectName(QStringLiteral("ProjectSearchStatus"));
    m_cancel->setObjectName(QStringLiteral("ProjectSearchCancel"));
    m_tree->setObjectName(QStringLiteral("ProjectSearchResults"));
    m_tree->setHeaderLabels(
        { QStringLiteral("Text"), QStringLiteral("Line"), QStringLiteral("Column") });
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_tree->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_progress->setVisible(false);
    m_cancel->setVisible(false);
    auto *body = new QWidget;
    auto *bar = new QHBoxLayout;
    bar->addWidget(m_status, 1);
    bar->addWidget(m_progress);
    bar->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(m_tree);
    setWidget(body);
    connect(m_tree, &QTreeWidget::itemActivated, this, &ProjectSearchPane::itemActivated);
    connect(m_cancel, &QPushButton::clicked, this, &ProjectSearchPane::cancelRequested);
}

void ProjectSearchPane::start(const QString &folder)
{
    m_folder = folder;
    m_matches = m_files = m_listed = 0;
    m_tree->clear();
    m_status->clear();
}

void ProjectSearchPane::addFile(const SearchFile &file)
{
    if (file.matches.isEmpty() && file.skipped.isEmpty())
        return;
    const QString name
        = m_folder.isEmpty() ? file.path : QDir(m_folder).relativeFilePath(file.path);
    auto *branch = new QTreeWidgetItem;
    branch->setData(0, pathRole, file.path);
    if (!file.skipped.isEmpty()) {
        branch->setText(0, QStringLiteral("%1: skipped, %2").arg(name, file.skipped));
        m_tree->addTopLevelItem(branch);
        return;
    }
    ++m_files;
    m_matches += file.matches.size();
    branch->setText(0,
                    QStringLiteral("%1 (%2)%3")
                        .arg(name)
                        .arg(file.matches.size())
                        .arg(file.open ? QStringLiteral(", open in a tab") : QString()));
    QFont bold = branch->font(0);
    bold.setBold(true);
    branch->setFont(0, bold);
    QList<QTreeWidgetItem *> items;
    for (const SearchMatch &m : file.matches) {
        if (m_listed >= MaxListed)
            break;
        ++m_listed;
        auto *item = new QTreeWidgetItem(
            { m.lineText.trimmed(), QString::number(m.line), QString::number(m.column) });
        item->setData(0, pathRole, file.path);
        item->setData(0, lineRole, m.line);
        item->setData(0, columnRole, m.column);
        item->setData(0, lengthRole, int(m.length));
        item->setToolTip(0, m.lineText);
        items << item;
    }
    branch->addChildren(items);
    m_tree->addTopLevelItem(branch);
    branch->setExpanded(m_listed < 2000);
}

void ProjectSearchPane::setRunning(bool running)
{
    m_progress->setVisible(running);
    m_cancel->setVisible(running);
    if (running)
        m_progress->setRange(0, 0);
}

void ProjectSearchPane::setProgress(qsizetype done, qsizetype total)
{
    m_progress->setRange(0, int(std::max<qsizetype>(total, 1)));
    m_progress->setValue(int(done));
}

void ProjectSearchPane::setStatus(const QString &text)
{
    QString shown = text;
    if (m_matches > m_listed)
        shown += QStringLiteral(" (the first %1 listed)").arg(m_listed);
    m_status->setText(shown);
}

QString ProjectSearchPane::status() const
{
    return m_status->text();
}

void ProjectSearchPane::itemActivated(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QString path = item->data(0, pathRole).toString();
    if (!path.isEmpty())
        Q_EMIT openRequested(path, item->data(0, lineRole).toInt(),
                             item->data(0, columnRole).toInt(), item->data(0, lengthRole).toInt());
}

} // namespace Tarnwick

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
    : ResultsDock(QStringLiteral("Find in Project"), QStringLiteral("ProjectSearch"),
                  QStringLiteral("ProjectSearchResults"),
                  { QStringLiteral("Text"), QStringLiteral("Line"), QStringLiteral("Column") },
                  parent)
{
    connect(tree(), &QTreeWidget::itemActivated, this, &ProjectSearchPane::itemActivated);
}

void ProjectSearchPane::start(const QString &folder)
{
    m_folder = folder;
    m_matches = m_files = m_listed = 0;
    tree()->clear();
    ResultsDock::setStatus(QString());
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
        tree()->addTopLevelItem(branch);
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
    tree()->addTopLevelItem(branch);
    branch->setExpanded(m_listed < 2000);
}

void ProjectSearchPane::setStatus(const QString &text)
{
    QString shown = text;
    if (m_matches > m_listed)
        shown += QStringLiteral(" (the first %1 listed)").arg(m_listed);
    ResultsDock::setStatus(shown);
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

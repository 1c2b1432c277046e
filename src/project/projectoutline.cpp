// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectoutline.h"

#include "project/entrytext.h"
#include "project/projectpaths.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QSet>
#include <QTreeWidgetItemIterator>

namespace Tarnwick {

ProjectOutline::ProjectOutline(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("Outline1"));
    setToolTip(QStringLiteral("Double click to open page or right click for popup menu"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &ProjectOutline::onItemDoubleClicked);
}

void ProjectOutline::setProgramDirectory(const QString &programDir)
{
    m_programDir = programDir;
}

void ProjectOutline::setTree(const ProjectTree &tree)
{
    clear();
    // Built apart and handed over at once: a list of thousands of pages
    // shows without a model update per entry.
    QList<QTreeWidgetItem *> projects;
    // parents[n] is the latest item of level n + 1.
    QList<QTreeWidgetItem *> parents;
    for (const ProjectTreeEntry &entry : tree.entries()) {
        const int level = qBound(1, entry.level, int(parents.size()) + 1);
        auto *item = new QTreeWidgetItem(QStringList { entry.text });
        if (level == 1)
            projects.append(item);
        else
            parents.at(level - 2)->addChild(item);
        parents.resize(level);
        parents[level - 1] = item;
    }
    addTopLevelItems(projects);
}

void ProjectOutline::showTree(const ProjectTree &tree, int row)
{
    QSet<QString> closed;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem *project = topLevelItem(i);
        if (project->childCount() > 0 && !project->isExpanded())
            closed.insert(project->text(0));
    }
    const int scrolled = verticalScrollBar()->value();
    setUpdatesEnabled(false);
    setTree(tree);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *project = topLevelItem(i);
        project->setExpanded(!closed.contains(project->text(0)));
    }
    QTreeWidgetItem *selected = itemAtRow(row);
    for (QTreeWidgetItem *parent = selected ? selected->parent() : nullptr; parent;
         parent = parent->parent())
        parent->setExpanded(true);
    setCurrentItem(selected);
    verticalScrollBar()->setValue(scrolled);
    if (selected)
        scrollToItem(selected);
    setUpdatesEnabled(true);
}

ProjectTree ProjectOutline::tree() const
{
    QList<ProjectTreeEntry> entries;
    for (QTreeWidgetItemIterator it(const_cast<ProjectOutline *>(this)); *it; ++it)
        entries.append({ levelOf(*it), (*it)->text(0) });
    return ProjectTree(std::move(entries));
}

int ProjectOutline::currentRow() const
{
    return rowOf(currentItem());
}

void ProjectOutline::setCurrentRow(int row)
{
    setCurrentItem(itemAtRow(row));
}

int ProjectOutline::selectedLevel() const
{
    return levelOf(currentItem());
}

bool ProjectOutline::selectedIsProject() const
{
    return selectedLevel() == 1;
}

bool ProjectOutline::selectedIsPage() const
{
    return selectedLevel() == 2;
}

QString ProjectOutline::selectedText() const
{
    const QTreeWidgetItem *item = currentItem();
    return item ? item->text(0) : QString();
}

QString ProjectOutline::selectedProjectText() const
{
    QTreeWidgetItem *item = currentItem();
    return item ? projectOf(item)->text(0) : QString();
}

QString ProjectOutline::GetSelectedProjectDir() const
{
    QTreeWidgetItem *item = currentItem();
    if (!item)
        return {};
    // The project's own directory for any entry below it, even when its target is empty.
    const QString target = EntryText::EntryTarget(projectOf(item)->text(0));
    return ProjectPaths::projectDirectory(m_programDir, target);
}

QString ProjectOutline::GetSelectedFilename() const
{
    const QTreeWidgetItem *item = currentItem();
    if (!item)
        return {};
    return GetSelectedProjectDir() + QLatin1Char('/') + EntryText::EntryTarget(item->text(0));
}

int ProjectOutline::AddThePage(const QString &text, int projectRow)
{
    QTreeWidgetItem *project = nullptr;
    if (projectRow < 0) {
        if (currentItem())
            project = projectOf(currentItem());
    } else {
        project = itemAtRow(projectRow);
    }
    if (!project || levelOf(project) != 1)
        return -1;

    int at = project->childCount();
    for (int i = 0; i < project->childCount(); ++i) {
        if (!ProjectTree::sortsBefore(project->child(i)->text(0), text)) {
            at = i;
            break;
        }
    }
    auto *item = new QTreeWidgetItem(QStringList { text });
    project->insertChild(at, item);
    if (projectRow < 0) {
        project->setExpanded(true);
        setCurrentItem(item);
        scrollToItem(item);
    }
    return rowOf(item);
}

int ProjectOutline::addProject(const QString &text)
{
    auto *item = new QTreeWidgetItem(this, QStringList { text });
    setCurrentItem(item);
    scrollToItem(item);
    return rowOf(item);
}

bool ProjectOutline::event(QEvent *event)
{
    // F3 on a page entry opens it; the window's F3 (find next) must not take it.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F3 && key->modifiers() == Qt::NoModifier && selectedIsPage()) {
            event->accept();
            return true;
        }
    }
    return QTreeWidget::event(event);
}

void ProjectOutline::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool f3 = event->key() == Qt::Key_F3 && event->modifiers() == Qt::NoModifier;
    if ((enter || f3) && requestOpen(f3)) {
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void ProjectOutline::onItemDoubleClicked(QTreeWidgetItem *item, int)
{
    if (item != currentItem())
        setCurrentItem(item);
    requestOpen(false);
}

bool ProjectOutline::requestOpen(bool direct)
{
    if (!selectedIsPage())
        return false;
    emit pageOpenRequested(GetSelectedFilename(), direct);
    return true;
}

QTreeWidgetItem *ProjectOutline::itemAtRow(int row) const
{
    if (row < 0)
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<ProjectOutline *>(this)); *it; ++it) {
        if (row-- == 0)
            return *it;
    }
    return nullptr;
}

int ProjectOutline::rowOf(const QTreeWidgetItem *item) const
{
    if (!item)
        return -1;
    int row = 0;
    for (QTreeWidgetItemIterator it(const_cast<ProjectOutline *>(this)); *it; ++it, ++row) {
        if (*it == item)
            return row;
    }
    return -1;
}

int ProjectOutline::levelOf(const QTreeWidgetItem *item)
{
    int level = 0;
    for (; item; item = item->parent())
        ++level;
    return level;
}

QTreeWidgetItem *ProjectOutline::projectOf(QTreeWidgetItem *item)
{
    while (item && item->parent())
        item = item->parent();
    return item;
}

} // namespace Tarnwick

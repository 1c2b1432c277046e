// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/resultsdock.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Tarnwick {

ResultsDock::ResultsDock(const QString &title, const QString &name, const QString &treeName,
                         const QStringList &columns, QWidget *parent)
    : QDockWidget(title, parent)
    , m_bar(new QHBoxLayout)
    , m_status(new QLabel)
    , m_progress(new QProgressBar)
    , m_cancel(new QPushButton(QStringLiteral("Cancel")))
    , m_tree(new QTreeWidget)
{
    setObjectName(name + QStringLiteral("Pane"));
    m_status->setObjectName(name + QStringLiteral("Status"));
    m_cancel->setObjectName(name + QStringLiteral("Cancel"));
    m_tree->setObjectName(treeName);
    m_tree->setHeaderLabels(columns);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < columns.size(); ++column)
        m_tree->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_progress->setVisible(false);
    m_cancel->setVisible(false);
    m_bar->addWidget(m_status, 1);
    m_bar->addWidget(m_progress);
    m_bar->addWidget(m_cancel);
    auto *body = new QWidget;
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(m_bar);
    layout->addWidget(m_tree);
    setWidget(body);
    connect(m_cancel, &QPushButton::clicked, this, &ResultsDock::cancelRequested);
}

void ResultsDock::dockIn(QMainWindow *window)
{
    window->addDockWidget(Qt::BottomDockWidgetArea, this);
    hide();
}

void ResultsDock::addToBar(QWidget *widget)
{
    m_bar->insertWidget(m_bar->indexOf(m_status), widget);
}

QString ResultsDock::status() const
{
    return m_status->text();
}

void ResultsDock::setStatus(const QString &text)
{
    m_status->setText(text);
}

void ResultsDock::setRunning(bool running)
{
    m_progress->setVisible(running);
    m_cancel->setVisible(running);
    m_cancel->setEnabled(running);
    if (running)
        m_progress->setRange(0, 0);
}

void ResultsDock::setProgress(qsizetype done, qsizetype total)
{
    m_progress->setRange(0, int(std::max<qsizetype>(total, 1)));
    m_progress->setValue(int(done));
}

} // namespace Tarnwick

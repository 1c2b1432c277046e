// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sitecheckpane.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

constexpr int lineRole = Qt::UserRole;
constexpr int columnRole = Qt::UserRole + 1;
constexpr int pathRole = Qt::UserRole + 2;

QIcon iconFor(SiteFinding::Severity severity)
{
    QStyle *style = QApplication::style();
    switch (severity) {
    case SiteFinding::Severity::Error:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case SiteFinding::Severity::Warning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case SiteFinding::Severity::Note:
        break;
    }
    return style->standardIcon(QStyle::SP_MessageBoxInformation);
}

} // namespace

SiteCheckPane::SiteCheckPane(QWidget *parent)
    : QDockWidget(QStringLiteral("Site Check"), parent)
    , m_filter(new QComboBox)
    , m_status(new QLabel)
    , m_progress(new QProgressBar)
    , m_cancel(new QPushButton(QStringLiteral("Cancel")))
    , m_tree(new QTreeWidget)
{
    setObjectName(QStringLiteral("SiteCheckPane"));
    m_filter->setObjectName(QStringLiteral("SiteCheckFilter"));
    m_cancel->setObjectName(QStringLiteral("SiteCheckCancel"));
    m_tree->setObjectName(QStringLiteral("SiteCheckFindings"));
    m_status->setObjectName(QStringLiteral("SiteCheckStatus"));
    m_filter->addItem(QStringLiteral("All kinds"));
    for (const SiteFinding::Kind kind : SiteFinding::allKinds())
        m_filter->addItem(SiteFinding::kindName(kind), int(kind));
    m_filter->setToolTip(QStringLiteral("Show the findings of one kind only"));
    m_progress->setVisible(false);
    m_cancel->setVisible(false);
    m_tree->setHeaderLabels({ QStringLiteral("Finding"), QStringLiteral("Line"),
                              QStringLiteral("Column"), QStringLiteral("Kind") });
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        m_tree->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);

    auto *body = new QWidget;
    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Show:")));
    bar->addWidget(m_filter);
    bar->addWidget(m_status, 1);
    bar->addWidget(m_progress);
    bar->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(m_tree);
    setWidget(body);

    connect(m_filter, &QComboBox::currentIndexChanged, this, &SiteCheckPane::fill);
    connect(m_tree, &QTreeWidget::itemActivated, this, &SiteCheckPane::itemActivated);
    connect(m_cancel, &QPushButton::clicked, this, &SiteCheckPane::cancelRequested);
}

void SiteCheckPane::setResults(const SiteCheckResults &results)
{
    m_results = results;
    fill();
}

void SiteCheckPane::replacePage(const QString &path, const QList<SiteFinding> &findings)
{
    m_results.replacePage(path, findings);
    fill();
}

void SiteCheckPane::setRunning(bool running)
{
    m_progress->setVisible(running);
    m_cancel->setVisible(running);
    m_cancel->setEnabled(running);
    m_filter->setEnabled(!running);
    if (running)
        m_progress->setRange(0, 0);
}

void SiteCheckPane::setProgress(qsizetype done, qsizetype total)
{
    m_progress->setRange(0, int(std::max<qsizetype>(total, 1)));
    m_progress->setValue(int(done));
    m_status->setText(
        QStringLiteral("Checking page %1 of %2...").arg(std::min(done + 1, total)).arg(total));
}

void SiteCheckPane::setStatus(const QString &text)
{
    m_status->setText(text);
}

QString SiteCheckPane::status() const
{
    return m_status->text();
}

void SiteCheckPane::fill()
{
    std::optional<SiteFinding::Kind> kind;
    if (const QVariant chosen = m_filter->currentData(); chosen.isValid())
        kind = SiteFinding::Kind(chosen.toInt());
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    QList<QTreeWidgetItem *> pages;
    const QDir project(m_results.projectDir());
    for (const QString &path : m_results.paths(kind)) {
        const QList<SiteFinding> findings = m_results.findings(path, kind);
        auto *page
            = new QTreeWidgetItem({ QStringLiteral("%1 (%2)").arg(path).arg(findings.size()) });
        page->setData(0, pathRole, project.filePath(path));
        QFont bold = page->font(0);
        bold.setBold(true);
        page->setFont(0, bold);
        for (const SiteFinding &f : findings) {
            auto *item
                = new QTreeWidgetItem(page,
                                      { f.message, f.line > 0 ? QString::number(f.line) : QString(),
                                        f.column > 0 ? QString::number(f.column) : QString(),
                                        SiteFinding::kindName(f.kind) });
            item->setIcon(0, iconFor(f.severity));
            item->setToolTip(0, f.message);
            item->setData(0, pathRole, project.filePath(f.path));
            item->setData(0, lineRole, f.line);
            item->setData(0, columnRole, f.column);
        }
        pages << page;
    }
    m_tree->addTopLevelItems(pages);
    m_tree->expandAll();
    m_tree->setUpdatesEnabled(true);
    if (m_results.projectDir().isEmpty())
        return;
    const qsizetype shown = m_results.count(kind);
    QString text = m_results.summary();
    if (kind)
        text += QStringLiteral(" (%1 shown)").arg(shown);
    m_status->setText(text);
}

void SiteCheckPane::itemActivated(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QString path = item->data(0, pathRole).toString();
    if (!path.isEmpty())
        Q_EMIT openRequested(path, item->data(0, lineRole).toInt(),
                             item->data(0, columnRole).toInt());
}

} // namespace Tarnwick

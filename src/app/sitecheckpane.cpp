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
    : ResultsDock(QStringLiteral("Site Check"), QStringLiteral("SiteCheck"),
                  QStringLiteral("SiteCheckFindings"),
                  { QStringLiteral("Finding"), QStringLiteral("Line"), QStringLiteral("Column"),
                    QStringLiteral("Kind") },
                  parent)
    , m_filter(new QComboBox)
{
    m_filter->setObjectName(QStringLiteral("SiteCheckFilter"));
    m_filter->addItem(QStringLiteral("All kinds"));
    for (const SiteFinding::Kind kind : SiteFinding::allKinds())
        m_filter->addItem(SiteFinding::kindName(kind), int(kind));
    m_filter->setToolTip(QStringLiteral("Show the findings of one kind only"));
    addToBar(new QLabel(QStringLiteral("Show:")));
    addToBar(m_filter);
    connect(m_filter, &QComboBox::currentIndexChanged, this, &SiteCheckPane::fill);
    connect(tree(), &QTreeWidget::itemActivated, this, &SiteCheckPane::itemActivated);
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
    ResultsDock::setRunning(running);
    m_filter->setEnabled(!running);
}

void SiteCheckPane::setProgress(qsizetype done, qsizetype total)
{
    ResultsDock::setProgress(done, total);
    setStatus(
        QStringLiteral("Checking page %1 of %2...").arg(std::min(done + 1, total)).arg(total));
}

void SiteCheckPane::fill()
{
    std::optional<SiteFinding::Kind> kind;
    if (const QVariant chosen = m_filter->currentData(); chosen.isValid())
        kind = SiteFinding::Kind(chosen.toInt());
    tree()->setUpdatesEnabled(false);
    tree()->clear();
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
    tree()->addTopLevelItems(pages);
    tree()->expandAll();
    tree()->setUpdatesEnabled(true);
    if (m_results.projectDir().isEmpty())
        return;
    const qsizetype shown = m_results.count(kind);
    QString text = m_results.summary();
    if (kind)
        text += QStringLiteral(" (%1 shown)").arg(shown);
    setStatus(text);
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

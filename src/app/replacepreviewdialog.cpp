// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/replacepreviewdialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

constexpr int fileRole = Qt::UserRole;
constexpr int matchRole = Qt::UserRole + 1;

} // namespace

// The line from a little before the match, so that the change shows.
QString ReplacePreviewDialog::around(const QString &line, qsizetype at)
{
    constexpr qsizetype lead = 40;
    if (at <= lead)
        return line;
    return QStringLiteral("...") + line.mid(at - lead);
}

QString ReplacePreviewDialog::after(const SearchMatch &match, const QRegularExpression &expression,
                                    const SearchQuery &query)
{
    const qsizetype at = match.column - 1;
    const QString &line = match.lineText;
    const bool whole = !line.startsWith(QStringLiteral("...")) && at + match.length <= line.size();
    if (whole) {
        const QRegularExpressionMatch found
            = expression.match(line, at, QRegularExpression::NormalMatch,
                               QRegularExpression::AnchorAtOffsetMatchOption);
        if (found.hasMatch() && found.capturedLength() == match.length)
            return around(line.left(at) + query.replacementFor(found) + line.mid(at + match.length),
                          at);
    }
    return QStringLiteral("... %1 ...")
        .arg(query.regularExpression ? QStringLiteral("(replaced)") : query.replacement);
}

ReplacePreviewDialog::ReplacePreviewDialog(const QList<SearchFile> &files,
                                           const QRegularExpression &expression,
                                           const SearchQuery &query, const QString &folder,
                                           QWidget *parent)
    : QDialog(parent)
    , m_files(files)
    , m_tree(new QTreeWidget)
{
    setWindowTitle(QStringLiteral("Replace in Project"));
    m_tree->setObjectName(QStringLiteral("ReplacePreview"));
    m_tree->setHeaderLabels(
        { QStringLiteral("Line"), QStringLiteral("Before"), QStringLiteral("After") });
    m_tree->setUniformRowHeights(true);
    qsizetype count = 0;
    for (int f = 0; f < m_files.size(); ++f) {
        const SearchFile &file = m_files.at(f);
        if (file.matches.isEmpty())
            continue;
        auto *branch = new QTreeWidgetItem(
            { QDir(folder).relativeFilePath(file.path)
              + (file.open ? QStringLiteral(" (open: changed in its tab, not saved)")
                           : QString()) });
        branch->setFlags(branch->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        branch->setCheckState(0, Qt::Checked);
        for (int m = 0; m < file.matches.size(); ++m) {
            const SearchMatch &match = file.matches.at(m);
            const bool cut = match.lineText.startsWith(QStringLiteral("..."));
            auto *item = new QTreeWidgetItem(
                branch,
                { QString::number(match.line),
                  cut ? match.lineText : around(match.lineText, match.column - 1),
                  after(match, expression, query) });
            item->setToolTip(1, match.lineText);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Checked);
            item->setData(0, fileRole, f);
            item->setData(0, matchRole, m);
        }
        count += file.matches.size();
        m_tree->addTopLevelItem(branch);
        branch->setFirstColumnSpanned(true); // the file's name over the three columns
    }
    m_tree->expandAll();
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_tree->header()->resizeSection(0, 90);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_tree->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Replace"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("%1 matches. Untick what should stay as it is.").arg(count)));
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    resize(900, 500);
}

QHash<QString, QList<SearchMatch>> ReplacePreviewDialog::chosen() const
{
    QHash<QString, QList<SearchMatch>> out;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *branch = m_tree->topLevelItem(i);
        for (int j = 0; j < branch->childCount(); ++j) {
            const QTreeWidgetItem *item = branch->child(j);
            if (item->checkState(0) != Qt::Checked)
                continue;
            const SearchFile &file = m_files.at(item->data(0, fileRole).toInt());
            out[file.path].append(file.matches.at(item->data(0, matchRole).toInt()));
        }
    }
    return out;
}

} // namespace Tarnwick

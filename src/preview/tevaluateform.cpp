// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/tevaluateform.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

constexpr int detailPositionRole = Qt::UserRole;

QLabel *labelFor(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TEvaluateForm::TEvaluateForm(EditorControl *editor, Prompter *prompter,
                             std::function<QString()> pagePath, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_pagePath(std::move(pagePath))
    , m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("TEvaluateForm"));
    setWindowTitle(QStringLiteral("Web Page Details"));

    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("Header"));
    m_header->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_filesFound = addList("FilesFound");
    m_filesMissing = addList("FilesMissing");
    m_links = addList("Links");
    m_locatedLinks = addList("LocatedLinks");
    m_pageMarkers = addList("PageMarkers");
    m_missingPages = addList("MissingPages");
    m_broken = addList("Broken");
    m_webDetails = addList("WebDetails");
    for (QListWidget *list : { m_links, m_locatedLinks }) {
        list->setToolTip(linksHint());
        connect(list, &QListWidget::itemDoubleClicked, this, [this, list] { LinksDblClick(list); });
    }
    connect(m_webDetails, &QListWidget::itemDoubleClicked, this,
            &TEvaluateForm::WebDetails1DblClick);

    auto *sources = new QGroupBox(QStringLiteral("SRC references"), this);
    auto *sourceGrid = new QGridLayout(sources);
    sourceGrid->addWidget(labelFor(QStringLiteral("Located:"), m_filesFound, sources), 0, 0);
    sourceGrid->addWidget(m_filesFound, 1, 0);
    sourceGrid->addWidget(labelFor(QStringLiteral("Missing:"), m_filesMissing, sources), 0, 1);
    sourceGrid->addWidget(m_filesMissing, 1, 1);
    auto *references = new QGroupBox(QStringLiteral("HREF References:"), this);
    auto *referenceGrid = new QGridLayout(references);
    referenceGrid->addWidget(labelFor(QStringLiteral("Links:"), m_links, references), 0, 0);
    referenceGrid->addWidget(m_links, 1, 0);
    referenceGrid->addWidget(labelFor(QStringLiteral("Located:"), m_locatedLinks, references), 0,
                             1);
    referenceGrid->addWidget(m_locatedLinks, 1, 1);
    referenceGrid->addWidget(labelFor(QStringLiteral("Broken:"), m_broken, references), 0, 2);
    referenceGrid->addWidget(m_broken, 1, 2);
    auto *markers = new QGridLayout;
    markers->addWidget(labelFor(QStringLiteral("Page Markers:"), m_pageMarkers, this), 0, 0);
    markers->addWidget(m_pageMarkers, 1, 0);
    markers->addWidget(labelFor(QStringLiteral("Missing Markers:"), m_missingPages, this), 0, 1);
    markers->addWidget(m_missingPages, 1, 1);

    auto *lists = new QHBoxLayout;
    lists->addWidget(sources, 2);
    lists->addWidget(references, 3);
    lists->addLayout(markers, 2);
    auto *layout = new QVBoxLayout(this);
    // The last list, "Missing Markers:", ends 5 pixels from the right edge.
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(m_header);
    layout->addLayout(lists, 3);
    layout->addWidget(m_webDetails, 2);
    resize(1000, 560);
}

QListWidget *TEvaluateForm::addList(const char *name)
{
    auto *list = new QListWidget(this);
    list->setObjectName(QLatin1String(name));
    // A large page gives tens of thousands of lines: the dialog shows at once
    // with the first of them and lays out the rest as it stands open.
    list->setLayoutMode(QListView::Batched);
    m_lists.append(list);
    connect(list, &QListWidget::itemClicked, this, [this, list] { FilesFoundClick(list); });
    return list;
}

QString TEvaluateForm::mailProgramMissing()
{
    return QStringLiteral("Eudora is not currently running or we just could not find it.");
}

QString TEvaluateForm::browserMissing()
{
    return QStringLiteral("Netscape is not currently running or we just could not find it.");
}

QString TEvaluateForm::linksHint()
{
    return QStringLiteral("Double click to pass URL to Netscape, or email address to Eudora");
}

void TEvaluateForm::setUrlOpener(std::function<bool(const QUrl &)> opener)
{
    m_openUrl = std::move(opener);
}

void TEvaluateForm::fill(QListWidget *list, const QStringList &entries)
{
    list->clear();
    list->addItems(entries);
}

void TEvaluateForm::Evaluate()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString path = m_pagePath ? m_pagePath() : QString();
    const QString directory = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
    m_report = PageDetails::Evaluate(m_editor->GetTextBuffer(), directory);
    setWindowTitle(m_report.caption());
    m_header->clear();
    fill(m_filesFound, m_report.FilesFound);
    fill(m_filesMissing, m_report.FilesMissing);
    fill(m_links, m_report.Links);
    fill(m_locatedLinks, m_report.LocatedLinks);
    fill(m_pageMarkers, m_report.PageMarkers);
    fill(m_missingPages, m_report.MissingPages);
    fill(m_broken, m_report.Broken);
    fill(m_webDetails, m_report.WebDetails);
    for (int i = 0; i < m_webDetails->count(); ++i) {
        const auto [line, column] = m_report.detailPositions.value(i);
        if (line > 0)
            m_webDetails->item(i)->setData(detailPositionRole, QPoint(column, line));
    }
    QGuiApplication::restoreOverrideCursor();
}

void TEvaluateForm::FilesFoundClick(QListWidget *list)
{
    if (const QListWidgetItem *item = list->currentItem())
        m_header->setText(item->text());
    for (QListWidget *other : std::as_const(m_lists)) {
        if (other != list)
            other->clearSelection();
    }
}

QUrl TEvaluateForm::linkAddress(const QString &entry, const QString &pagePath)
{
    const QUrl url(entry);
    // A scheme of one letter is a drive, not an address of another kind.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    QString relative = entry;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    return QUrl::fromLocalFile(QFileInfo(pagePath).absoluteFilePath()).resolved(QUrl(relative));
}

void TEvaluateForm::LinksDblClick(QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString entry = item->text();
    const qsizetype mailto = entry.indexOf(QStringLiteral("mailto:"), 0, Qt::CaseInsensitive);
    if (mailto >= 0) {
        const QString address = entry.mid(mailto + 7);
        if (!m_openUrl(QUrl(QStringLiteral("mailto:") + address)))
            m_prompter->information(mailProgramMissing());
        return;
    }
    if (!m_openUrl(linkAddress(entry, m_pagePath ? m_pagePath() : QString())))
        m_prompter->information(browserMissing());
}

void TEvaluateForm::WebDetails1DblClick()
{
    const QListWidgetItem *item = m_webDetails->currentItem();
    if (!item || m_editor->TextLength() == 0)
        return;
    const QVariant at = item->data(detailPositionRole);
    if (!at.isValid())
        return; // progress lines, the title and the summary lead nowhere
    const QPoint position = at.toPoint();
    m_editor->StartLine = m_editor->EndLine = position.y();
    m_editor->StartPos = m_editor->EndPos = position.x();
    m_editor->ApplySelection();
    accept();
}

void TEvaluateForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Evaluate();
    m_justShown = true;
}

void TEvaluateForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    if (m_justShown) {
        m_justShown = false;
        return;
    }
    Evaluate();
}

} // namespace Tarnwick

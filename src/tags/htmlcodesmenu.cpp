// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/htmlcodesmenu.h"

#include "tags/fixedtags.h"
#include "tags/taginserter.h"

namespace Tarnwick {

HTMLCodesMenu::HTMLCodesMenu(TagInserter *inserter, QWidget *parent)
    : QMenu(QStringLiteral("HTML &Codes"), parent)
    , m_inserter(inserter)
{
    setObjectName(QStringLiteral("HTMLCodes"));
    m_headings = addMenu(QStringLiteral("&Headings"));
    m_headings->setObjectName(QStringLiteral("Headings1"));
    for (int level = 1; level <= 6; ++level)
        addTagItem(m_headings,
                   QByteArray("H" + QByteArray::number(level) + "Size" + QByteArray::number(level))
                       .constData());
    addSeparator();

    m_separators = addMenu(QStringLiteral("&Separators"));
    m_separators->setObjectName(QStringLiteral("Separators1"));
    QAction *paragraph = m_separators->addAction(QStringLiteral("<P></P>"));
    paragraph->setObjectName(QStringLiteral("PP1"));
    paragraph->setStatusTip(QStringLiteral("Paragraph Marker <P>"));
    paragraph->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(paragraph, &QAction::triggered, this, [this] { m_inserter->ParagraphMarkerClick(); });
    for (const char *name : { "PLeft1", "PCenter1", "PRight1" })
        addTagItem(m_separators, name);
    m_separators->addSeparator();
    for (const char *name : { "Div1", "DivLeft1", "DivCenter1", "DivRight1" })
        addTagItem(m_separators, name);
    m_separators->addSeparator();
    for (const char *name : { "BR1", "BRClearLeft1", "BRClearRight1" })
        addTagItem(m_separators, name);
    m_separators->addSeparator();
    addTagItem(m_separators, "HRHorizontalBar1");

    addTagItem(this, "nbspNonbreakingSpace1");
}

QAction *HTMLCodesMenu::addTagItem(QMenu *menu, const char *objectName)
{
    const FixedTags::Entry *entry = FixedTags::find(QLatin1String(objectName));
    Q_ASSERT(entry);
    QAction *item = menu->addAction(entry->caption);
    item->setObjectName(entry->objectName);
    item->setStatusTip(entry->hint);
    item->setShortcut(entry->shortcut);
    connect(item, &QAction::triggered, this, [this, entry] { m_inserter->insertFixed(*entry); });
    return item;
}

} // namespace Tarnwick

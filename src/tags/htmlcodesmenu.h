// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

namespace Tarnwick {

class TagInserter;

// "HTML &Codes": the headings, the separators and the non-breaking space.
class HTMLCodesMenu final : public QMenu
{
    Q_OBJECT

public:
    explicit HTMLCodesMenu(TagInserter *inserter, QWidget *parent = nullptr);

    QMenu *headings() const { return m_headings; }
    QMenu *separators() const { return m_separators; }

private:
    QAction *addTagItem(QMenu *menu, const char *objectName);

    TagInserter *m_inserter;
    QMenu *m_headings;
    QMenu *m_separators;
};

} // namespace Tarnwick

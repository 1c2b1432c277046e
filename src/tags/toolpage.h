// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAnyStringView>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QToolButton;

namespace Tarnwick {

class TagInserter;

// A page of the tool notebook: one row of small buttons and boxes.
class ToolPage : public QWidget
{
    Q_OBJECT

public:
    ToolPage(QAnyStringView objectName, TagInserter *inserter, QWidget *parent = nullptr);

protected:
    // A button for an entry of the fixed tags: it makes that insertion.
    QToolButton *addTagButton(QAnyStringView objectName);
    QToolButton *addButton(QAnyStringView objectName, const QString &caption, const QString &hint);
    QLabel *addLabel(const QString &caption, const QString &hint = QString());
    void addControl(QWidget *control, QAnyStringView objectName, const QString &hint);
    void addSpacing(int pixels);
    void finish(); // the rest of the row stays empty

    TagInserter *m_inserter;

private:
    QHBoxLayout *m_layout;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/pageoperations.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Tarnwick {

// "Create Page": the new page's file name, extension, description and
// style. It only gathers them; the command checks and creates the page.
class TCrtPageForm final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int NameLength = 50;
    static constexpr int DescriptionLength = 35;

    // extensions: the valid page extensions, the first chosen.
    TCrtPageForm(const QStringList &extensions, const QString &programDirectory,
                 QWidget *parent = nullptr);

    PageOperations::NewPage page() const;

    // The template list shows only for "Use Template".
    void UseStyleClick();
    // Adds the templates of the program directory the list does not hold yet.
    void TemplateListDropDown();

private:
    QString m_programDirectory;
    QLineEdit *m_pageName = nullptr;
    QComboBox *m_extensionList = nullptr;
    QLineEdit *m_pageDesc = nullptr;
    QButtonGroup *m_useStyle = nullptr;
    QLabel *m_templateLabel = nullptr;
    QComboBox *m_templateList = nullptr;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/safesurflabel.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace Tarnwick {

// "SafeSurf Rating": eleven rating questions and the site, one page at a
// time.
class TSafeSurfForm final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int pageCount = SafeSurfLabel::questionCount + 1;

    explicit TSafeSurfForm(QWidget *parent = nullptr);

    // Shows an existing label's levels and site; an empty text shows none.
    void readLabel(const QString &label);
    SafeSurfLabel label() const;

    int page() const; // from 0
    void setPage(int page);
    void PrevClick();
    void NextClick();
    QString heading() const;

private:
    void showPage();

    QLabel *m_heading;
    QStackedWidget *m_pages;
    std::array<QListWidget *, SafeSurfLabel::questionCount> m_levels {};
    QLineEdit *m_site;
    QCheckBox *m_siteWide;
    QPushButton *m_prev;
    QPushButton *m_next;
};

} // namespace Tarnwick

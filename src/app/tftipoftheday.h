// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace Tarnwick {

class TipSession;

// The tip window: a title, the tip, Previous/Next (tip of the day only),
// Close and the "show again" box.
class TfTipOfTheDay final : public QDialog
{
    Q_OBJECT

public:
    explicit TfTipOfTheDay(TipSession &session, QWidget *parent = nullptr);

    // Shows the window modally; the session holds the outcome afterwards.
    static void present(TipSession &session, QWidget *parent = nullptr);

private:
    void showTip();
    void PreviousBtnClick();
    void NextBtnClick();

    TipSession &m_session;
    QLabel *m_title;
    QLabel *m_text;
    QPushButton *m_previous;
    QPushButton *m_next;
    QCheckBox *m_showAgain;
};

} // namespace Tarnwick

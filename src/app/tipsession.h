// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tipsfile.h"

namespace Tarnwick {

// What one showing of the tip window displays and what the user changed in
// it, apart from the window itself so that the rules can be tested.
class TipSession final
{
public:
    static TipSession tipOfTheDay(const TipsFile &file, int tipNumber, bool showAtStartup);
    // `number` is the helper's line, 1 to 10.
    static TipSession helper(const TipsFile &file, int number, const QString &caption);

    QString caption() const { return m_caption; }
    QString checkCaption() const { return m_checkCaption; }
    bool canBrowse() const { return m_canBrowse; } // Previous and Next
    bool showsPreviousAndNext() const { return m_browsing; }

    TipsFile::Tip tip() const;
    int index() const { return m_index; }

    void next();
    void previous();

    bool checked() const { return m_checked; }
    void setChecked(bool checked) { m_checked = checked; }

private:
    TipSession(const TipsFile &file, int index, bool browsing, bool checked);

    const TipsFile &m_file;
    int m_index;
    bool m_browsing;
    bool m_canBrowse;
    bool m_checked;
    QString m_caption;
    QString m_checkCaption;
};

} // namespace Tarnwick

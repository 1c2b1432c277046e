// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tipsession.h"

namespace Tarnwick {

TipSession::TipSession(const TipsFile &file, int index, bool browsing, bool checked)
    : m_file(file)
    , m_index(index)
    , m_browsing(browsing)
    , m_canBrowse(browsing && !file.isEmpty())
    , m_checked(checked)
{
}

TipSession TipSession::tipOfTheDay(const TipsFile &file, int tipNumber, bool showAtStartup)
{
    TipSession session(file, file.firstIndex(tipNumber), true, showAtStartup);
    session.m_caption = QStringLiteral("Tip of the day");
    session.m_checkCaption = QStringLiteral("Show Tips at Startup");
    return session;
}

TipSession TipSession::helper(const TipsFile &file, int number, const QString &caption)
{
    TipSession session(file, number - 1, false, true);
    session.m_caption = caption;
    session.m_checkCaption = QStringLiteral("Show Helper on next entry");
    return session;
}

TipsFile::Tip TipSession::tip() const
{
    return m_file.tip(m_index);
}

void TipSession::next()
{
    if (m_canBrowse)
        m_index = m_file.next(m_index);
}

void TipSession::previous()
{
    if (m_canBrowse)
        m_index = TipsFile::previous(m_index);
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "filesizelimit.h"

#include <csignal>

namespace Tarnwick {

FileSizeLimit::FileSizeLimit(rlim_t limit)
{
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit tight = m_old;
    tight.rlim_cur = limit;
    m_active = setrlimit(RLIMIT_FSIZE, &tight) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}

} // namespace Tarnwick

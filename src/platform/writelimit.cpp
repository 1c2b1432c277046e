// SPDX-License-Identifier: GPL-3.0-or-later
#include "writelimit.h"

#include <csignal>

namespace Tarnwick::WriteLimit {

void failWritesInsteadOfEnding()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace Tarnwick::WriteLimit

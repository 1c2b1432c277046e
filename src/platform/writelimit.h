// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tarnwick::WriteLimit {

// A write beyond the file-size limit (ulimit -f) then fails with EFBIG and is
// reported like any other failed save, instead of ending the process through
// SIGXFSZ with the user's unsaved text. Every program of ours calls it first.
void failWritesInsteadOfEnding();

} // namespace Tarnwick::WriteLimit

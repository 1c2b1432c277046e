// SPDX-License-Identifier: GPL-3.0-or-later
// The session file a run leaves in the Tarnwick home: whatever it holds,
// reading it must not crash, and what was read writes back to the same list.
#include "app/sessionfile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const Tarnwick::Expected<QStringList> pages = Tarnwick::SessionFile::parse(bytes);
    if (!pages)
        return 0;
    const Tarnwick::Expected<QStringList> again
        = Tarnwick::SessionFile::parse(Tarnwick::SessionFile::format(pages.value()));
    if (!again || again.value() != pages.value())
        std::abort();
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A template or page as it lies on the disk, given a declaration of its
// encoding: the page comes back unchanged when it declares one already or has
// no HEAD tag; otherwise the declaration is inserted once, and nothing of the
// page is lost or changed around it.

#include "fuzzcheck.h"
#include "platform/charsetdeclaration.h"

#include <cstddef>
#include <cstdint>

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray page(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray charset = CharsetDeclaration::charsetOf(page);
    TARNWICK_FUZZ_CHECK(charset == "utf-8" || charset == "windows-1252");

    const bool before = CharsetDeclaration::declared(page);
    const QByteArray result = CharsetDeclaration::withDeclaration(page, charset);
    if (before) {
        TARNWICK_FUZZ_CHECK(result == page);
        return 0;
    }
    if (result == page)
        return 0; // no HEAD tag to put it after
    TARNWICK_FUZZ_CHECK(CharsetDeclaration::declared(result));
    TARNWICK_FUZZ_CHECK(CharsetDeclaration::withDeclaration(result, charset) == result);
    // Exactly the declaration (and at most one line end) was inserted.
    QByteArray declaration("<meta charset=\"");
    declaration.append(charset).append("\">");
    const qsizetype at = result.indexOf(declaration);
    TARNWICK_FUZZ_CHECK(at >= 0);
    const qsizetype added = result.size() - page.size();
    TARNWICK_FUZZ_CHECK(added >= declaration.size() && added <= declaration.size() + 2);
    QByteArray without = result;
    without.remove(at, added);
    TARNWICK_FUZZ_CHECK(without == page);
    return 0;
}

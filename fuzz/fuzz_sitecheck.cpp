// SPDX-License-Identifier: GPL-3.0-or-later
// One page of a small site, checked whole (references, anchors, encoding,
// markup, orphans): whatever the page holds, the check ends, every finding
// about the page lies on one of its lines, and the only other findings are
// the files of the folder nothing uses.

#include "check/sitecheck.h"
#include "fuzzcheck.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace Tarnwick;

namespace {

// The site around the page: a picture, a page in a folder with an anchor, a
// file spelt with capitals and a link that leads into the folder itself.
const QTemporaryDir &site()
{
    static const QTemporaryDir dir = [] {
        QTemporaryDir made;
        QDir(made.path()).mkpath(QStringLiteral("Sub"));
        const auto write = [&](const char *name, const QByteArray &bytes) {
            QFile file(made.filePath(QString::fromLatin1(name)));
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
        };
        write("a.gif", "GIF89a");
        write("Logo.GIF", "GIF89a");
        write("Sub/b.htm", "<a name=\"x\"></a><p id=\"y\">b</p>");
        QFile::link(made.path(), made.filePath(QStringLiteral("loop")));
        return made;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QTemporaryDir &dir = site();
    {
        QFile page(dir.filePath(QStringLiteral("p.htm")));
        TARNWICK_FUZZ_CHECK(page.open(QIODevice::WriteOnly | QIODevice::Truncate));
        TARNWICK_FUZZ_CHECK(page.write(bytes) == bytes.size());
    }
    const qsizetype lines = TextFile::decode(bytes).text.count(QLatin1Char('\n')) + 1;
    SiteCheck::Request request;
    request.projectDir = dir.path();
    request.pages = { QStringLiteral("p.htm") };
    request.fromProjectTree = true;
    for (const SiteFinding &f : SiteCheck::run(request)) {
        if (f.kind == SiteFinding::Kind::Orphan) {
            TARNWICK_FUZZ_CHECK(f.path == QStringLiteral("a.gif")
                                || f.path == QStringLiteral("Logo.GIF"));
            continue;
        }
        TARNWICK_FUZZ_CHECK(f.path == QStringLiteral("p.htm"));
        TARNWICK_FUZZ_CHECK(f.line >= 0 && f.line <= lines);
        TARNWICK_FUZZ_CHECK(f.column >= 0);
        TARNWICK_FUZZ_CHECK(!f.message.isEmpty());
    }
    return 0;
}

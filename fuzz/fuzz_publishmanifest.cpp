// SPDX-License-Identifier: GPL-3.0-or-later
// published.json, the record of the files sent to each destination: whatever
// it holds, reading it must not crash; a record used holds only sound
// entries, one not used holds none and says why in one line. A save changes
// only the destination's part: it reads back as saved, every other
// destination's part stays as it was, and a file of a later format is left
// untouched.
#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "publish/publishmanifest.h"
#include "scratchfiles.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>

using namespace Tarnwick;

namespace {

PublishDestination destination(quint8 choice)
{
    switch (choice % 3) {
    case 0:
        return PublishDestination::make(QStringLiteral("ftp"), QStringLiteral("example.org"), 21,
                                        QStringLiteral("ann"), QStringLiteral("/www"));
    case 1:
        return PublishDestination::make(QStringLiteral("sftp"), QStringLiteral("host"), 22, {}, {});
    default:
        return PublishDestination::make(QStringLiteral("ftps"), QStringLiteral("::1"), 990,
                                        QStringLiteral("a@b"), QStringLiteral("site"));
    }
}

// The destinations of a file this program's format reads, else nothing.
QJsonObject destinations(const QByteArray &bytes)
{
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    if (root.value(QStringLiteral("version")).toInteger(-1) != PublishManifest::formatVersion)
        return {};
    return root.value(QStringLiteral("destinations")).toObject();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ScratchFiles scratch;
    FuzzInput input(data, size);
    const PublishDestination where = destination(input.takeByte());
    const QString name = QString::fromUtf8(input.takeLine());
    const QByteArray bytes = input.takeRest();
    const QString path = scratch.write(bytes, PublishManifest::fileName());
    // A fresh name each input: the files would fill the scratch folder.
    const auto cleanup = qScopeGuard([&path] { QFile::remove(path); });

    PublishManifest manifest = PublishManifest::load(path, where);
    TARNWICK_FUZZ_CHECK(!manifest.note().contains(QLatin1Char('\n')));
    if (!manifest.note().isEmpty())
        TARNWICK_FUZZ_CHECK(manifest.entries().isEmpty());
    for (auto it = manifest.entries().begin(); it != manifest.entries().end(); ++it) {
        TARNWICK_FUZZ_CHECK(!it.key().isEmpty() && it.value().size >= 0);
        TARNWICK_FUZZ_CHECK(PublishManifest::isSha256(it.value().sha256));
        TARNWICK_FUZZ_CHECK(it.value().sha256 == it.value().sha256.toLower());
    }

    manifest.record(name, bytes.size(),
                    QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    if (!manifest.entries().isEmpty() && (bytes.size() & 1))
        manifest.forget(manifest.entries().firstKey());
    const QJsonObject before = destinations(bytes);
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    const bool later
        = root.value(QStringLiteral("version")).toInteger(-1) > PublishManifest::formatVersion;
    const Result saved = manifest.save();
    if (later && bytes.size() <= PublishManifest::maximumFileSize) {
        TARNWICK_FUZZ_CHECK(!saved);
        TARNWICK_FUZZ_CHECK(ScratchFiles::read(path) == bytes);
        return 0;
    }
    TARNWICK_FUZZ_CHECK(saved);
    const PublishManifest again = PublishManifest::load(path, where);
    TARNWICK_FUZZ_CHECK(again.note().isEmpty());
    TARNWICK_FUZZ_CHECK(again.entries() == manifest.entries());
    const QJsonObject after = destinations(ScratchFiles::read(path));
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.key() != where.key())
            TARNWICK_FUZZ_CHECK(after.value(it.key()) == it.value());
    }
    return 0;
}

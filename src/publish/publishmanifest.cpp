// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishmanifest.h"

#include "platform/fileops.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLockFile>

namespace Tarnwick {

namespace {

const QString versionKey = QStringLiteral("version");
const QString destinationsKey = QStringLiteral("destinations");
const QString sizeKey = QStringLiteral("size");
const QString sha256Key = QStringLiteral("sha256");

// Sizes beyond what a JSON number holds exactly are no real file's.
constexpr qint64 largestSize = qint64(1) << 53;

bool isRemoteName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('\r')) && !name.contains(QLatin1Char('\n'))
        && !name.contains(QChar(0));
}

QString quoted(const QString &name)
{
    if (name.size() > 80)
        return QStringLiteral("a file");
    return QLatin1Char('"') + name + QLatin1Char('"');
}

struct Read
{
    QJsonObject root; // empty when the file was missing or not used
    QString problem; // why it was not used
    bool exists = false;
    bool later = false; // a later format than this program's
};

Read readFile(const QString &path)
{
    Read read;
    QFile file(path);
    if (!file.exists())
        return read;
    read.exists = true;
    if (!file.open(QIODevice::ReadOnly)) {
        read.problem = QStringLiteral("cannot be read: ") + file.errorString();
        return read;
    }
    if (file.size() > PublishManifest::maximumFileSize) {
        read.problem = QStringLiteral("too large");
        return read;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.problem = QStringLiteral("cannot be read: ") + file.errorString();
        return read;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        read.problem
            = QStringLiteral("damaged: %1 at byte %2").arg(error.errorString()).arg(error.offset);
        return read;
    }
    if (!document.isObject()) {
        read.problem = QStringLiteral("damaged: not a record of sent files");
        return read;
    }
    const QJsonObject root = document.object();
    const QJsonValue version = root.value(versionKey);
    const qint64 number = version.toInteger(-1);
    if (!version.isDouble() || number < 0) {
        read.problem = QStringLiteral("damaged: no format version");
        return read;
    }
    if (number != PublishManifest::formatVersion) {
        read.later = number > PublishManifest::formatVersion;
        read.problem = QStringLiteral("format version %1, this Tarnwick reads version %2")
                           .arg(number)
                           .arg(PublishManifest::formatVersion);
        return read;
    }
    if (!root.value(destinationsKey).isObject()) {
        read.problem = QStringLiteral("damaged: no list of destinations");
        return read;
    }
    read.root = root;
    return read;
}

} // namespace

QString PublishManifest::pathIn(const QString &homeDir)
{
    return QDir(homeDir).filePath(fileName());
}

PublishManifest::PublishManifest(const QString &path, const PublishDestination &destination)
    : m_path(path)
    , m_destination(destination)
{
}

bool PublishManifest::isSha256(const QByteArray &hex)
{
    if (hex.size() != 64)
        return false;
    for (const char c : hex) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

PublishManifest PublishManifest::load(const QString &path, const PublishDestination &destination)
{
    PublishManifest manifest(path, destination);
    const auto fail = [&](const QString &why) {
        manifest.m_entries.clear();
        manifest.m_note = QStringLiteral("The record of sent files %1 is not used (%2): all files "
                                         "will be sent.")
                              .arg(QDir::toNativeSeparators(path), why);
        return manifest;
    };
    const Read read = readFile(path);
    if (!read.problem.isEmpty())
        return fail(read.problem);
    if (!read.exists)
        return manifest;
    const QJsonValue part = read.root.value(destinationsKey).toObject().value(destination.key());
    if (part.isUndefined())
        return manifest;
    if (!part.isObject())
        return fail(QStringLiteral("damaged: this destination's part is not a list of files"));
    const QJsonObject files = part.toObject();
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString name = it.key();
        if (!isRemoteName(name))
            return fail(QStringLiteral("damaged: a file name is empty or holds a line break"));
        const QJsonObject values = it.value().toObject();
        const QJsonValue size = values.value(sizeKey);
        const qint64 bytes = size.toInteger(-1);
        if (!it.value().isObject() || !size.isDouble() || bytes < 0 || bytes > largestSize)
            return fail(QStringLiteral("damaged: no valid size for ") + quoted(name));
        const QJsonValue hash = values.value(sha256Key);
        const QByteArray hex = hash.toString().toLatin1();
        if (!hash.isString() || !isSha256(hex))
            return fail(QStringLiteral("damaged: no valid SHA-256 for ") + quoted(name));
        manifest.m_entries.insert(name, { bytes, hex.toLower() });
    }
    return manifest;
}

std::optional<PublishManifest::Entry> PublishManifest::entry(const QString &remoteName) const
{
    const auto it = m_entries.constFind(remoteName);
    if (it == m_entries.constEnd())
        return std::nullopt;
    return *it;
}

void PublishManifest::record(const QString &remoteName, qint64 size, const QByteArray &sha256)
{
    if (!isRemoteName(remoteName) || size < 0 || size > largestSize || !isSha256(sha256)) {
        forget(remoteName);
        return;
    }
    m_entries.insert(remoteName, { size, sha256.toLower() });
}

void PublishManifest::forget(const QString &remoteName)
{
    m_entries.remove(remoteName);
}

Result PublishManifest::save() const
{
    // The publishing dialog and the command-line publisher may finish at
    // the same time: each reads, changes its part and writes under the lock.
    // Where no lock can be made (a read-only folder) the write says why.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(30000);
    if (!lock.tryLock(10000) && lock.error() == QLockFile::LockFailedError) {
        return Result::failure(QStringLiteral("Unable to write to ") + m_path
                               + QStringLiteral(": another program is writing it"));
    }
    const Read read = readFile(m_path);
    if (read.later) {
        return Result::failure(QStringLiteral("Unable to write to ") + m_path + QStringLiteral(": ")
                               + read.problem);
    }
    if (read.exists && read.root.isEmpty() && read.problem.startsWith(QStringLiteral("cannot"))) {
        // Replacing a file we could not read would lose other destinations.
        return Result::failure(QStringLiteral("Unable to write to ") + m_path + QStringLiteral(": ")
                               + read.problem);
    }
    QJsonObject root = read.root;
    QJsonObject destinations = root.value(destinationsKey).toObject();
    const QString key = m_destination.key();
    if (m_entries.isEmpty()) {
        destinations.remove(key);
    } else {
        QJsonObject files;
        for (auto it = m_entries.constBegin(); it != m_entries.constEnd(); ++it) {
            files.insert(it.key(),
                         QJsonObject { { sizeKey, it->size },
                                       { sha256Key, QString::fromLatin1(it->sha256) } });
        }
        destinations.insert(key, files);
    }
    root.insert(versionKey, formatVersion);
    root.insert(destinationsKey, destinations);
    return FileOps::writeFileAtomic(m_path, QJsonDocument(root).toJson(QJsonDocument::Indented));
}

} // namespace Tarnwick

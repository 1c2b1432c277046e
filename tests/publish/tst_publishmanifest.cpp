// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishchanges.h"
#include "publish/publishmanifest.h"

#include "support/filesizelimit.h"
#include "support/lockeddirectory.h"
#include "support/testenvironment.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

QByteArray sha(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

PublishDestination site()
{
    return PublishDestination::make(QStringLiteral("ftp"), QStringLiteral("example.org"), 21,
                                    QStringLiteral("ann"), QStringLiteral("/www"));
}

} // namespace

class TestPublishManifest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void roundTrip();
    void destinations_data();
    void destinations();
    void unusableFile_data();
    void unusableFile();
    void decisions_data();
    void decisions();
    void updateAfterSend_data();
    void updateAfterSend();
    void failedSaveKeepsTheFile_data();
    void failedSaveKeepsTheFile();
    void laterFormatIsLeftAlone();
    void dryRunText();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString manifestPath() const { return path(PublishManifest::fileName()); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPublishManifest::initTestCase()
{
    TestEnvironment::isolate();
}

void TestPublishManifest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPublishManifest::roundTrip()
{
    PublishManifest manifest(manifestPath(), site());
    manifest.record(QStringLiteral("index.htm"), 5, sha("hello"));
    manifest.record(QStringLiteral("images/Ünïcode logo.gif"), 0, sha(""));
    manifest.record(QStringLiteral("gone.htm"), 1, sha("x"));
    manifest.forget(QStringLiteral("gone.htm"));
    // Upper-case digits are the same hash.
    manifest.record(QStringLiteral("a.css"), 3, sha("abc").toUpper());
    QVERIFY(manifest.save());

    const QByteArray first = TestEnvironment::readFile(manifestPath());
    const PublishManifest loaded = PublishManifest::load(manifestPath(), site());
    QCOMPARE(loaded.note(), QString());
    QCOMPARE(loaded.entries(), manifest.entries());
    QCOMPARE(loaded.entry(QStringLiteral("a.css"))->sha256, sha("abc"));
    QVERIFY(!loaded.entry(QStringLiteral("gone.htm")));
    // Plain, sorted, and the same bytes when saved again.
    QVERIFY(first.indexOf("\"a.css\"") < first.indexOf("\"images/"));
    QVERIFY(first.indexOf("\"destinations\"") < first.indexOf("\"version\": 1"));
    QVERIFY(loaded.save());
    QCOMPARE(TestEnvironment::readFile(manifestPath()), first);

    // A missing file is an empty record, without a note.
    const PublishManifest none = PublishManifest::load(path(QStringLiteral("none.json")), site());
    QVERIFY(none.entries().isEmpty());
    QCOMPARE(none.note(), QString());
}

void TestPublishManifest::destinations_data()
{
    QTest::addColumn<PublishDestination>("other");
    QTest::addColumn<bool>("same");
    const auto make = [](const char *kind, const char *host, int port, const char *user,
                         const char *folder) {
        return PublishDestination::make(QString::fromUtf8(kind), QString::fromUtf8(host), port,
                                        QString::fromUtf8(user), QString::fromUtf8(folder));
    };
    QTest::addRow("host in capitals") << make("FTP", " Example.ORG", 21, "ann", "/www/") << true;
    QTest::addRow("folder spelt otherwise")
        << make("ftp", "example.org", 21, "ann", "//www/.") << true;
    QTest::addRow("other kind") << make("sftp", "example.org", 21, "ann", "/www") << false;
    QTest::addRow("other host") << make("ftp", "example.net", 21, "ann", "/www") << false;
    QTest::addRow("other port") << make("ftp", "example.org", 2121, "ann", "/www") << false;
    QTest::addRow("other user") << make("ftp", "example.org", 21, "Ann", "/www") << false;
    QTest::addRow("other folder") << make("ftp", "example.org", 21, "ann", "/www/en") << false;
    QTest::addRow("relative folder") << make("ftp", "example.org", 21, "ann", "www") << false;
    QTest::addRow("log-in folder") << make("ftp", "example.org", 21, "ann", "") << false;
    // A user holding the separators must not run into the host.
    QTest::addRow("user with @") << make("ftp", "org", 21, "ann@example", "/www") << false;
}

void TestPublishManifest::destinations()
{
    QFETCH(PublishDestination, other);
    QFETCH(bool, same);
    QCOMPARE(other.key() == site().key(), same);

    PublishManifest mine(manifestPath(), site());
    mine.record(QStringLiteral("index.htm"), 5, sha("hello"));
    QVERIFY(mine.save());
    PublishManifest theirs = PublishManifest::load(manifestPath(), other);
    QCOMPARE(theirs.entries().size(), same ? 1 : 0);
    if (same)
        return;
    theirs.record(QStringLiteral("index.htm"), 6, sha("hello!"));
    QVERIFY(theirs.save());
    // Each save replaced its own part only.
    QCOMPARE(PublishManifest::load(manifestPath(), site()).entries(), mine.entries());
    QCOMPARE(PublishManifest::load(manifestPath(), other).entries(), theirs.entries());
    mine.forget(QStringLiteral("index.htm"));
    QVERIFY(mine.save());
    QVERIFY(PublishManifest::load(manifestPath(), site()).entries().isEmpty());
    QCOMPARE(PublishManifest::load(manifestPath(), other).entries(), theirs.entries());
}

void TestPublishManifest::unusableFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("why"); // part of the note; empty: the file is used
    const QByteArray key = site().key().toUtf8();
    const auto withFile = [&](const QByteArray &entry) -> QByteArray {
        return "{\"version\": 1, \"destinations\": {\"" + key + "\": {\"index.htm\": " + entry
            + "}}}";
    };
    const QByteArray hash = "\"" + sha("hello") + "\"";
    QTest::addRow("empty file") << QByteArray() << "damaged";
    QTest::addRow("not JSON") << QByteArray("published: yes") << "damaged";
    QTest::addRow("cut short") << withFile("{\"size\": 5, \"sha256\": " + hash).chopped(3)
                               << "damaged";
    QTest::addRow("a list") << QByteArray("[1]") << "not a record of sent files";
    QTest::addRow("no version") << QByteArray("{\"destinations\": {}}") << "no format version";
    QTest::addRow("version as text")
        << QByteArray("{\"version\": \"1\", \"destinations\": {}}") << "no format version";
    QTest::addRow("later version")
        << QByteArray("{\"version\": 2, \"destinations\": {}}") << "format version 2";
    QTest::addRow("destinations a list")
        << QByteArray("{\"version\": 1, \"destinations\": []}") << "no list of destinations";
    QTest::addRow("files a list") << QByteArray("{\"version\": 1, \"destinations\": {\"" + key
                                                + "\": []}}")
                                  << "not a list of files";
    QTest::addRow("entry a number") << withFile("5") << "no valid size for \"index.htm\"";
    QTest::addRow("size as text") << withFile("{\"size\": \"5\", \"sha256\": " + hash + "}")
                                  << "no valid size";
    QTest::addRow("negative size")
        << withFile("{\"size\": -5, \"sha256\": " + hash + "}") << "no valid size";
    QTest::addRow("fractional size")
        << withFile("{\"size\": 5.5, \"sha256\": " + hash + "}") << "no valid size";
    QTest::addRow("absurd size") << withFile("{\"size\": 1e300, \"sha256\": " + hash + "}")
                                 << "no valid size";
    QTest::addRow("short hash") << withFile("{\"size\": 5, \"sha256\": \"abc\"}")
                                << "no valid SHA-256";
    QTest::addRow("hash not hex") << withFile("{\"size\": 5, \"sha256\": \"" + QByteArray(64, 'g')
                                              + "\"}")
                                  << "no valid SHA-256";
    QTest::addRow("hash a number")
        << withFile("{\"size\": 5, \"sha256\": 5}") << "no valid SHA-256";
    QTest::addRow("name with a line break")
        << QByteArray("{\"version\": 1, \"destinations\": {\"" + key
                      + "\": {\"a\\nb\": {\"size\": 5, \"sha256\": " + hash + "}}}}")
        << "line break";
    // Only this destination's part has to be sound.
    QTest::addRow("other destination damaged")
        << QByteArray("{\"version\": 1, \"destinations\": {\"sftp://x@y:22/\": 7, \"" + key
                      + "\": {\"index.htm\": {\"size\": 5, \"sha256\": " + hash + "}}}}")
        << QString();
}

void TestPublishManifest::unusableFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    QVERIFY(TestEnvironment::writeFile(manifestPath(), bytes));
    const PublishManifest manifest = PublishManifest::load(manifestPath(), site());
    if (why.isEmpty()) {
        QCOMPARE(manifest.note(), QString());
        QCOMPARE(manifest.entries().size(), 1);
        return;
    }
    QVERIFY(manifest.entries().isEmpty());
    QVERIFY2(manifest.note().contains(why), qPrintable(manifest.note()));
    QVERIFY2(manifest.note().contains(manifestPath()), qPrintable(manifest.note()));
    QVERIFY(!manifest.note().contains(QLatin1Char('\n')));
}

using Reason = PublishChanges::Reason;

void TestPublishManifest::decisions_data()
{
    QTest::addColumn<QByteArray>("local"); // null: not on this computer
    QTest::addColumn<QByteArray>("recorded"); // null: not recorded
    QTest::addColumn<int>("remote"); // the server's size; -1 gone, -2 cannot tell, -3 not asked
    QTest::addColumn<bool>("sendAll");
    QTest::addColumn<Reason>("reason");
    const QByteArray page = "<P>hello</P>";
    const int same = int(page.size());
    QTest::addRow("new") << page << QByteArray() << same << false << Reason::New;
    QTest::addRow("unchanged") << page << page << same << false << Reason::Unchanged;
    QTest::addRow("unchanged, server not asked")
        << page << page << -3 << false << Reason::Unchanged;
    QTest::addRow("unchanged, server cannot tell")
        << page << page << -2 << false << Reason::Unchanged;
    QTest::addRow("changed, same size")
        << page << QByteArray("<P>hallo</P>") << same << false << Reason::Changed;
    QTest::addRow("changed size") << page << QByteArray("<P>hi</P>") << same << false
                                  << Reason::Changed;
    QTest::addRow("remote size differs")
        << page << page << same + 2 << false << Reason::RemoteSizeDiffers;
    QTest::addRow("missing on the server")
        << page << page << -1 << false << Reason::MissingOnServer;
    QTest::addRow("send all") << page << page << same << true << Reason::SendAll;
    QTest::addRow("missing here") << QByteArray() << page << same << false << Reason::MissingHere;
}

void TestPublishManifest::decisions()
{
    QFETCH(QByteArray, local);
    QFETCH(QByteArray, recorded);
    QFETCH(int, remote);
    QFETCH(bool, sendAll);
    QFETCH(Reason, reason);

    // The file decided on sits between two unchanged ones: the order holds.
    QList<PublishFile> files;
    PublishManifest manifest(manifestPath(), site());
    for (const char *name : { "a.htm", "b.htm", "c.htm" }) {
        PublishFile f;
        f.remoteName = QString::fromLatin1(name);
        f.localPath = path(f.remoteName);
        files.append(f);
        const QByteArray bytes = f.remoteName == QStringLiteral("b.htm") ? local : "other";
        if (!bytes.isNull())
            QVERIFY(TestEnvironment::writeFile(f.localPath, bytes));
        const QByteArray record = f.remoteName == QStringLiteral("b.htm") ? recorded : "other";
        if (!record.isNull())
            manifest.record(f.remoteName, record.size(), sha(record));
    }
    QStringList asked;
    const PublishChanges::RemoteSize remoteSize = [&](const PublishFile &f) {
        asked << f.remoteName;
        return f.remoteName == QStringLiteral("b.htm")
            ? (remote == -2 ? std::nullopt : std::optional<qint64>(remote))
            : std::optional<qint64>(5);
    };
    const PublishChanges changes = PublishChanges::decide(
        files, manifest, remote == -3 ? PublishChanges::RemoteSize() : remoteSize, sendAll);

    QStringList sent;
    for (const PublishChanges::Item &item : changes.toSend)
        sent << item.file.remoteName;
    QStringList kept;
    for (const PublishChanges::Item &item : changes.unchanged)
        kept << item.file.remoteName;
    const QList<PublishChanges::Item> &b
        = reason == Reason::Unchanged ? changes.unchanged : changes.toSend;
    const auto it = std::find_if(b.begin(), b.end(), [](const PublishChanges::Item &i) {
        return i.file.remoteName == QStringLiteral("b.htm");
    });
    QVERIFY(it != b.end());
    QCOMPARE(it->reason, reason);
    if (sendAll) {
        QCOMPARE(sent, QStringList({ "a.htm", "b.htm", "c.htm" }));
        QVERIFY(asked.isEmpty());
    } else {
        QCOMPARE(sent, reason == Reason::Unchanged ? QStringList() : QStringList { "b.htm" });
        QCOMPARE(kept.size() + sent.size(), 3);
    }
    // The hash taken is the content's, ready for the record.
    if (!local.isNull()) {
        QCOMPARE(it->sha256, sha(local));
        QCOMPARE(it->size, local.size());
    } else {
        QVERIFY(it->sha256.isEmpty());
    }
}

void TestPublishManifest::updateAfterSend_data()
{
    QTest::addColumn<bool>("sent");
    QTest::addColumn<bool>("inResults");
    QTest::addColumn<QByteArray>("afterPlan"); // written between plan and send; null: none
    QTest::addColumn<bool>("recorded");
    QTest::addRow("sent") << true << true << QByteArray() << true;
    QTest::addRow("not sent") << false << true << QByteArray() << false;
    QTest::addRow("not in the results") << true << false << QByteArray() << false;
    QTest::addRow("changed after the plan, same size")
        << true << true << QByteArray("NEW!") << false;
    QTest::addRow("changed after the plan, longer") << true << true << QByteArray("newer") << false;
}

void TestPublishManifest::updateAfterSend()
{
    QFETCH(bool, sent);
    QFETCH(bool, inResults);
    QFETCH(QByteArray, afterPlan);
    QFETCH(bool, recorded);

    QList<PublishFile> files;
    PublishManifest manifest(manifestPath(), site());
    for (const char *name : { "ok.htm", "page.htm" }) {
        PublishFile f;
        f.remoteName = QString::fromLatin1(name);
        f.localPath = path(f.remoteName);
        files.append(f);
        QVERIFY(TestEnvironment::writeFile(f.localPath, "same"));
    }
    // An older record of page.htm is stale either way.
    manifest.record(QStringLiteral("page.htm"), 3, sha("old"));
    const PublishChanges changes = PublishChanges::decide(files, manifest, {}, false);
    QCOMPARE(changes.toSend.size(), 2);
    if (!afterPlan.isNull()) {
        const QString changed = path(QStringLiteral("page.htm"));
        QVERIFY(TestEnvironment::writeFile(changed, afterPlan));
        // Even an edit within the clock's step must show: move the time on.
        QFile file(changed);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QFileInfo(changed).lastModified().addSecs(2),
                                 QFileDevice::FileModificationTime));
    }
    QList<PublishSender::FileResult> results { { files[0], true, {} } };
    if (inResults)
        results.append({ files[1], sent, sent ? QString() : QStringLiteral("550 refused") });
    changes.update(manifest, results);

    QCOMPARE(manifest.entry(QStringLiteral("ok.htm")),
             std::optional<PublishManifest::Entry>({ 4, sha("same") }));
    if (recorded) {
        QCOMPARE(manifest.entry(QStringLiteral("page.htm")),
                 std::optional<PublishManifest::Entry>({ 4, sha("same") }));
    } else {
        QVERIFY(!manifest.entry(QStringLiteral("page.htm")));
    }
    // The next plan sends exactly what is not known to be there.
    const PublishChanges next = PublishChanges::decide(files, manifest, {}, false);
    QCOMPARE(next.toSend.size(), recorded ? 0 : 1);
}

void TestPublishManifest::failedSaveKeepsTheFile_data()
{
    QTest::addColumn<bool>("lockFolder"); // else the disk takes only a few bytes
    QTest::addRow("read-only folder") << true;
    QTest::addRow("disk full") << false;
}

void TestPublishManifest::failedSaveKeepsTheFile()
{
    QFETCH(bool, lockFolder);
    const QString home = path(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home));
    const QString file = PublishManifest::pathIn(home);
    PublishManifest manifest(file, site());
    manifest.record(QStringLiteral("index.htm"), 5, sha("hello"));
    QVERIFY(manifest.save());
    const QByteArray before = TestEnvironment::readFile(file);

    for (int i = 0; i < 200; ++i)
        manifest.record(QStringLiteral("page%1.htm").arg(i), i, sha(QByteArray::number(i)));
    Result result = Result::success();
    if (lockFolder) {
        LockedDirectory lock(home);
        if (!lock.locked())
            QSKIP("this system lets every directory be written");
        result = manifest.save();
    } else {
        FileSizeLimit limit(before.size() + 100);
        if (!limit.active())
            QSKIP("cannot limit the file size here");
        result = manifest.save();
    }
    QVERIFY(!result);
    QVERIFY2(result.error().contains(file), qPrintable(result.error()));
    QCOMPARE(TestEnvironment::readFile(file), before);
    QCOMPARE(QDir(home).entryList(QDir::Files | QDir::Hidden),
             QStringList { PublishManifest::fileName() });
}

void TestPublishManifest::laterFormatIsLeftAlone()
{
    const QByteArray later = "{\"version\": 2, \"sites\": []}";
    QVERIFY(TestEnvironment::writeFile(manifestPath(), later));
    PublishManifest manifest = PublishManifest::load(manifestPath(), site());
    manifest.record(QStringLiteral("index.htm"), 5, sha("hello"));
    const Result result = manifest.save();
    QVERIFY(!result);
    QVERIFY2(result.error().contains(QStringLiteral("format version 2")),
             qPrintable(result.error()));
    QCOMPARE(TestEnvironment::readFile(manifestPath()), later);

    // A damaged file holds nothing worth keeping: the save replaces it.
    QVERIFY(TestEnvironment::writeFile(manifestPath(), "{\"version\": 1, \"destin"));
    QVERIFY(manifest.save());
    QCOMPARE(PublishManifest::load(manifestPath(), site()).entries(), manifest.entries());
}

void TestPublishManifest::dryRunText()
{
    PublishManifest manifest(manifestPath(), site());
    QList<PublishFile> files;
    for (const char *name : { "index.htm", "logo.gif", "same.htm", "gone.htm" }) {
        PublishFile f;
        f.remoteName = QString::fromLatin1(name);
        f.localPath = QStringLiteral("/site/") + f.remoteName;
        f.binary = f.remoteName.endsWith(QStringLiteral(".gif"));
        if (f.remoteName != QStringLiteral("gone.htm")) {
            f.localPath = path(f.remoteName);
            QVERIFY(TestEnvironment::writeFile(f.localPath, "1234"));
            f.size = 4;
        }
        files.append(f);
    }
    manifest.record(QStringLiteral("same.htm"), 4, sha("1234"));
    manifest.record(QStringLiteral("index.htm"), 4, sha("4321"));
    const PublishChanges changes = PublishChanges::decide(files, manifest, {}, false);
    const QList<PublishSkip> missing { { QStringLiteral("x.gif"), QStringLiteral("index.htm"),
                                         PublishPlan::notFound() } };
    const QString expected
        = QStringLiteral("Files that will be sent (3, 8 bytes):\n"
                         "  %1/index.htm  4 bytes  ASCII  -> www/index.htm  "
                         "(changed)\n"
                         "  %1/logo.gif  4 bytes  binary  -> www/logo.gif  (new)\n"
                         "  /site/gone.htm  missing  ASCII  -> www/gone.htm  "
                         "(missing on this computer)\n"
                         "\n"
                         "Unchanged, not sent (1 files):\n"
                         "  same.htm\n"
                         "\n"
                         "Missing references:\n"
                         "  x.gif (in index.htm): not found")
              .arg(m_dir->path());
    QCOMPARE(changes.dryRunText({}, missing, QStringLiteral("www/")), expected);
}

QTEST_GUILESS_MAIN(TestPublishManifest)
#include "tst_publishmanifest.moc"

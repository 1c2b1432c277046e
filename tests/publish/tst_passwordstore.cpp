// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop keyring store against a real Secret Service on a private bus.

#include "publish/ftpaddress.h"
#include "publish/passwordstore.h"

#include "privatekeyring.h"
#include "support/testenvironment.h"

#include <QTest>

#include <memory>

using namespace Tarnwick;

class TestPasswordStore final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void siteKey_data();
    void siteKey();
    void writtenAndRead_data();
    void writtenAndRead();
    void removal();
    void sitesKeptApart();
    void noKeyring_data();
    void noKeyring();
    void silentKeyring();

private:
    std::unique_ptr<PrivateKeyring> m_keyring;
};

void TestPasswordStore::initTestCase()
{
    TestEnvironment::isolate();
    m_keyring = std::make_unique<PrivateKeyring>();
    QVERIFY2(m_keyring->start(), qPrintable(m_keyring->error()));
    m_keyring->enter();
}

void TestPasswordStore::cleanupTestCase()
{
    m_keyring.reset();
}

void TestPasswordStore::siteKey_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("key"); // empty: none
    QTest::addRow("bare host") << "ftp.example.com"
                               << "ann"
                               << "ann@ftp.example.com:21";
    QTest::addRow("scheme, port, path and case") << "FTP://Ftp.Example.COM:2121/www/"
                                                 << "ann"
                                                 << "ann@ftp.example.com:2121";
    QTest::addRow("user part of the address is not the login") << "ftp://bob@host"
                                                               << "ann"
                                                               << "ann@host:21";
    QTest::addRow("explicit TLS") << "ftpes://host"
                                  << "ann"
                                  << "ann@host:21";
    QTest::addRow("IPv6 keeps its brackets") << "[::1]:2121"
                                             << "ann"
                                             << "ann@[::1]:2121";
    QTest::addRow("user with @") << "host"
                                 << "ann@example.com"
                                 << "ann@example.com@host:21";
    QTest::addRow("no login") << "host"
                              << ""
                              << "@host:21";
    QTest::addRow("no address") << ""
                                << "ann"
                                << "";
    QTest::addRow("port 0") << "host:0"
                            << "ann"
                            << "";
}

void TestPasswordStore::siteKey()
{
    QFETCH(QString, url);
    QFETCH(QString, user);
    QFETCH(QString, key);
    QCOMPARE(FtpAddress::siteKey(url, user).value_or(QString()), key);
}

void TestPasswordStore::writtenAndRead_data()
{
    QTest::addColumn<QStringList>("written"); // in this order
    QTest::addColumn<QString>("read");
    QTest::addRow("never written") << QStringList() << "";
    QTest::addRow("written") << QStringList { "s3cret!" } << "s3cret!";
    QTest::addRow("overwritten") << QStringList { "old", "new" } << "new";
    QTest::addRow("an empty password removes it") << QStringList { "old", "" } << "";
    QTest::addRow("blanks, quotes, = and non-ASCII")
        << QStringList { QStringLiteral(" pä ss=\"wörd\" \u4e2d ") }
        << QStringLiteral(" pä ss=\"wörd\" \u4e2d ");
}

void TestPasswordStore::writtenAndRead()
{
    QFETCH(QStringList, written);
    QFETCH(QString, read);
    const QString key = QStringLiteral("ann@written.example:21");
    PasswordStore store;
    QVERIFY(store.available());
    for (const QString &password : written) {
        const Result kept = store.write(key, password);
        QVERIFY2(kept, qPrintable(kept.error()));
    }
    const Expected<QString> got = store.read(key);
    QVERIFY2(got, qPrintable(got.error()));
    QCOMPARE(*got, read);
    // Another store, as the next run of the program would have, finds the same.
    PasswordStore later;
    QCOMPARE(later.read(key).value(), read);
    QVERIFY(store.remove(key));
}

void TestPasswordStore::removal()
{
    const QString key = QStringLiteral("ann@removal.example:21");
    PasswordStore store;
    QVERIFY(store.write(key, QStringLiteral("pw")));
    const Result removed = store.remove(key);
    QVERIFY2(removed, qPrintable(removed.error()));
    QCOMPARE(store.read(key).value(), QString());
    const Result again = store.remove(key);
    QVERIFY2(again, qPrintable(again.error()));
}

// Entries of one service differ only in their key: none may answer for another.
void TestPasswordStore::sitesKeptApart()
{
    const QStringList keys { "ann@apart.example:21", "ann@apart.example:2121",
                             "bob@apart.example:21", "ann@other.example:21" };
    PasswordStore store;
    for (const QString &key : keys)
        QVERIFY(store.write(key, QStringLiteral("pw of ") + key));
    QVERIFY(store.remove(keys.at(1)));
    for (const QString &key : keys)
        QCOMPARE(store.read(key).value(),
                 key == keys.at(1) ? QString() : QString(QStringLiteral("pw of ") + key));
    for (const QString &key : keys)
        QVERIFY(store.remove(key));
}

void TestPasswordStore::noKeyring_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addRow("no session bus") << "no bus";
    QTest::addRow("no address of a session bus") << "no address";
    QTest::addRow("a bus without a Secret Service") << "bare bus";
}

void TestPasswordStore::noKeyring()
{
    QFETCH(QString, situation);
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    PrivateKeyring bare;
    if (situation == QLatin1String("bare bus")) {
        QVERIFY2(bare.start(false), qPrintable(bare.error()));
        qputenv("DBUS_SESSION_BUS_ADDRESS", bare.busAddress().toUtf8());
    } else if (situation == QLatin1String("no bus")) {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tarnwick-bus");
    } else {
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("XDG_RUNTIME_DIR", "/nonexistent/tarnwick-runtime");
    }
    PasswordStore store;
    const bool available = store.available();
    const Expected<QString> read = store.read(QStringLiteral("ann@host:21"));
    const Result written = store.write(QStringLiteral("ann@host:21"), QStringLiteral("pw"));
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    qputenv("XDG_RUNTIME_DIR", runtime);
    QVERIFY(!available);
    QVERIFY(!read);
    QCOMPARE(read.error(), PasswordStore::noKeyring());
    QCOMPARE(written.error(), PasswordStore::noKeyring());
    // The keyring that is there is found again once the bus is.
    QVERIFY(store.available());
}

// A keyring that takes calls and answers none counts as no keyring, and a
// store that waited for it once does not wait again.
void TestPasswordStore::silentKeyring()
{
    const QString key = QStringLiteral("ann@silent.example:21");
    PasswordStore waiting(3000, 2000);
    QVERIFY(waiting.available());
    QVERIFY(waiting.write(key, QStringLiteral("pw")));
    m_keyring->freeze();
    PasswordStore probing(1000, 2000);
    const bool probed = probing.available();
    const Expected<QString> read = waiting.read(key);
    const bool afterwards = waiting.available();
    m_keyring->resume();
    QVERIFY(!probed);
    QVERIFY(!read);
    QVERIFY(!afterwards);
    // Once it answers again, a new store finds the entry.
    PasswordStore fresh;
    QVERIFY(fresh.available());
    QCOMPARE(fresh.read(key).value(), QStringLiteral("pw"));
    QVERIFY(fresh.remove(key));
}

QTEST_GUILESS_MAIN(TestPasswordStore)
#include "tst_passwordstore.moc"

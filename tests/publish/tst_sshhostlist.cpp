// SPDX-License-Identifier: GPL-3.0-or-later
// The list of trusted SSH host keys: what a line must hold to count, that
// writing it back loses no line, and how a host's key is looked up.
#include "publish/sshhostlist.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

QByteArray digestOf(const char *key)
{
    return QCryptographicHash::hash(key, QCryptographicHash::Sha256);
}

} // namespace

class TestSshHostList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseLine_data();
    void parseLine();
    void lookup_data();
    void lookup();
    void saveKeepsOtherLines();
    void addRefusesWhatCannotBeWritten();
};

void TestSshHostList::parseLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("isEntry");
    const QByteArray digest = digestOf("one").toBase64();

    QTest::addRow("usual") << "example.org 22 ssh-ed25519 " + digest << true;
    QTest::addRow("tabs and CR") << "\texample.org\t2222\tssh-rsa\t" + digest + "\r" << true;
    QTest::addRow("comment") << "#example.org 22 ssh-ed25519 " + digest << false;
    QTest::addRow("port 0") << "example.org 0 ssh-ed25519 " + digest << false;
    QTest::addRow("port too large") << "example.org 65536 ssh-ed25519 " + digest << false;
    QTest::addRow("port with leading zero") << "example.org 022 ssh-ed25519 " + digest << false;
    QTest::addRow("port with sign") << "example.org +22 ssh-ed25519 " + digest << false;
    QTest::addRow("digest too short")
        << "example.org 22 ssh-ed25519 " + digestOf("x").left(20).toBase64() << false;
    QTest::addRow("digest not base64") << QByteArray("example.org 22 ssh-ed25519 !!!!") << false;
    QTest::addRow("field missing") << "example.org 22 " + digest << false;
    QTest::addRow("field too many") << "example.org 22 ssh-ed25519 " + digest + " more" << false;
}

void TestSshHostList::parseLine()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, isEntry);
    const std::optional<SshHostList::Entry> entry = SshHostList::parseLine(line);
    QCOMPARE(entry.has_value(), isEntry);
    if (entry)
        QCOMPARE(SshHostList::parseLine(SshHostList::lineOf(*entry)), entry);
}

void TestSshHostList::lookup_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<quint16>("port");
    QTest::addColumn<QByteArray>("digest");
    QTest::addColumn<SshHostList::Match>("match");
    QTest::addRow("same key") << "example.org" << quint16(22) << digestOf("one")
                              << SshHostList::Match::Same;
    QTest::addRow("host in capitals")
        << "EXAMPLE.org" << quint16(22) << digestOf("one") << SshHostList::Match::Same;
    QTest::addRow("second key of the host")
        << "example.org" << quint16(22) << digestOf("two") << SshHostList::Match::Same;
    QTest::addRow("other key") << "example.org" << quint16(22) << digestOf("three")
                               << SshHostList::Match::Changed;
    QTest::addRow("other port") << "example.org" << quint16(2222) << digestOf("one")
                                << SshHostList::Match::Unknown;
    QTest::addRow("other host") << "example.net" << quint16(22) << digestOf("one")
                                << SshHostList::Match::Unknown;
}

void TestSshHostList::lookup()
{
    QFETCH(QString, host);
    QFETCH(quint16, port);
    QFETCH(QByteArray, digest);
    QFETCH(SshHostList::Match, match);
    SshHostList list;
    list.parse("Example.ORG 22 ssh-ed25519 " + digestOf("one").toBase64()
               + "\n"
                 "example.org 22 ssh-rsa "
               + digestOf("two").toBase64() + "\n");
    QCOMPARE(list.lookup(host, port, digest), match);
}

void TestSshHostList::saveKeepsOtherLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sshhosts.txt"));
    SshHostList list;
    QVERIFY(list.load(path));
    QVERIFY(list.entries().isEmpty());
    const QByteArray text
        = "# kept\nnot an entry at all\n\nhost 22 ssh-rsa " + digestOf("a").toBase64() + "\n";
    list.parse(text);
    QVERIFY(list.add(
        { QStringLiteral("New.Host"), 2222, QStringLiteral("ssh-ed25519"), digestOf("b") }));
    QVERIFY(list.add(
        { QStringLiteral("new.host"), 2222, QStringLiteral("ssh-ed25519"), digestOf("b") }));
    QVERIFY(list.save(path));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), text + "new.host 2222 ssh-ed25519 " + digestOf("b").toBase64() + "\n");
    SshHostList read;
    QVERIFY(read.load(path));
    QCOMPARE(read.entries().size(), 2);
    QCOMPARE(read.lookup(QStringLiteral("new.host"), 2222, digestOf("b")),
             SshHostList::Match::Same);
}

void TestSshHostList::addRefusesWhatCannotBeWritten()
{
    SshHostList list;
    QVERIFY(
        !list.add({ QStringLiteral("two words"), 22, QStringLiteral("ssh-rsa"), digestOf("a") }));
    QVERIFY(!list.add({ QStringLiteral("#host"), 22, QStringLiteral("ssh-rsa"), digestOf("a") }));
    QVERIFY(!list.add({ QStringLiteral("host\nx"), 22, QStringLiteral("ssh-rsa"), digestOf("a") }));
    QVERIFY(
        !list.add({ QStringLiteral("host"), 22, QStringLiteral("ssh-rsa"), QByteArray("short") }));
    QVERIFY(!list.add({ QStringLiteral("host"), 0, QStringLiteral("ssh-rsa"), digestOf("a") }));
    QVERIFY(list.text().isEmpty());
}

QTEST_GUILESS_MAIN(TestSshHostList)
#include "tst_sshhostlist.moc"

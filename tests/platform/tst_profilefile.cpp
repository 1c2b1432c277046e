// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/profilefile.h"

#include "support/testenvironment.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestProfileFile final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void readString_data();
    void readString();
    void readMissingFileGivesDefault();
    void readCutsLongValues();
    void readSectionListsKeysInFileOrder();
    void writeString_data();
    void writeString();
    void writeStringsWritesEveryKeyOnce();
    void writeRefusesValuesThatWouldBreakTheFile_data();
    void writeRefusesValuesThatWouldBreakTheFile();
    void writeFailureKeepsOldFile();
    void writeKeepsWindows1252Bytes();
    void writeLeavesOtherKeysReadingTheSame_data();
    void writeLeavesOtherKeysReadingTheSame();

private:
    QString freshFile(const QByteArray &content);
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString TestProfileFile::freshFile(const QByteArray &content)
{
    const QString path = m_dir.filePath(QStringLiteral("p%1.ini").arg(++m_files));
    if (!content.isNull())
        TestEnvironment::writeFile(path, content);
    return path;
}

void TestProfileFile::readString_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray ini = "; made by hand\r\n"
                           "top=outside any section\r\n"
                           "[Other]\r\n"
                           "WebURL=wrong\r\n"
                           "[PROJECT]\r\n"
                           "  WebURL  =   www.example.org   \r\n"
                           "mailto=\r\n"
                           ";LoginID=commented\r\n"
                           "FTPDirectory=a=b\r\n"
                           "WebURL=second\r\n"
                           "[project]\r\n"
                           "ThemeStyle=later duplicate\r\n";

    QTest::addRow("exact names, value trimmed") << ini << "PROJECT"
                                                << "WebURL"
                                                << "www.example.org";
    QTest::addRow("section name ignores case") << ini << "Project"
                                               << "WebURL"
                                               << "www.example.org";
    QTest::addRow("key name ignores case") << ini << "PROJECT"
                                           << "weburl"
                                           << "www.example.org";
    QTest::addRow("key of another section is not seen") << ini << "PROJECT"
                                                        << "top"
                                                        << "dflt";
    QTest::addRow("other section has its own value") << ini << "other"
                                                     << "WEBURL"
                                                     << "wrong";
    QTest::addRow("empty value is not the default") << ini << "PROJECT"
                                                    << "mailto"
                                                    << "";
    QTest::addRow("commented key is missing") << ini << "PROJECT"
                                              << "LoginID"
                                              << "dflt";
    QTest::addRow("value keeps later equals signs") << ini << "PROJECT"
                                                    << "FTPDirectory"
                                                    << "a=b";
    QTest::addRow("missing section") << ini << "FTP"
                                     << "WebURL"
                                     << "dflt";
    QTest::addRow("first of a repeated section counts") << ini << "PROJECT"
                                                        << "ThemeStyle"
                                                        << "dflt";
    QTest::addRow("blanks around the names asked for") << ini << " PROJECT "
                                                       << "\tWebURL "
                                                       << "www.example.org";
    QTest::addRow("LF line ends") << QByteArray("[A]\nk=v\n") << "a"
                                  << "K"
                                  << "v";
    QTest::addRow("CR line ends") << QByteArray("[A]\rk=v\rj=w") << "A"
                                  << "j"
                                  << "w";
}

void TestProfileFile::readString()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const ProfileFile file(freshFile(content));
    QCOMPARE(file.readString(section, key, QStringLiteral("dflt")), expected);
}

void TestProfileFile::readMissingFileGivesDefault()
{
    const ProfileFile file(m_dir.filePath(QStringLiteral("nowhere/none.ini")));
    QCOMPARE(file.readString(QStringLiteral("PROJECT"), QStringLiteral("bgColor"),
                             QStringLiteral("000000")),
             QStringLiteral("000000"));
    QVERIFY(file.readSection(QStringLiteral("PROJECT")).isEmpty());
}

void TestProfileFile::readCutsLongValues()
{
    const QByteArray longValue(1500, 'v');
    const ProfileFile file(freshFile("[S]\r\nk=" + longValue + "\r\n"));
    QCOMPARE(file.readString(QStringLiteral("S"), QStringLiteral("k")),
             QString::fromLatin1(longValue.left(1023)));
}

void TestProfileFile::readSectionListsKeysInFileOrder()
{
    const ProfileFile file(freshFile("[S]\r\nb=1\r\na=2\r\n;c=3\r\nB=4\r\n[T]\r\nd=5\r\n"));
    QCOMPARE(file.readSection(QStringLiteral("s")), (QStringList { "b", "a" }));
}

void TestProfileFile::writeString_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");

    const QByteArray ini = "; comment\r\n"
                           "[PROJECT]\r\n"
                           "mailto=me@example.org\r\n"
                           "WebURL=old\r\n"
                           "\r\n"
                           "[Extra]\r\n"
                           "keep=this\r\n";

    QTest::addRow("existing key changes in place, its spelling kept")
        << ini << "project"
        << "WEBURL"
        << QByteArray("; comment\r\n[PROJECT]\r\nmailto=me@example.org\r\nWebURL=new\r\n\r\n"
                      "[Extra]\r\nkeep=this\r\n");
    QTest::addRow("new key goes after the section's last key")
        << ini << "PROJECT"
        << "LoginID"
        << QByteArray("; comment\r\n[PROJECT]\r\nmailto=me@example.org\r\nWebURL=old\r\n"
                      "LoginID=new\r\n\r\n[Extra]\r\nkeep=this\r\n");
    QTest::addRow("new key in the last section")
        << ini << "extra"
        << "more"
        << QByteArray("; comment\r\n[PROJECT]\r\nmailto=me@example.org\r\nWebURL=old\r\n\r\n"
                      "[Extra]\r\nkeep=this\r\nmore=new\r\n");
    QTest::addRow("new section at the end")
        << ini << "FTP"
        << "Host"
        << QByteArray("; comment\r\n[PROJECT]\r\nmailto=me@example.org\r\nWebURL=old\r\n\r\n"
                      "[Extra]\r\nkeep=this\r\n[FTP]\r\nHost=new\r\n");
    QTest::addRow("blanks around the names, written where they are read")
        << ini << " PROJECT "
        << " WebURL "
        << QByteArray("; comment\r\n[PROJECT]\r\nmailto=me@example.org\r\nWebURL=new\r\n\r\n"
                      "[Extra]\r\nkeep=this\r\n");
    QTest::addRow("LF file comes back with CR LF") << QByteArray("[A]\nx=1\ny=2") << "A"
                                                   << "x" << QByteArray("[A]\r\nx=new\r\ny=2\r\n");
    QTest::addRow("missing file is created")
        << QByteArray() << "PROJECT"
        << "WebURL" << QByteArray("[PROJECT]\r\nWebURL=new\r\n");
    QTest::addRow("empty section header only")
        << QByteArray("[PROJECT]\r\n") << "PROJECT"
        << "WebURL" << QByteArray("[PROJECT]\r\nWebURL=new\r\n");
}

void TestProfileFile::writeString()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);

    const QString path = freshFile(before);
    ProfileFile file(path);
    const Result r = file.writeString(section, key, QStringLiteral("new"));
    QVERIFY2(r.ok(), qPrintable(r.error()));
    QCOMPARE(TestEnvironment::readFile(path), after);
    QCOMPARE(file.readString(section, key), QStringLiteral("new"));
}

void TestProfileFile::writeStringsWritesEveryKeyOnce()
{
    const QString path = freshFile("[S]\r\nb=old\r\n");
    ProfileFile file(path);
    QVERIFY(file.writeStrings(QStringLiteral("S"),
                              { { "a", "1" }, { "B", " 2 " }, { "c", "" }, { "a", "3" } }));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("[S]\r\nb=2\r\na=3\r\nc=\r\n"));
}

void TestProfileFile::writeRefusesValuesThatWouldBreakTheFile_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::addRow("line break in a value") << "S"
                                           << "k"
                                           << "one\r\n[Other]\r\nx=y";
    QTest::addRow("equals sign in a key") << "S"
                                          << "a=b"
                                          << "v";
    QTest::addRow("empty key") << "S"
                               << ""
                               << "v";
    QTest::addRow("bracket in a section") << "S]x"
                                          << "k"
                                          << "v";
}

void TestProfileFile::writeRefusesValuesThatWouldBreakTheFile()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QByteArray before = "[S]\r\nk=old\r\n";
    const QString path = freshFile(before);
    ProfileFile file(path);
    const Result r = file.writeString(section, key, value);
    QCOMPARE(r.error(), QStringLiteral("Unable to write to ") + path);
    QCOMPARE(TestEnvironment::readFile(path), before);
}

void TestProfileFile::writeFailureKeepsOldFile()
{
    // A parent that is a regular file stops the write even for root.
    const QString blocker = freshFile("[PROJECT]\r\nWebURL=kept\r\n");
    const QString path = blocker + QStringLiteral("/PROJECT.INI");
    ProfileFile file(path);
    const Result r = file.writeString(QStringLiteral("PROJECT"), QStringLiteral("WebURL"),
                                      QStringLiteral("x"));
    QVERIFY(!r.ok());
    QCOMPARE(r.error(), QStringLiteral("Unable to write to ") + path);
    QCOMPARE(TestEnvironment::readFile(blocker), QByteArray("[PROJECT]\r\nWebURL=kept\r\n"));

    // A directory in the file's place.
    ProfileFile dir(m_dir.path());
    QCOMPARE(dir.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")).error(),
             QStringLiteral("Unable to write to ") + m_dir.path());
}

void TestProfileFile::writeKeepsWindows1252Bytes()
{
    // "Caf\xe9" is not UTF-8: the file stays in its code page.
    const QString path = freshFile("[S]\r\nname=Caf\xe9\r\nk=1\r\n");
    ProfileFile file(path);
    QCOMPARE(file.readString(QStringLiteral("S"), QStringLiteral("name")), QStringLiteral("Café"));
    QVERIFY(file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("\u00fc")));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("[S]\r\nname=Caf\xe9\r\nk=\xfc\r\n"));
}

void TestProfileFile::writeLeavesOtherKeysReadingTheSame_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    // The lone 0xE9 makes the file Windows-1252; without it the rest is valid UTF-8.
    QTest::addRow("1252 file that would turn into utf-8")
        << QByteArray("[S]\r\nmailto=\xC3\xA9\r\nLoginID=\xE9\r\n") << "LoginID"
        << "x";
    QTest::addRow("1252 file, a character it cannot hold")
        << QByteArray("[S]\r\nmailto=\xC3\xA9\r\nLoginID=\xE9\r\n") << "Host"
        << QStringLiteral("\u03A9");
    QTest::addRow("mixed line ends") << QByteArray("[S]\nA=1\r\nB=\xE9\rC=3\n") << "A"
                                     << "2";
}

void TestProfileFile::writeLeavesOtherKeysReadingTheSame()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString path = freshFile(bytes);
    ProfileFile file(path);
    const QString section = QStringLiteral("S");
    QStringList before;
    for (const QString &k : file.readSection(section))
        before << k + QLatin1Char('=') + file.readString(section, k);

    QVERIFY(file.writeString(section, key, value));
    QCOMPARE(file.readString(section, key), value);
    for (const QString &entry : std::as_const(before)) {
        const QString k = entry.section(QLatin1Char('='), 0, 0);
        if (k != key)
            QCOMPARE(k + QLatin1Char('=') + file.readString(section, k), entry);
    }
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"

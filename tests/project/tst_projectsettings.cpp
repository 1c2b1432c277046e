// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectpaths.h"
#include "project/projectsettings.h"

#include "support/testenvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestProjectSettings final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void projectDirectory_data();
    void projectDirectory();
    void pagePathAndSettingsEntry();
    void readDefaults_data();
    void readDefaults();
    void readHandWrittenFile();
    void writeAllKeysInOrder();
    void rewriteKeepsOtherSectionsAndFileName();
    void sftpKeysOnlyOnceUsed();
    void writeFailure();
    void colorFromText_data();
    void colorFromText();
    void colorDigits_data();
    void colorDigits();
    void siteCaption_data();
    void siteCaption();
};

void TestProjectSettings::projectDirectory_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected");

    QTest::addRow("drive path as it is") << "/home/u/tw"
                                         << "C:\\Sites\\shop"
                                         << "C:\\Sites\\shop";
    QTest::addRow("absolute path as it is") << "/home/u/tw"
                                            << "/abs/shop"
                                            << "/abs/shop";
    QTest::addRow("absolute path without trailing slash") << "/home/u/tw"
                                                          << "/abs/shop/"
                                                          << "/abs/shop";
    QTest::addRow("relative below the program directory") << "/home/u/tw"
                                                          << "shop"
                                                          << "/home/u/tw/shop";
    QTest::addRow("program directory with trailing slash") << "/home/u/tw/"
                                                           << "shop"
                                                           << "/home/u/tw/shop";
    QTest::addRow("backslashes are separators") << "/home/u/tw"
                                                << "sites\\shop"
                                                << "/home/u/tw/sites/shop";
    QTest::addRow("trailing backslash dropped") << "/home/u/tw"
                                                << "sites\\shop\\"
                                                << "/home/u/tw/sites/shop";
    QTest::addRow("leading backslash stays below the program directory") << "/home/u/tw"
                                                                         << "\\shop"
                                                                         << "/home/u/tw/shop";
    QTest::addRow("empty target is the program directory") << "/home/u/tw/"
                                                           << ""
                                                           << "/home/u/tw";
}

void TestProjectSettings::projectDirectory()
{
    QFETCH(QString, programDir);
    QFETCH(QString, target);
    QFETCH(QString, expected);

    QCOMPARE(ProjectPaths::projectDirectory(programDir, target), expected);
}

void TestProjectSettings::pagePathAndSettingsEntry()
{
    QCOMPARE(ProjectPaths::pagePath(QStringLiteral("/tw"), QStringLiteral("sites\\shop"),
                                    QStringLiteral("my-page.htm")),
             QStringLiteral("/tw/sites/shop/my-page.htm"));
    QVERIFY(ProjectPaths::isSettingsEntry(QStringLiteral("PROJECT.INI")));
    QVERIFY(!ProjectPaths::isSettingsEntry(QStringLiteral("project.ini")));
}

void TestProjectSettings::readDefaults_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::addRow("no file") << QByteArray();
    QTest::addRow("section with an empty WebURL only") << QByteArray("[PROJECT]\r\nWebURL=\r\n");
    QTest::addRow("keys of another section")
        << QByteArray("[OTHER]\r\nWebURL=x\r\nbgColor=FFFFFF\r\n");
}

void TestProjectSettings::readDefaults()
{
    QFETCH(QByteArray, content);

    QTemporaryDir dir;
    if (!content.isNull())
        QVERIFY(TestEnvironment::writeFile(dir.filePath(QStringLiteral("PROJECT.INI")), content));
    const ProjectSettings s = ProjectSettings::read(dir.path());
    for (const QString &text :
         { s.mailto, s.webURL, s.ftpDirectory, s.themeStyle, s.loginID, s.loginPassword })
        QCOMPARE(text, QString());
    for (const QString &color : { s.textColor, s.linkColor, s.aLinkColor, s.vLinkColor, s.bgColor })
        QCOMPARE(color, QStringLiteral("000000"));
}

void TestProjectSettings::readHandWrittenFile()
{
    // Edited on Linux: lower-case file name, keys in another case, LF line ends.
    QTemporaryDir dir;
    QVERIFY(TestEnvironment::writeFile(dir.filePath(QStringLiteral("project.ini")),
                                       "[project]\n"
                                       "weburl = ftp.example.org\n"
                                       "ftpdirectory=public\n"
                                       "BGCOLOR=#FFCC00\n"
                                       "loginid=anna\n"));
    const ProjectSettings s = ProjectSettings::read(dir.path());
    QCOMPARE(s.webURL, QStringLiteral("ftp.example.org"));
    QCOMPARE(s.ftpDirectory, QStringLiteral("public"));
    QCOMPARE(s.bgColor, QStringLiteral("#FFCC00"));
    QCOMPARE(s.loginID, QStringLiteral("anna"));
    QCOMPARE(s.textColor, QStringLiteral("000000"));
    QVERIFY(ProjectSettings::exists(dir.path()));
}

void TestProjectSettings::writeAllKeysInOrder()
{
    QTemporaryDir dir;
    ProjectSettings s;
    s.webURL = QStringLiteral("ftp.example.org");
    s.bgColor = QStringLiteral("FFFFFF");
    s.loginPassword = QStringLiteral("?@AB~~");
    QVERIFY(s.write(dir.path()));
    QCOMPARE(TestEnvironment::readFile(dir.filePath(QStringLiteral("PROJECT.INI"))),
             QByteArray("[PROJECT]\r\n"
                        "mailto=\r\n"
                        "WebURL=ftp.example.org\r\n"
                        "FTPDirectory=\r\n"
                        "TextColor=000000\r\n"
                        "LinkColor=000000\r\n"
                        "aLinkColor=000000\r\n"
                        "vLinkColor=000000\r\n"
                        "bgColor=FFFFFF\r\n"
                        "ThemeStyle=\r\n"
                        "LoginID=\r\n"
                        "LoginPassword=?@AB~~\r\n"
                        "UseFTPS=0\r\n"));
    QCOMPARE(ProjectSettings::read(dir.path()), s);
}

// A project that never published by SFTP keeps the file it had; once set,
// the keys stay, so that turning SFTP off is stored too.
void TestProjectSettings::sftpKeysOnlyOnceUsed()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("PROJECT.INI"));
    ProjectSettings s;
    QVERIFY(s.write(dir.path()));
    QVERIFY(!TestEnvironment::readFile(ini).contains("SFTP"));
    s.useSftp = true;
    s.sshKeyFile = QStringLiteral("/home/me/.ssh/id site");
    QVERIFY(s.write(dir.path()));
    QVERIFY(TestEnvironment::readFile(ini).endsWith(
        "UseFTPS=0\r\nUseSFTP=1\r\nSSHKeyFile=/home/me/.ssh/id site\r\n"));
    QCOMPARE(ProjectSettings::read(dir.path()), s);
    s.useSftp = false;
    s.sshKeyFile.clear();
    QVERIFY(s.write(dir.path()));
    QVERIFY(TestEnvironment::readFile(ini).endsWith("UseSFTP=0\r\nSSHKeyFile=\r\n"));
    QCOMPARE(ProjectSettings::read(dir.path()), s);
}

void TestProjectSettings::rewriteKeepsOtherSectionsAndFileName()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.ini"));
    QVERIFY(TestEnvironment::writeFile(path,
                                       "; notes\n"
                                       "[Notes]\n"
                                       "owner=anna\n"
                                       "[project]\n"
                                       "weburl=old.example.org\n"
                                       "custom=kept\n"));
    ProjectSettings s = ProjectSettings::read(dir.path());
    s.webURL = QStringLiteral("new.example.org");
    QVERIFY(s.write(dir.path()));

    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("PROJECT.INI"))));
    QCOMPARE(TestEnvironment::readFile(path),
             QByteArray("; notes\r\n"
                        "[Notes]\r\n"
                        "owner=anna\r\n"
                        "[project]\r\n"
                        "weburl=new.example.org\r\n"
                        "custom=kept\r\n"
                        "mailto=\r\n"
                        "FTPDirectory=\r\n"
                        "TextColor=000000\r\n"
                        "LinkColor=000000\r\n"
                        "aLinkColor=000000\r\n"
                        "vLinkColor=000000\r\n"
                        "bgColor=000000\r\n"
                        "ThemeStyle=\r\n"
                        "LoginID=\r\n"
                        "LoginPassword=\r\n"
                        "UseFTPS=0\r\n"));
}

void TestProjectSettings::writeFailure()
{
    QTemporaryDir dir;
    const QString notADir = dir.filePath(QStringLiteral("file"));
    QVERIFY(TestEnvironment::writeFile(notADir, "x"));
    const Result r = ProjectSettings().write(notADir);
    QCOMPARE(r.error(),
             QStringLiteral("Unable to write to ") + notADir + QStringLiteral("/PROJECT.INI"));
}

void TestProjectSettings::colorFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color");

    QTest::addRow("red first") << "FF8000" << QColor(255, 128, 0);
    QTest::addRow("one # dropped") << "#0080ff" << QColor(0, 128, 255);
    QTest::addRow("short text is a smaller number") << "FF" << QColor(0, 0, 255);
    QTest::addRow("empty is black") << "" << QColor(Qt::black);
    QTest::addRow("not hexadecimal is black") << "red" << QColor(Qt::black);
    QTest::addRow("two # are not hexadecimal") << "##FFFFFF" << QColor(Qt::black);
    QTest::addRow("too long is black") << "1FFFFFF" << QColor(Qt::black);
}

void TestProjectSettings::colorFromText()
{
    QFETCH(QString, text);
    QFETCH(QColor, color);

    QCOMPARE(ProjectSettings::colorFromText(text), color);
}

void TestProjectSettings::colorDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits"); // "-": not a colour
    QTest::addRow("six digits") << "FF8000"
                                << "FF8000";
    QTest::addRow("with one hash") << "#FF0000"
                                   << "FF0000";
    QTest::addRow("lower case kept") << "#0080ff"
                                     << "0080ff";
    QTest::addRow("blanks around") << " 123456 "
                                   << "123456";
    QTest::addRow("empty is no colour") << ""
                                        << "";
    QTest::addRow("hash alone") << "#"
                                << "-";
    QTest::addRow("two hashes") << "##FF00"
                                << "-";
    QTest::addRow("five digits") << "#FF000"
                                 << "-";
    QTest::addRow("seven digits") << "FF00000"
                                  << "-";
    QTest::addRow("three digits") << "F00"
                                  << "-";
    QTest::addRow("markup") << "zz<>\"q"
                            << "-";
    QTest::addRow("colour name") << "maroon"
                                 << "-";
    QTest::addRow("full-width digits")
        << QString::fromUtf8("\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16") << "-";
}

void TestProjectSettings::colorDigits()
{
    QFETCH(QString, text);
    QFETCH(QString, digits);
    QCOMPARE(ProjectSettings::colorDigits(text).value_or("-"), digits);
}

void TestProjectSettings::siteCaption_data()
{
    QTest::addColumn<QString>("webURL");
    QTest::addColumn<QString>("ftpDirectory");
    QTest::addColumn<QString>("caption");

    QTest::addRow("plain") << "mysite"
                           << "public"
                           << "mysite/public";
    QTest::addRow("no directory") << "mysite"
                                  << ""
                                  << "mysite/";
    QTest::addRow("absolute directory") << "127.0.0.1:2121"
                                        << "/site"
                                        << "127.0.0.1:2121/site";
    QTest::addRow("address ending in a slash") << "ftp://127.0.0.1:2121/"
                                               << "site"
                                               << "ftp://127.0.0.1:2121/site";
    QTest::addRow("slashes on both sides") << "ftp://127.0.0.1:2121//"
                                           << "//site/"
                                           << "ftp://127.0.0.1:2121/site/";
}

void TestProjectSettings::siteCaption()
{
    QFETCH(QString, webURL);
    QFETCH(QString, ftpDirectory);
    QFETCH(QString, caption);

    ProjectSettings s;
    s.webURL = webURL;
    s.ftpDirectory = ftpDirectory;
    QCOMPARE(s.siteCaption(), caption);
}

QTEST_GUILESS_MAIN(TestProjectSettings)
#include "tst_projectsettings.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The user's definition files: tag menu lines, button lines, special
// character slots and the entity names of typed letters.
#include "lockeddirectory.h"
#include "tags/buttondefinition.h"
#include "tags/latin1entities.h"
#include "tags/menufile.h"
#include "tags/specialcharacters.h"
#include "tags/userfile.h"
#include "testenvironment.h"

#include <QHash>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

struct MemoryStore final : SpecialCharacterStore
{
    QHash<QString, QString> texts;
    QHash<QString, bool> flags;
    QString readText(const QString &name) override { return texts.value(name); }
    bool readFlag(const QString &name) override { return flags.value(name); }
    void writeText(const QString &name, const QString &value) override { texts[name] = value; }
    void writeFlag(const QString &name, bool value) override { flags[name] = value; }
};

} // namespace

class TestUserFiles final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void readFiles_data();
    void readFiles();
    void writeKeepsEncodingWithCrLf_data();
    void writeKeepsEncodingWithCrLf();
    void failedWriteKeepsTheOldFile();
    void menuEntries_data();
    void menuEntries();
    void buttonLines_data();
    void buttonLines();
    void paddedToNineteen();
    void specialSlots_data();
    void specialSlots();
    void defaultsOnce();
    void entities_data();
    void entities();
};

void TestUserFiles::readFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("CR LF") << QByteArray("a\r\nb\r\n") << true << QStringList { "a", "b" };
    QTest::addRow("LF, no final break") << QByteArray("a\nb") << true << QStringList { "a", "b" };
    QTest::addRow("CR") << QByteArray("a\rb\r") << true << QStringList { "a", "b" };
    QTest::addRow("blank lines kept")
        << QByteArray("a\r\n\r\nb\r\n") << true << QStringList { "a", "", "b" };
    QTest::addRow("empty") << QByteArray() << true << QStringList {};
    QTest::addRow("Windows-1252") << QByteArray("caf\xe9\r\n") << true
                                  << QStringList { QString::fromUtf8("café") };
    QTest::addRow("UTF-8") << QByteArray("caf\xc3\xa9\r\n") << true
                           << QStringList { QString::fromUtf8("café") };
    const QByteArray controls("\x16\x16\x16");
    QTest::addRow("control characters, no NUL: still text")
        << (controls + "a|b\r\n") << true << QStringList { QString::fromLatin1(controls) + "a|b" };
    QTest::addRow("NUL bytes") << QByteArray("a\0b\r\n", 5) << false << QStringList {};
    QTest::addRow("over 1 MiB") << QByteArray(UserFile::maxSize + 1, 'x') << false
                                << QStringList {};
}

void TestUserFiles::readFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath("f.mnu");
    QVERIFY(TestEnvironment::writeFile(path, bytes));
    const Expected<UserFileContent> content = UserFile::read(path);
    QCOMPARE(content.ok(), ok);
    if (!ok) {
        QVERIFY2(content.error().contains(path), qPrintable(content.error()));
        return;
    }
    QVERIFY(content->exists);
    QCOMPARE(content->lines, lines);
}

void TestUserFiles::writeKeepsEncodingWithCrLf_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addRow("Windows-1252 bytes kept")
        << QByteArray("caf\xe9\nx") << QByteArray("caf\xe9\r\nx\r\n");
    QTest::addRow("UTF-8 stays UTF-8")
        << QByteArray("caf\xc3\xa9\r") << QByteArray("caf\xc3\xa9\r\n");
    QTest::addRow("missing file: UTF-8") << QByteArray() << QByteArray();
}

void TestUserFiles::writeKeepsEncodingWithCrLf()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath("f.mnu");
    if (!before.isEmpty())
        QVERIFY(TestEnvironment::writeFile(path, before));
    const Expected<UserFileContent> content = UserFile::read(path);
    QVERIFY(content);
    QCOMPARE(content->exists, !before.isEmpty());
    QVERIFY(UserFile::write(path, content->lines, content->format));
    QCOMPARE(TestEnvironment::readFile(path), after);
}

void TestUserFiles::failedWriteKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/f.btn");
    QVERIFY(TestEnvironment::writeFile(path, "old\r\n"));
    LockedDirectory lock(dir.filePath("sub"));
    if (!lock.locked())
        QSKIP("the directory cannot be made unwritable here");
    const Result written = UserFile::write(path, { "new" }, {});
    QVERIFY(!written);
    QVERIFY2(written.error().contains(path), qPrintable(written.error()));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("old\r\n"));
}

void TestUserFiles::menuEntries_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("lineOfEntry");
    QTest::addColumn<QStringList>("captions");
    QTest::addRow("blank lines make no entry")
        << QStringList { "B - Bold", "", "   ", "I" } << QStringList { "B - Bold", "I" }
        << QStringList { "B - Bold", "I" };
    QTest::addRow("ampersand as written") << QStringList { "<A HREF=\"a&b\">..</A> - A & B" }
                                          << QStringList { "<A HREF=\"a&b\">..</A> - A & B" }
                                          << QStringList { "<A HREF=\"a&b\">..</A> - A & B" };
    const QString longLine = "B " + QString(4998, 'x');
    QTest::addRow("5,000 characters: caption cut, line whole")
        << QStringList { longLine } << QStringList { longLine }
        << QStringList { longLine.left(100) + QChar(0x2026) };
}

void TestUserFiles::menuEntries()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, lineOfEntry);
    QFETCH(QStringList, captions);
    QStringList gotLines, gotCaptions;
    for (const MenuFile::Entry &entry : MenuFile::entries(lines)) {
        gotLines << entry.line;
        gotCaptions << entry.caption;
    }
    QCOMPARE(gotLines, lineOfEntry);
    QCOMPARE(gotCaptions, captions);
}

void TestUserFiles::buttonLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("kind");
    QTest::addRow("B|B|1|0") << "B|B|1|0" << QStringList { "B", "B", "1", "0" } << 1;
    QTest::addRow("Hi|Hello|0|0") << "Hi|Hello|0|0" << QStringList { "Hi", "Hello", "0", "0" } << 0;
    QTest::addRow("free slot") << "||0|0" << QStringList { "", "", "0", "0" } << 0;
    QTest::addRow("missing fields are empty") << "X" << QStringList { "X", "", "", "" } << -1;
    QTest::addRow("kind 7") << "Q|Q|7|0" << QStringList { "Q", "Q", "7", "0" } << -1;
    QTest::addRow("uneven") << "A|A HREF=\"\">../A|2|0"
                            << QStringList { "A", "A HREF=\"\">../A", "2", "0" } << 2;
    QTest::addRow("extra field ignored") << "a|b|1|1|z" << QStringList { "a", "b", "1", "1" } << 1;
}

void TestUserFiles::buttonLines()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QFETCH(int, kind);
    const ButtonDefinition d = ButtonDefinition::parse(line);
    QCOMPARE((QStringList { d.caption, d.code, d.insertKind, d.dropKind }), fields);
    QCOMPARE(d.insertKindNumber(), kind);
    if (fields.size() == 4 && line.count('|') == 3)
        QCOMPARE(d.line(), line);
}

void TestUserFiles::paddedToNineteen()
{
    const QStringList three = ButtonDefinition::padded({ "a|a|0|0", "b|b|0|0", "c|c|0|0" });
    QCOMPARE(three.size(), 19);
    QCOMPARE(three.mid(3), QStringList(16, "||0|0"));
    QCOMPARE(ButtonDefinition::padded(QStringList(25, "x|x|0|0")).size(), 19);
}

void TestUserFiles::specialSlots_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("code");
    QTest::addRow("character and code") << "<|&lt;"
                                        << "<"
                                        << "&lt;";
    QTest::addRow("empty slot") << "|"
                                << ""
                                << "";
    QTest::addRow("missing") << ""
                             << ""
                             << "";
    QTest::addRow("begins with a bar") << "|&lt;"
                                       << ""
                                       << "";
    QTest::addRow("code up to the second bar") << "x|&#1;|junk"
                                               << "x"
                                               << "&#1;";
}

void TestUserFiles::specialSlots()
{
    QFETCH(QString, value);
    QFETCH(QString, character);
    QFETCH(QString, code);
    const SpecialCharacters::Slot slot = SpecialCharacters::parse(value);
    QCOMPARE(slot.character, character);
    QCOMPARE(slot.code, code);
    QCOMPARE(slot.isEmpty(), character.isEmpty());
}

void TestUserFiles::defaultsOnce()
{
    MemoryStore store;
    SpecialCharacters special(&store);
    QList<SpecialCharacters::Slot> slotList = special.readSlots();
    QCOMPARE(store.flags.value("Setup"), true);
    QCOMPARE(store.texts.value("Spec8"), QString("<|&lt;"));
    QCOMPARE(store.texts.value("Spec3"), QString(QChar(0x2122)) + "|&#153;");
    QCOMPARE(store.texts.value("Spec10"), QString("&|&amp;"));
    QVERIFY(!store.texts.contains("Spec11"));
    int shown = 0;
    for (const SpecialCharacters::Slot &slot : slotList)
        shown += slot.isEmpty() ? 0 : 1;
    QCOMPARE(shown, 10);
    // Once set up, a cleared slot stays cleared.
    special.writeSlot(1, "x", "");
    QCOMPARE(store.texts.value("Spec1"), QString("|"));
    slotList = special.readSlots();
    QVERIFY(slotList.first().isEmpty());
}

void TestUserFiles::entities_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("entity");
    QTest::addRow("192") << 192 << "&Agrave;";
    QTest::addRow("208") << 208 << "&ETH;";
    QTest::addRow("222") << 222 << "&THORN;";
    QTest::addRow("223") << 223 << "&szlig;";
    QTest::addRow("233") << 233 << "&eacute;";
    QTest::addRow("240") << 240 << "&eth;";
    QTest::addRow("254") << 254 << "&thorn;";
    QTest::addRow("255") << 255 << "&yuml;";
    QTest::addRow("215 times") << 215 << "";
    QTest::addRow("247 divide") << 247 << "";
    QTest::addRow("169 copyright") << 169 << "";
    QTest::addRow("191 inverted question mark") << 191 << "";
    QTest::addRow("256") << 256 << "";
    QTest::addRow("e") << int('e') << "";
}

void TestUserFiles::entities()
{
    QFETCH(int, code);
    QFETCH(QString, entity);
    QCOMPARE(Latin1Entities::entity(QChar(code)), entity);
}

QTEST_GUILESS_MAIN(TestUserFiles)
#include "tst_userfiles.moc"

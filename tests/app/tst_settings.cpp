// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "testenvironment.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

const QString readIniError = QStringLiteral("Exception occured during ReadINI!");

QVariant valueOf(Settings &settings, const Settings::Key &key)
{
    return std::visit([](auto *value) { return QVariant::fromValue(*value); },
                      key.member(settings));
}

const Settings::Key *findKey(const QString &path)
{
    for (const Settings::Key &key : Settings::keys()) {
        if (key.path() == path)
            return &key;
    }
    return nullptr;
}

} // namespace

class TestSettings final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void emptyStoreKeepsDefaults_data();
    void emptyStoreKeepsDefaults();
    void roundTripKeepsEveryValue();
    void savedFileHoldsEveryKeyWithItsType_data();
    void savedFileHoldsEveryKeyWithItsType();
    void handWrittenValues_data();
    void handWrittenValues();
    void wrongTypeStopsReading_data();
    void wrongTypeStopsReading();
    void garbageFileNeverCrashes_data();
    void garbageFileNeverCrashes();
    void malformedFileIsReported();
    void textsAreCutButPathsAreNot_data();
    void textsAreCutButPathsAreNot();
    void saveToUnwritableStoreFails();
    void colorFromSetting_data();
    void colorFromSetting();
    void colorToSetting_data();
    void colorToSetting();
    void setFiles_data();
    void setFiles();

private:
    QString iniPath() const { return m_dir->filePath(QStringLiteral("Tarnwick.ini")); }
    std::unique_ptr<QSettings> iniStore() const
    {
        return std::make_unique<QSettings>(iniPath(), QSettings::IniFormat);
    }
    void writeIni(const QByteArray &text) const
    {
        QVERIFY(TestEnvironment::writeFile(iniPath(), text));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettings::initTestCase()
{
    TestEnvironment::isolate();
}

void TestSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSettings::emptyStoreKeepsDefaults_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");

    QTest::addRow("project pane shown") << "Defaults/ShowProjectPanel" << QVariant(true);
    QTest::addRow("file list page") << "Defaults/FileTabs" << QVariant("File List");
    QTest::addRow("hints off") << "Defaults/ShowHints" << QVariant(false);
    QTest::addRow("images on") << "Defaults/ShowImages" << QVariant(true);
    QTest::addRow("custom page 1 hidden") << "Defaults/ShowCustom1" << QVariant(false);
    QTest::addRow("page extensions") << "Defaults/Extension" << QVariant("html,htm,shtm,shtml");
    QTest::addRow("graphic extensions")
        << "Defaults/GraphicExtension" << QVariant("gif,jpg,png,svg,webp");
    QTest::addRow("font size step") << "Defaults/FontSizeChange" << QVariant(2);
    QTest::addRow("design size") << "WindowAttributes/Width" << QVariant(0);
    QTest::addRow("next tip") << "Helpers/TipNumber" << QVariant(10);
    QTest::addRow("ftp time-out") << "FTP/TimeOut" << QVariant(60000);
    QTest::addRow("suggestions") << "Spelling/SuggestCount" << QVariant(10);
    QTest::addRow("skip tags") << "Spelling/SkipHTML" << QVariant(true);
    QTest::addRow("shipped language") << "Spelling/HunspellDictionary" << QVariant(QString());
    QTest::addRow("no colour") << "Defaults/SyntaxBGColor" << QVariant(QString());
    QTest::addRow("completion on") << "Defaults/AutoComplete" << QVariant(true);
    QTest::addRow("fold margin shown") << "Defaults/ShowFoldMargin" << QVariant(true);
}

void TestSettings::emptyStoreKeepsDefaults()
{
    QFETCH(QString, key);
    QFETCH(QVariant, expected);

    Settings settings(iniStore());
    const Result result = settings.ReadIni();
    QVERIFY2(result.ok(), qPrintable(result.error()));
    const Settings::Key *entry = findKey(key);
    QVERIFY2(entry, qPrintable(key));
    QCOMPARE(valueOf(settings, *entry), expected);
}

void TestSettings::roundTripKeepsEveryValue()
{
    // A distinct value per key, away from its default, so that a key missing
    // from reading or writing, or two keys sharing a member, shows up.
    QList<QVariant> expected;
    {
        Settings settings(iniStore());
        int index = 0;
        for (const Settings::Key &key : Settings::keys()) {
            ++index;
            std::visit(
                [&](auto *value) {
                    using Value = std::remove_pointer_t<decltype(value)>;
                    if constexpr (std::is_same_v<Value, bool>)
                        *value = !*value;
                    else if constexpr (std::is_same_v<Value, int>)
                        *value = index == 1 ? -7 : 1000 + index;
                    else
                        *value = QStringLiteral("%1,é=;#x").arg(index);
                },
                key.member(settings));
            expected.append(valueOf(settings, key));
        }
        const Result saved = settings.SaveIni();
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
    }

    Settings reread(iniStore());
    const Result result = reread.ReadIni();
    QVERIFY2(result.ok(), qPrintable(result.error()));
    qsizetype i = 0;
    for (const Settings::Key &key : Settings::keys()) {
        QVERIFY2(valueOf(reread, key) == expected.at(i), qPrintable(key.path()));
        ++i;
    }
}

void TestSettings::savedFileHoldsEveryKeyWithItsType_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("integers"); // booleans are stored as integers too
    QTest::addColumn<QStringList>("texts");

    QTest::addRow("LastFiles") << "LastFiles" << QStringList { "AutoLoad" }
                               << QStringList { "File1", "File2", "File3", "File4", "DefaultDir" };
    QTest::addRow("Helpers") << "Helpers" << QStringList { "NewFile",          "fullscreen",
                                                           "BrowserRefresh",   "SimpleTable",
                                                           "ImageDisplaying",  "Wordwrap",
                                                           "DefaultExtension", "InternalClipboard",
                                                           "SavingToDefault",  "ExpandingChars",
                                                           "ShowTipOfTheDay",  "TipNumber" }
                             << QStringList {};
    QTest::addRow("FTP") << "FTP" << QStringList { "TimeOut", "CheckSite" }
                         << QStringList { "SmartBinary", "SmartASCII" };
    QTest::addRow("Spelling") << "Spelling"
                              << QStringList { "AutoAdd", "SkipHTML", "SuggestCount", "Language",
                                               "DialogStyle" }
                              << QStringList { "HunspellDictionary" };
    QTest::addRow("Defaults")
        << "Defaults"
        << QStringList { "FileTabPage",    "ExpandCharstoHTML", "TabSize",        "ShowHints",
                         "UseEWS",         "ShowProjectPanel",  "AutoUpdate",     "AutoTimeStamp",
                         "Wordwrap",       "ShowImages",        "Browser1Prefix", "Browser2Prefix",
                         "UseBR",          "UseClosingP",       "FileFormat",     "AutoIndent",
                         "FontSizeChange", "ShowCustom1",       "ShowCustom2",    "ShowCustom3",
                         "ShowCustom4",    "AutoComplete",      "ShowFoldMargin" }
        << QStringList { "FileTabs",
                         "BackgroundColor",
                         "SharedImageDir",
                         "Browser1",
                         "Browser2",
                         "FontName",
                         "FontSize",
                         "FontColor",
                         "FontStyle",
                         "HTMLFontName",
                         "HTMLFontSize",
                         "HTMLFontColor",
                         "HTMLBackgroundColor",
                         "SyntaxBGColor",
                         "SyntaxFGColor",
                         "HighlightBGColor",
                         "HighlightFGColor",
                         "Extension",
                         "GraphicExtension",
                         "Custom1caption",
                         "Custom2caption",
                         "Custom3caption",
                         "Custom4caption",
                         "AuthorName" };
    QTest::addRow("WindowAttributes")
        << "WindowAttributes"
        << QStringList { "Maximized", "Top",           "Left",          "Width",
                         "Height",    "SplitPosition", "SplitDirection" }
        << QStringList {};
}

void TestSettings::savedFileHoldsEveryKeyWithItsType()
{
    QFETCH(QString, group);
    QFETCH(QStringList, integers);
    QFETCH(QStringList, texts);

    Settings settings(iniStore());
    settings.Helpers.fullscreen = false;
    settings.Defaults.UseEWS = false;
    QVERIFY(settings.SaveIni().ok());

    QSettings file(iniPath(), QSettings::IniFormat);
    file.beginGroup(group);
    QStringList stored = file.childKeys();
    QStringList expectedKeys = integers + texts;
    stored.sort();
    expectedKeys.sort();
    QCOMPARE(stored, expectedKeys);

    for (const QString &name : integers) {
        bool ok = false;
        const int number = file.value(name).toString().toInt(&ok);
        QVERIFY2(ok, qPrintable(name));
        const Settings::Key *key = findKey(group + '/' + name);
        QVERIFY(key);
        if (key->type == Settings::Key::Type::Boolean)
            QVERIFY2(number == 0 || number == 1, qPrintable(name));
        else
            QCOMPARE(key->type, Settings::Key::Type::Integer);
    }
    for (const QString &name : texts) {
        const Settings::Key *key = findKey(group + '/' + name);
        QVERIFY(key);
        QCOMPARE(key->type, Settings::Key::Type::String);
        QVERIFY2(key->maxLength > 0 || key->maxLength == Settings::Key::NoCut, qPrintable(name));
    }
}

void TestSettings::handWrittenValues_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");

    QTest::addRow("boolean as 1") << QByteArray("[Defaults]\nUseBR=1\n") << "Defaults/UseBR"
                                  << QVariant(true);
    QTest::addRow("boolean as 0") << QByteArray("[Defaults]\nUseEWS=0\n") << "Defaults/UseEWS"
                                  << QVariant(false);
    QTest::addRow("boolean as other non-zero")
        << QByteArray("[Defaults]\nUseBR=-1\n") << "Defaults/UseBR" << QVariant(true);
    QTest::addRow("boolean as true")
        << QByteArray("[Helpers]\nNewFile=true\n") << "Helpers/NewFile" << QVariant(true);
    QTest::addRow("boolean as false")
        << QByteArray("[Helpers]\nNewFile=false\n") << "Helpers/NewFile" << QVariant(false);
    QTest::addRow("negative integer")
        << QByteArray("[WindowAttributes]\nLeft=-8\n") << "WindowAttributes/Left" << QVariant(-8);
    QTest::addRow("unquoted list in a text") << QByteArray("[Defaults]\nExtension=php,html\n")
                                             << "Defaults/Extension" << QVariant("php,html");
    QTest::addRow("digits in a text")
        << QByteArray("[Defaults]\nFontSize=12\n") << "Defaults/FontSize" << QVariant("12");
    QTest::addRow("empty colour stays empty") << QByteArray("[Defaults]\nSyntaxFGColor=\n")
                                              << "Defaults/SyntaxFGColor" << QVariant(QString());
    QTest::addRow("other groups ignored")
        << QByteArray("[SpecialCharacters]\nTabSize=abc\n[Defaults]\nTabSize=4\n")
        << "Defaults/TabSize" << QVariant(4);
    // A file of a version before completion and folding: both on.
    const QByteArray earlier("[Defaults]\nUseEWS=0\nAuthorName=Ann\n[WindowAttributes]\n"
                             "Width=800\n");
    QTest::addRow("earlier file: completion")
        << earlier << "Defaults/AutoComplete" << QVariant(true);
    QTest::addRow("earlier file: fold margin")
        << earlier << "Defaults/ShowFoldMargin" << QVariant(true);
    QTest::addRow("completion off")
        << QByteArray("[Defaults]\nAutoComplete=0\n") << "Defaults/AutoComplete" << QVariant(false);
    // A file of a version before installed dictionaries: its shipped language, unchanged.
    const QByteArray shippedOnly("[Spelling]\nLanguage=4\nDialogStyle=2\n");
    QTest::addRow("earlier file: language") << shippedOnly << "Spelling/Language" << QVariant(4);
    QTest::addRow("earlier file: no installed dictionary")
        << shippedOnly << "Spelling/HunspellDictionary" << QVariant(QString());
    QTest::addRow("installed dictionary by name")
        << QByteArray("[Spelling]\nLanguage=4\nHunspellDictionary=de_DE\n")
        << "Spelling/HunspellDictionary" << QVariant("de_DE");
}

void TestSettings::handWrittenValues()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);

    writeIni(ini);
    Settings settings(iniStore());
    const Result result = settings.ReadIni();
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(valueOf(settings, *findKey(key)), expected);
}

void TestSettings::wrongTypeStopsReading_data()
{
    QTest::addColumn<QByteArray>("badLine");
    QTest::addColumn<QString>("badKey");

    QTest::addRow("text in an integer")
        << QByteArray("[Defaults]\nTabSize=abc\n") << "Defaults/TabSize";
    QTest::addRow("word in a boolean")
        << QByteArray("[Helpers]\nNewFile=maybe\n") << "Helpers/NewFile";
    QTest::addRow("fraction in an integer") << QByteArray("[FTP]\nTimeOut=1.5\n") << "FTP/TimeOut";
    QTest::addRow("integer out of range")
        << QByteArray("[WindowAttributes]\nWidth=99999999999\n") << "WindowAttributes/Width";
    QTest::addRow("integer just out of range")
        << QByteArray("[Defaults]\nFileFormat=2147483648\n") << "Defaults/FileFormat";
    QTest::addRow("list in an integer")
        << QByteArray("[Spelling]\nLanguage=1,2\n") << "Spelling/Language";
    QTest::addRow("rectangle in a text")
        << QByteArray("[Defaults]\nFontName=@Rect(1 2 3 4)\n") << "Defaults/FontName";
}

void TestSettings::wrongTypeStopsReading()
{
    QFETCH(QByteArray, badLine);
    QFETCH(QString, badKey);

    // The first and the last key of the table hold good values around the bad one.
    writeIni("[LastFiles]\nFile1=/site/index.html\n[WindowAttributes]\nSplitDirection=1\n"
             + badLine);
    Settings settings(iniStore());
    const Result result = settings.ReadIni();
    QVERIFY(!result.ok());
    QCOMPARE(result.error(), readIniError);

    QCOMPARE(settings.LastFiles.File1, QStringLiteral("/site/index.html"));
    QCOMPARE(settings.WindowAttributes.SplitDirection, 0);
    Settings fresh(iniStore());
    const Settings::Key *key = findKey(badKey);
    QVERIFY(key);
    QCOMPARE(valueOf(settings, *key), valueOf(fresh, *key));
}

void TestSettings::garbageFileNeverCrashes_data()
{
    QTest::addColumn<QByteArray>("content");

    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 7919) % 256);
    QTest::addRow("binary") << binary;
    QTest::addRow("unclosed section") << QByteArray("[Defaults\nTabSize=4\n");
    QTest::addRow("broken variant") << QByteArray("[Defaults]\nFontName=@Variant(\\0\\0\\0\\x7f\n");
    QTest::addRow("broken escapes") << QByteArray("[Defaults]\nFontName=\"\\x\\\n=\n==\n");
    QTest::addRow("section only") << QByteArray("[]\n[Helpers]");
}

void TestSettings::garbageFileNeverCrashes()
{
    QFETCH(QByteArray, content);

    writeIni(content);
    Settings settings(iniStore());
    const Result result = settings.ReadIni();
    if (!result.ok())
        QCOMPARE(result.error(), readIniError);
    // Whatever was in the file, the next save leaves a file that reads back cleanly.
    settings.Defaults.TabSize = 3;
    const Result saved = settings.SaveIni();
    QVERIFY2(saved.ok(), qPrintable(saved.error()));
    Settings reread(iniStore());
    QVERIFY(reread.ReadIni().ok());
    QCOMPARE(reread.Defaults.TabSize, 3);
}

void TestSettings::malformedFileIsReported()
{
    writeIni("[Helpers]\nTipNumber=3\n[Defaults\nTabSize=4\n");
    Settings settings(iniStore());
    const Result result = settings.ReadIni();
    QVERIFY(!result.ok());
    QCOMPARE(result.error(), readIniError);
    QCOMPARE(settings.Helpers.TipNumber, 3);
}

void TestSettings::textsAreCutButPathsAreNot_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("storedLength");
    QTest::addColumn<int>("readLength");

    QTest::addRow("font name") << "Defaults/FontName" << 30 << 25;
    QTest::addRow("font name at its limit") << "Defaults/FontName" << 25 << 25;
    QTest::addRow("custom caption") << "Defaults/Custom1caption" << 20 << 15;
    QTest::addRow("tag colour") << "Defaults/SyntaxFGColor" << 20 << 15;
    QTest::addRow("editor background") << "Defaults/BackgroundColor" << 40 << 25;
    QTest::addRow("binary extensions") << "FTP/SmartBinary" << 250 << 200;
    QTest::addRow("page extensions") << "Defaults/Extension" << 150 << 100;
    QTest::addRow("author of new pages") << "Defaults/AuthorName" << 70 << 50;
    QTest::addRow("recent file") << "LastFiles/File1" << 200 << 200;
    QTest::addRow("file list directory") << "LastFiles/DefaultDir" << 300 << 300;
    QTest::addRow("shared image directory") << "Defaults/SharedImageDir" << 300 << 300;
    QTest::addRow("browser") << "Defaults/Browser2" << 300 << 300;
}

void TestSettings::textsAreCutButPathsAreNot()
{
    QFETCH(QString, key);
    QFETCH(int, storedLength);
    QFETCH(int, readLength);

    QString text;
    for (int i = 0; i < storedLength; ++i)
        text += QChar(u'a' + i % 26);
    {
        QSettings writer(iniPath(), QSettings::IniFormat);
        writer.setValue(key, text);
    }
    Settings settings(iniStore());
    QVERIFY(settings.ReadIni().ok());
    QCOMPARE(valueOf(settings, *findKey(key)).toString(), text.left(readLength));
}

void TestSettings::saveToUnwritableStoreFails()
{
    // A directory where the file should be: nothing can be written there.
    QVERIFY(QDir().mkpath(iniPath()));
    Settings settings(iniStore());
    settings.Defaults.TabSize = 4;
    const Result result = settings.SaveIni();
    QVERIFY(!result.ok());
    QCOMPARE(result.error(), QStringLiteral("Exception occured during SaveINI!"));
}

void TestSettings::colorFromSetting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("expected"); // invalid: not set

    QTest::addRow("red") << "255" << QColor(255, 0, 0);
    QTest::addRow("blue") << "16711680" << QColor(0, 0, 255);
    QTest::addRow("white") << "16777215" << QColor(255, 255, 255);
    QTest::addRow("mixed") << "1122867" << QColor(0x33, 0x22, 0x11);
    QTest::addRow("empty") << "" << QColor();
    QTest::addRow("garbage") << "blue" << QColor();
    QTest::addRow("hex text") << "#FF0000" << QColor();
    QTest::addRow("system colour") << "-16777211" << QColor();
    QTest::addRow("beyond 24 bits") << "16777216" << QColor();
}

void TestSettings::colorFromSetting()
{
    QFETCH(QString, text);
    QFETCH(QColor, expected);

    const std::optional<QColor> color = Settings::colorFromSetting(text);
    QCOMPARE(color.has_value(), expected.isValid());
    if (color)
        QCOMPARE(*color, expected);
}

void TestSettings::colorToSetting_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("expected");

    QTest::addRow("red") << QColor(255, 0, 0) << "255";
    QTest::addRow("blue") << QColor(0, 0, 255) << "16711680";
    QTest::addRow("mixed") << QColor(0x11, 0x22, 0x33) << "3351057";
    QTest::addRow("not rgb") << QColor::fromHsv(240, 255, 255) << "16711680";
    QTest::addRow("invalid") << QColor() << "";
}

void TestSettings::colorToSetting()
{
    QFETCH(QColor, color);
    QFETCH(QString, expected);

    QCOMPARE(Settings::colorToSetting(color), expected);
}

void TestSettings::setFiles_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");

    QTest::addRow("fewer than four")
        << QStringList { "/a.htm", "/b.htm" } << QStringList { "/a.htm", "/b.htm", "", "" };
    QTest::addRow("more than four")
        << QStringList { "/1", "/2", "/3", "/4", "/5" } << QStringList { "/1", "/2", "/3", "/4" };
    QTest::addRow("none") << QStringList {} << QStringList { "", "", "", "" };
}

void TestSettings::setFiles()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);

    LastFilesSettings lastFiles;
    lastFiles.setFiles({ "/old1", "/old2", "/old3", "/old4" });
    lastFiles.setFiles(files);
    QCOMPARE(lastFiles.files(), expected);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"

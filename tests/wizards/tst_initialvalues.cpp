// SPDX-License-Identifier: GPL-3.0-or-later
#include "testenvironment.h"
#include "wizards/initialvalues.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

const QDateTime now(QDate(2024, 3, 5), QTime(14, 7, 9));

// The comment line a page made at `now` in the C locale carries.
QString comment(const QString &text)
{
    const QLocale c = QLocale::c();
    return "<!-- " + text + " -- Created: " + c.toString(now.date(), QLocale::ShortFormat) + "  "
        + c.toString(now.time(), QLocale::LongFormat) + " -->";
}

QStringList head(const QString &title = "Web Page Title Here", const QString &author = "")
{
    return { "<HTML>",
             "<HEAD>",
             "<meta charset=\"utf-8\">",
             "<TITLE>" + title + "</TITLE>",
             "<META NAME=\"Keywords\" CONTENT=\"\">",
             "<META NAME=\"Description\" CONTENT=\"\">",
             "<META NAME=\"Generator\" CONTENT=\"Tarnwick 2.8\">",
             "<META NAME=\"Author\" CONTENT=\"" + author + "\">",
             "</HEAD>" };
}

} // namespace

class TestInitialValues final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void init();

    void pages_data();
    void pages();
    void bodyStatement_data();
    void bodyStatement();
    void projectSettings_data();
    void projectSettings();
    void copiedFiles_data();
    void copiedFiles();
    void bodySettings();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_themes;
    QString m_page;
};

void TestInitialValues::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_themes = m_dir->filePath("Program/Themes/");
    m_page = m_dir->filePath("site");
    QDir().mkpath(m_themes);
    QDir().mkpath(m_page);
}

void TestInitialValues::pages_data()
{
    QTest::addColumn<InitialValuesFields>("fields");
    QTest::addColumn<InitialValues::Paths>("paths");
    QTest::addColumn<QStringList>("lines");

    const InitialValuesFields defaults;
    const QString body = "<BODY TEXT=\"#000000\" LINK=\"#FF0000\" VLINK=\"#800080\" "
                         "ALINK=\"#000000\" BGCOLOR=\"#C0C0C0\">";
    // Theme "[None]" with no logo, heading or e-mail, centring on.
    const QStringList defaultBody { body,        comment("Comments go here"),
                                    "",          "<BASEFONT SIZE=3>",
                                    "",          "<CENTER>",
                                    "</CENTER>", "<P>",
                                    "<CENTER>",  "<BR>",
                                    "</CENTER>", "</BODY>",
                                    "</HTML>" };
    QTest::addRow("defaults") << defaults << InitialValues::Paths::Page << head() + defaultBody;

    InitialValuesFields html5 = defaults;
    html5.docType = InitialValues::docTypes().constLast();
    QTest::addRow("HTML5 document type") << html5 << InitialValues::Paths::Page
                                         << QStringList { "<!DOCTYPE html>" } + head() + defaultBody;

    InitialValuesFields full = defaults;
    full.docType = InitialValues::docTypes().at(2);
    full.title = "Shop";
    full.keywords = "toys, games";
    full.logo = "/pics/logo.gif";
    full.heading = "Welcome";
    full.headingSize = 2;
    full.headingColor = QColor(0x12, 0xab, 0xef);
    full.email = "Ann@Example.COM";
    full.greeting = "Ann's Toys";
    full.otherInformation = "Open daily.\nClosed on Sundays.\n";
    full.baseFontSize = 4;
    full.center = false;
    full.author = QString(60, 'a');
    QTest::addRow("everything, as the page holds it")
        << full << InitialValues::Paths::Page
        << QStringList { "<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML 2.0//EN\">",
                         "<HTML>",
                         "<HEAD>",
                         "<meta charset=\"utf-8\">",
                         "<TITLE>Shop</TITLE>",
                         "<META NAME=\"Keywords\" CONTENT=\"toys, games\">",
                         "<META NAME=\"Description\" CONTENT=\"\">",
                         "<META NAME=\"Generator\" CONTENT=\"Tarnwick 2.8\">",
                         "<META NAME=\"Author\" CONTENT=\"" + QString(50, 'a') + "\">",
                         "</HEAD>",
                         body,
                         comment("Comments go here"),
                         "",
                         "<BASEFONT SIZE=4>",
                         "",
                         "<IMG SRC=\"logo.gif\">",
                         "<BR>",
                         "<FONT COLOR=\"#12ABEF\">",
                         "<H2>Welcome</H2>",
                         "</FONT>",
                         "Ann's Toys",
                         "<P>",
                         "Open daily.",
                         "Closed on Sundays.",
                         "<P>",
                         "<a href=\"mailto:ann@example.com\">Click here to send us an email "
                         "message</a><p>",
                         "<BR>",
                         "</BODY>",
                         "</HTML>" };

    // The preview shows the logo where it is; the page names it beside itself.
    InitialValuesFields logo = defaults;
    logo.logo = "C:\\pics\\logo.gif";
    logo.center = false;
    for (const InitialValues::Paths paths :
         { InitialValues::Paths::Full, InitialValues::Paths::Page }) {
        const QString shown = paths == InitialValues::Paths::Full ? logo.logo : "logo.gif";
        QTest::addRow("logo with a full path, %s",
                      paths == InitialValues::Paths::Full ? "preview" : "page")
            << logo << paths << head() + QStringList { body,     comment("Comments go here"),
                                                       "",       "<BASEFONT SIZE=3>",
                                                       "",       "<IMG SRC=\"" + shown + "\">",
                                                       "<BR>",   "<P>",
                                                       "<BR>",   "</BODY>",
                                                       "</HTML>" };
    }

    InitialValuesFields theme = defaults;
    theme.theme = "ocean";
    theme.leftArrow = theme.rightArrow = theme.upArrow = theme.downArrow = theme.questionMark
        = true;
    theme.docType = "<!DOCTYPE html>"; // typed by hand
    for (const InitialValues::Paths paths :
         { InitialValues::Paths::Full, InitialValues::Paths::Page }) {
        const bool full = paths == InitialValues::Paths::Full;
        const QString dir = full ? QStringLiteral("THEMES") : QString();
        const auto image = [&](const char *prefix) -> QString {
            return "<IMG SRC=\"" + dir + prefix + "ocean.gif\">";
        };
        QTest::addRow("theme with every arrow, %s", full ? "preview" : "page")
            << theme << paths
            << QStringList { "<!DOCTYPE html>" } + head()
                + QStringList { "<BODY BACKGROUND=\"" + dir
                                    + "t_ocean.gif\"  TEXT=\"#000000\" LINK=\"#FF0000\" "
                                      "VLINK=\"#800080\" ALINK=\"#000000\" BGCOLOR=\"#C0C0C0\">",
                                comment("Comments go here"),
                                "",
                                "<BASEFONT SIZE=3>",
                                "",
                                "<CENTER>",
                                image("l_"),
                                "<BR>",
                                image("l_"),
                                "<BR>",
                                "</CENTER>",
                                "<P>",
                                "<CENTER>",
                                image("l_"),
                                "<BR>",
                                "<BR>",
                                image("w_"),
                                image("e_"),
                                image("n_"),
                                image("s_"),
                                image("q_"),
                                "<BR>",
                                "</CENTER>",
                                "</BODY>",
                                "</HTML>" };
    }
}

void TestInitialValues::pages()
{
    QFETCH(InitialValuesFields, fields);
    QFETCH(InitialValues::Paths, paths);
    QFETCH(QStringList, lines);
    const InitialValues values(m_themes, m_page);
    lines.replaceInStrings("THEMES", m_themes);
    QCOMPARE(values.generate(fields, paths, now, QLocale::c()), lines);
}

void TestInitialValues::bodyStatement_data()
{
    QTest::addColumn<InitialValuesFields>("fields");
    QTest::addColumn<QString>("body");

    InitialValuesFields bare;
    bare.textColor = bare.linkColor = bare.vLinkColor = bare.aLinkColor = bare.bgColor = "";
    QTest::addRow("nothing set") << bare << "<BODY>";

    InitialValuesFields background = bare;
    background.backgroundGraphic = "/pics/back.gif";
    background.textColor = "000000";
    QTest::addRow("background and text colour")
        << background << "<BODY BACKGROUND=\"back.gif\"  TEXT=\"#000000\">";

    InitialValuesFields margins = bare;
    margins.leftMargin = 0;
    margins.rightMargin = 15;
    margins.fixedBackground = true;
    margins.bgColor = "not hex";
    QTest::addRow("margins, fixed background, what is no colour left out")
        << margins << "<BODY LEFTMARGIN=\"0\" RIGHTMARGIN=\"15\" BGPROPERTIES=\"FIXED\" >";

    InitialValuesFields hashes = bare;
    hashes.textColor = "#FF0000";
    hashes.linkColor = "00ff00";
    hashes.bgColor = "zz<>\"q";
    QTest::addRow("colour with its hash, markup left out")
        << hashes << "<BODY TEXT=\"#FF0000\" LINK=\"#00ff00\">";

    InitialValuesFields theme = bare;
    theme.theme = "ocean";
    theme.backgroundGraphic = "mine.gif";
    QTest::addRow("own background in a theme") << theme << "<BODY BACKGROUND=\"mine.gif\" >";
}

void TestInitialValues::bodyStatement()
{
    QFETCH(InitialValuesFields, fields);
    QFETCH(QString, body);
    const InitialValues values(m_themes, m_page);
    const QStringList lines = values.generate(fields, InitialValues::Paths::Page, now);
    QCOMPARE(lines.value(head().size()), body);
}

void TestInitialValues::projectSettings_data()
{
    QTest::addColumn<QByteArray>("ini"); // "-": no PROJECT.INI
    QTest::addColumn<QStringList>("values"); // mailto, five colours, theme

    const QStringList defaults = { "", "000000", "FF0000", "800080", "000000", "C0C0C0", "[None]" };
    QTest::addRow("no file") << QByteArray("-") << defaults;
    QTest::addRow("no keys") << QByteArray("[PROJECT]\r\nWebURL=\r\n") << defaults;
    QTest::addRow("some keys") << QByteArray(
        "[project]\r\nmailto=ann@example.com\r\nlinkcolor=00FF00\r\n"
        "ThemeStyle=ocean\r\n") << QStringList { "ann@example.com", "000000", "00FF00", "800080",
                                                 "000000",          "C0C0C0", "ocean" };
    QTest::addRow("every key") << QByteArray(
        "[PROJECT]\r\nmailto=a@b\r\nTextColor=111111\r\nLinkColor=222222\r\n"
        "aLinkColor=333333\r\nvLinkColor=444444\r\nbgColor=555555\r\n"
        "ThemeStyle=\r\n") << QStringList { "a@b",    "111111", "222222", "444444",
                                            "333333", "555555", "[None]" };
    QTest::addRow("colours with a hash, one that is none")
        << QByteArray("[PROJECT]\r\nTextColor=#FF0000\r\nbgColor=zz<>\"q\r\nLinkColor=\r\n")
        << QStringList { "", "FF0000", "", "800080", "000000", "zz<>\"q", "[None]" };
}

void TestInitialValues::projectSettings()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, values);
    if (ini != "-")
        QVERIFY(TestEnvironment::writeFile(m_page + "/PROJECT.INI", ini));
    const InitialValuesFields f = InitialValues::fromProjectSettings(m_page);
    QCOMPARE(QStringList({ f.email, f.textColor, f.linkColor, f.vLinkColor, f.aLinkColor, f.bgColor,
                           f.theme }),
             values);
}

void TestInitialValues::copiedFiles_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QStringList>("copied"); // names beside the page afterwards

    QTest::addRow("theme with all its images")
        << "ocean" << QStringList { "back.gif",    "e_ocean.gif", "index.htm",   "l_ocean.gif",
                                    "logo.gif",    "n_ocean.gif", "q_ocean.gif", "s_ocean.gif",
                                    "t_ocean.gif", "w_ocean.gif" };
    QTest::addRow("no theme") << "[None]" << QStringList { "back.gif", "index.htm", "logo.gif" };
}

// Finish copies the pictures beside the page and keeps what is already there.
void TestInitialValues::copiedFiles()
{
    QFETCH(QString, theme);
    QFETCH(QStringList, copied);
    for (const char *prefix : { "t_", "l_", "w_", "e_", "n_", "s_", "q_" })
        QVERIFY(TestEnvironment::writeFile(m_themes + prefix + "ocean.gif", prefix));
    // What a mask would take in: "[None]" read as a set of characters, longer names.
    QVERIFY(TestEnvironment::writeFile(m_themes + "t_e.gif", "mask"));
    QVERIFY(TestEnvironment::writeFile(m_themes + "t_oceanic.gif", "longer"));
    QVERIFY(TestEnvironment::writeFile(m_page + "/pics/back.gif", "background"));
    QVERIFY(TestEnvironment::writeFile(m_dir->filePath("elsewhere/logo.gif"), "new logo"));
    QVERIFY(TestEnvironment::writeFile(m_page + "/logo.gif", "old logo"));
    QVERIFY(TestEnvironment::writeFile(m_page + "/index.htm", ""));

    InitialValuesFields fields;
    fields.theme = theme;
    fields.backgroundGraphic = "pics/back.gif"; // beside the page, in a folder
    fields.logo = m_dir->filePath("elsewhere/logo.gif");
    InitialValues(m_themes, m_page).copyFiles(fields);

    QStringList files = QDir(m_page).entryList(QDir::Files);
    files.sort();
    QCOMPARE(files, copied);
    QCOMPARE(TestEnvironment::readFile(m_page + "/logo.gif"), QByteArray("old logo"));
    QCOMPARE(TestEnvironment::readFile(m_page + "/back.gif"), QByteArray("background"));
    if (theme == "ocean")
        QCOMPARE(TestEnvironment::readFile(m_page + "/q_ocean.gif"), QByteArray("q_"));
}

void TestInitialValues::bodySettings()
{
    InitialValuesFields fields;
    fields.textColor = "#102030";
    fields.linkColor = "";
    fields.vLinkColor = "ABCDEF";
    fields.aLinkColor = "zz";
    fields.bgColor = "FFFFFF";
    fields.theme = "ocean";
    BodySettings remembered;
    remembered.leftMargin = 10;
    const BodySettings body = InitialValues(m_themes, m_page).bodySettings(fields, remembered);
    QCOMPARE(body.text, QColor(0x10, 0x20, 0x30));
    QCOMPARE(body.link, QColor(Qt::black));
    QCOMPARE(body.visitedLink, QColor(0xab, 0xcd, 0xef));
    QCOMPARE(body.activeLink, QColor(Qt::black));
    QCOMPARE(body.background, QColor(Qt::white));
    QCOMPARE(body.image, m_themes + "t_ocean.gif");
    QCOMPARE(body.leftMargin, 10);

    fields.backgroundGraphic = "back.gif";
    QCOMPARE(InitialValues(m_themes, m_page).bodySettings(fields, remembered).image,
             m_page + "/back.gif");
}

QTEST_GUILESS_MAIN(TestInitialValues)
#include "tst_initialvalues.moc"

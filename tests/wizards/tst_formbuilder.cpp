// SPDX-License-Identifier: GPL-3.0-or-later
#include "lockeddirectory.h"
#include "testenvironment.h"
#include "wizards/formbuilder.h"
#include "wizards/formdefinition.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

Q_DECLARE_METATYPE(Tarnwick::FormOptions)

namespace {

FormOptions options(bool table, bool preformat)
{
    FormOptions o;
    o.mailTo = "ann@example.com";
    o.tableFormat = table;
    o.preformat = preformat;
    return o;
}

} // namespace

class TestFormBuilder final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void oneTextField();
    void tableFormat();
    void fieldKinds_data();
    void fieldKinds();
    void listBoxAlone();
    void emptyListBuildsNothing();
    void barRefused();
    void definitionRoundTrip();
    void malformedDefinition_data();
    void malformedDefinition();
    void failedSaveKeepsTheOldFile();
};

void TestFormBuilder::oneTextField()
{
    const QStringList lines
        = FormBuilder::build({ "DE|name|Your name:|20|0" }, options(false, false));
    const QStringList expected {
        "<FORM METHOD=\"POST\" ACTION=\"mailto:ann@example.com\" >",
        "Your name:  <INPUT TYPE=\"text\" NAME=\"name\" SIZE=20><BR>",
        "<P ALIGN=\"CENTER\">",
        "<INPUT TYPE=\"submit\" VALUE=\"Submit Form\">",
        "<INPUT TYPE=\"reset\" VALUE=\"Reset Form\">",
        "</P>",
        "</FORM>",
    };
    QCOMPARE(lines, expected);
}

// Hidden fields stay outside the table's rows.
void TestFormBuilder::tableFormat()
{
    FormOptions o = options(true, false);
    o.submitText = "Send \"it\"";
    const QStringList lines = FormBuilder::build({ "HD|id|7", "CB|ok|yes|Agree|1" }, o);
    const QStringList expected {
        "<FORM METHOD=\"POST\" ACTION=\"mailto:ann@example.com\" >",
        "<TABLE >",
        "<INPUT TYPE=\"HIDDEN\" NAME=\"id\" VALUE=\"7\">",
        "<TR><TD></TD><TD VALIGN=\"TOP\"><INPUT TYPE=\"checkbox\" NAME=\"ok\" VALUE=\"yes\" "
        "CHECKED> Agree<BR></TD></TR>",
        "<TR>",
        "<TD COLSPAN=\"2\">",
        "<P ALIGN=\"CENTER\">",
        "<INPUT TYPE=\"submit\" VALUE=\"Send &quot;it&quot;\">",
        "<INPUT TYPE=\"reset\" VALUE=\"Reset Form\">",
        "</P>",
        "</TD>",
        "</TR>",
        "</TABLE>",
        "</FORM>",
    };
    QCOMPARE(lines, expected);
}

void TestFormBuilder::fieldKinds_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("table");
    QTest::addColumn<bool>("preformat");
    QTest::addColumn<QStringList>("lines");

    const QString cb = "<INPUT TYPE=\"checkbox\" NAME=\"a\" VALUE=\"v\"> Cap<BR>";
    QTest::addRow("check box") << "CB|a|v|Cap|0" << false << false << QStringList { cb };
    QTest::addRow("check box, preformat")
        << "CB|a|v|Cap|0" << false << true << QStringList { "<PRE>" + cb + "</PRE>" };
    QTest::addRow("check box, both")
        << "CB|a|v|Cap|0" << true << true
        << QStringList { "<TR><TD></TD><TD VALIGN=\"TOP\"><PRE>" + cb + "</PRE></TD></TR>" };
    QTest::addRow("radio button, default, quote in the value")
        << "RG|grp|say \"hi\"|Hi|1" << false << false
        << QStringList { "<INPUT TYPE=\"radio\" NAME=\"grp\" VALUE=\"say &quot;hi&quot;\" "
                         "CHECKED> Hi<BR>" };
    QTest::addRow("hidden, preformat") << "HD|k|v" << true << true
                                       << QStringList { "<PRE><INPUT TYPE=\"HIDDEN\" NAME=\"k\" "
                                                        "VALUE=\"v\"></PRE>" };
    QTest::addRow("password field, table")
        << "DE|pw|Password:|8|1" << true << false
        << QStringList { "<TR><TD VALIGN=\"TOP\">Password:</TD><TD VALIGN=\"TOP\">  <INPUT "
                         "TYPE=\"password\" NAME=\"pw\" SIZE=8><BR></TD></TR>" };
    QTest::addRow("entry field, length no number")
        << "DE|n|Name|x|0" << false << true
        << QStringList { "<PRE>Name  <INPUT TYPE=\"text\" NAME=\"n\" SIZE=0><BR></PRE>" };
    QTest::addRow("text area")
        << "TA|note|Comments|40|5" << false << false
        << QStringList { "Comments<BR><TEXTAREA NAME=\"note\" ROWS=5 COLS=40></TEXTAREA><BR><P>" };
    QTest::addRow("text area, both")
        << "TA|note|Comments|40|5" << true << true
        << QStringList { "<TR><TD VALIGN=\"TOP\"><PRE>Comments</TD><TD VALIGN=\"TOP\"><BR>"
                         "<TEXTAREA NAME=\"note\" ROWS=5 COLS=40></TEXTAREA><BR><P></PRE>"
                         "</TD></TR>" };
    QTest::addRow("page text, every style")
        << "PT|1|1|1|1|3|Hello" << false << true
        << QStringList { "<FONT SIZE=3><PRE><U><I><B>Hello</B></I></U></PRE></FONT><BR>" };
    QTest::addRow("page text, table")
        << "PT|0|0|0|0|0|Hello" << true << false
        << QStringList { "<TR><TD COLSPAN=\"2\">Hello<BR></TD></TR>" };
    QTest::addRow("list box of three")
        << "LB|fruit|Fruit:|1|0|2|apple|banana|cherry|" << false << false
        << QStringList { "Fruit:   <SELECT NAME=\"fruit\" Size=2>", "<OPTION SELECTED>apple",
                         "<OPTION>banana", "<OPTION>cherry", "</SELECT><BR>" };
    QTest::addRow("list box, multiple, both options")
        << "LB|f|F|0|1|3|one|" << true << true
        << QStringList { "<TR>",
                         "<TD VALIGN=\"TOP\">",
                         "<PRE>F</TD><TD VALIGN=\"TOP\">   <SELECT NAME=\"f\" Multiple Size=3>",
                         "<OPTION SELECTED>one",
                         "</SELECT><BR>",
                         "</PRE>",
                         "</TD></TR>" };
    QTest::addRow("unknown kind") << "XX|a|b" << true << true << QStringList();
}

void TestFormBuilder::fieldKinds()
{
    QFETCH(QString, record);
    QFETCH(bool, table);
    QFETCH(bool, preformat);
    QFETCH(QStringList, lines);
    QCOMPARE(FormBuilder::fieldLines(record, options(table, preformat)), lines);
}

void TestFormBuilder::listBoxAlone()
{
    QCOMPARE(FormBuilder::fieldAlone("LB|f|F|0|0|1|a|b|", options(true, true)),
             QStringList({ "   <SELECT NAME=\"f\" Size=1>", "<OPTION SELECTED>a", "<OPTION>b",
                           "</SELECT><BR>" }));
    QCOMPARE(FormBuilder::fieldAlone("HD|k|v", options(false, false)),
             QStringList { "<INPUT TYPE=\"HIDDEN\" NAME=\"k\" VALUE=\"v\">" });
}

void TestFormBuilder::emptyListBuildsNothing()
{
    QCOMPARE(FormBuilder::build({}, options(true, true)), QStringList());
}

void TestFormBuilder::barRefused()
{
    QVERIFY(FormBuilder::checkValue("plain value").ok());
    const Result refused = FormBuilder::checkValue("a|b");
    QVERIFY(!refused.ok());
    QCOMPARE(refused.error(),
             QStringLiteral("The character \"|\" cannot be used in a form field: \"a|b\""));
    QCOMPARE(FormBuilder::record("DE", { "n", "two\nlines", "20", "0" }),
             QStringLiteral("DE|n|two lines|20|0"));
}

void TestFormBuilder::definitionRoundTrip()
{
    QTemporaryDir dir;
    const QStringList records { "CB|a|v|Größe|1", "LB|f|F|1|0|2|x|y|", "PT|0|0|0|0|0|" };
    const QString path = dir.filePath("f.frm");
    QVERIFY(FormDefinition::write(path, records));
    QCOMPARE(TestEnvironment::readFile(path),
             QStringLiteral("CB|a|v|Größe|1\r\nLB|f|F|1|0|2|x|y|\r\nPT|0|0|0|0|0|\r\n").toUtf8());
    const Expected<QStringList> read = FormDefinition::read(path);
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read.value(), records);
    QCOMPARE(FormDefinition::withExtension(dir.filePath("x")), dir.filePath("x.frm"));
}

void TestFormBuilder::malformedDefinition_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::addRow("unknown kind") << QByteArray("CB|a|b|c|0\r\nZZ|x\r\n")
                                  << "bad.frm, line 2: this is no form field record.";
    QTest::addRow("blank line") << QByteArray("\r\nCB|a|b|c|0\r\n")
                                << "bad.frm, line 1: this is no form field record.";
    QTest::addRow("lower-case kind")
        << QByteArray("cb|a|b|c|0\n") << "bad.frm, line 1: this is no form field record.";
}

void TestFormBuilder::malformedDefinition()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const Expected<QStringList> read = FormDefinition::parse(bytes, "/d/bad.frm");
    QVERIFY(!read.ok());
    QCOMPARE(read.error(), error);
}

void TestFormBuilder::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ro/f.frm");
    TestEnvironment::writeFile(path, "old");
    LockedDirectory lock(dir.filePath("ro"));
    if (!lock.locked())
        QSKIP("the directory cannot be made read-only here");
    QVERIFY(!FormDefinition::write(path, { "HD|a|b" }).ok());
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("old"));
}

QTEST_GUILESS_MAIN(TestFormBuilder)
#include "tst_formbuilder.moc"

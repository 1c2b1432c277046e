// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/attributevalue.h"

#include <QTest>

using namespace Tarnwick;

// Attribute values as users write them.
class TestAttributeValue final : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
};

void TestAttributeValue::read_data()
{
    QTest::addColumn<QString>("tag"); // the attribute name ends right before "|"
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<QString>("rest"); // what follows the value

    QTest::addRow("double quotes") << "<img src|=\"a b.gif\" alt=x>"
                                   << "a b.gif" << true << " alt=x>";
    QTest::addRow("single quotes") << "<img src|='a.gif'>"
                                   << "a.gif" << true << ">";
    QTest::addRow("no quotes, ends at blank") << "<img src|=a.gif alt=x>"
                                              << "a.gif" << true << " alt=x>";
    QTest::addRow("no quotes, ends at >") << "<a href|=page.htm>x</a>"
                                          << "page.htm" << true << ">x</a>";
    QTest::addRow("blanks around =") << "<img src| = \"a.gif\" >"
                                     << "a.gif" << true << " >";
    QTest::addRow("line break before =") << "<img src|\n=\n'a.gif'>"
                                         << "a.gif" << true << ">";
    QTest::addRow("double quote inside single quotes") << "<p title|='say \"hi\"'>"
                                                       << "say \"hi\"" << true << ">";
    QTest::addRow("lone double quote is empty") << "<img src|=\">"
                                                << "" << true << ">";
    QTest::addRow("lone single quote is empty") << "<img src|='>"
                                                << "" << true << ">";
    QTest::addRow("empty quotes") << "<img src|=\"\" alt>"
                                  << "" << true << " alt>";
    QTest::addRow("unclosed quote ends as an unquoted value") << "<img src|=\"a.gif>\n<b>\""
                                                              << "a.gif" << true << ">\n<b>\"";
    QTest::addRow("unclosed quote ends at another quote") << "<img src|='a.gif\" alt=x>"
                                                          << "a.gif" << true << "\" alt=x>";
    QTest::addRow("= then >") << "<a href|=>"
                              << "" << true << ">";
    QTest::addRow("name without value") << "<input checked| value=1>"
                                        << "" << false << " value=1>";
    QTest::addRow("end of text after =") << "<img src|="
                                         << "" << true << "";
}

void TestAttributeValue::read()
{
    QFETCH(QString, tag);
    QFETCH(QString, value);
    QFETCH(bool, hasValue);
    QFETCH(QString, rest);
    const qsizetype afterName = tag.indexOf(QLatin1Char('|'));
    tag.remove(afterName, 1);
    const AttributeValue read = AttributeValue::read(tag, afterName);
    QCOMPARE(read.value, value);
    QCOMPARE(read.hasValue, hasValue);
    QCOMPARE(tag.mid(read.end), rest);
    if (!value.isEmpty())
        QCOMPARE(tag.mid(read.start, value.size()), value);
}

QTEST_GUILESS_MAIN(TestAttributeValue)
#include "tst_attributevalue.moc"

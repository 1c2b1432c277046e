// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagposition.h"

#include <QTest>

using namespace Tarnwick;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(LineColumn)

class TagPositionTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inATag_data();
    void inATag();
    void body_data();
    void body();
    void lineColumns_data();
    void lineColumns();
};

void TagPositionTest::inATag_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("inside");
    QTest::addRow("between <B and >") << "x <B> y" << 4 << true;
    QTest::addRow("right behind <") << "x <B> y" << 3 << true;
    QTest::addRow("in front of <") << "x <B> y" << 2 << false;
    QTest::addRow("plain text after </B>") << "<B>bold</B> text" << 14 << false;
    QTest::addRow("between two tags") << "<B>bold</B>" << 5 << false;
    QTest::addRow("end of a line inside an open tag") << "<A HREF=\"x\"" << 11 << true;
    QTest::addRow("tag spanning lines counts as outside") << "HREF=\"x\">" << 0 << true;
    QTest::addRow("empty line") << "" << 0 << false;
    QTest::addRow("column past the end") << "<B" << 40 << true;
    const QString text(300, u'x');
    QTest::addRow("far into a long tag") << u"<P>"_s + text + u" >"_s << 200 << true;
    QTest::addRow("far behind a long tag") << u"<P "_s + text + u"> "_s + text << 500 << false;
    QTest::addRow("far from any tag") << text + u"<B>"_s << 100 << false;
}

void TagPositionTest::inATag()
{
    QFETCH(QString, line);
    QFETCH(int, column);
    QFETCH(bool, inside);
    QCOMPARE(TagPosition::InATag(line, column), inside);

    // Any window around the column either cannot tell or tells the same.
    const int caret = std::clamp(column, 0, int(line.size()));
    for (int from = 0; from <= caret; ++from) {
        for (int to = caret; to <= line.size(); ++to) {
            const std::optional<bool> answer = TagPosition::InATagWithin(
                QStringView(line).mid(from, to - from), caret - from, from == 0, to == line.size());
            if (answer)
                QCOMPARE(*answer, inside);
            else
                QVERIFY(from > 0 || to < line.size());
        }
    }
}

void TagPositionTest::body_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<LineColumn>("caret");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<int>("closings");

    const QString page = "<HTML>\n<BODY BGCOLOR=\"#FFFFFF\">\ntext\n</BODY>\n</HTML>";
    QTest::addRow("upper case, in the text") << page << LineColumn { 3, 2 } << true << 1;
    QTest::addRow("right behind the body tag") << page << LineColumn { 2, 24 } << true << 1;
    QTest::addRow("inside the body tag") << page << LineColumn { 2, 3 } << false << 1;
    QTest::addRow("in the head") << page << LineColumn { 1, 2 } << false << 1;
    QTest::addRow("right in front of </body>") << page << LineColumn { 4, 0 } << true << 1;
    QTest::addRow("right behind </body>") << page << LineColumn { 4, 7 } << false << 1;
    QTest::addRow("body tag at the very start")
        << "<body>x</body>" << LineColumn { 1, 6 } << true << 1;
    QTest::addRow("no body tag: outside") << "<p>text</p>" << LineColumn { 1, 4 } << false << 0;
    QTest::addRow("no closing tag: body runs to the end")
        << "<body>\ntext" << LineColumn { 2, 4 } << true << 0;
    QTest::addRow("two closings: the second counts")
        << "<body>a</body>b</body>c" << LineColumn { 1, 14 } << true << 2;
    QTest::addRow("two closings: behind the second")
        << "<body>a</body>b</body>c" << LineColumn { 1, 22 } << false << 2;
    QTest::addRow("three closings still count two")
        << "<body></body></body></body>" << LineColumn { 1, 6 } << true << 2;
    QTest::addRow("bodyx is no body") << "<bodyx>a" << LineColumn { 1, 8 } << false << 0;
    QTest::addRow("closing tag before the body is no closing")
        << "</body><body>a" << LineColumn { 1, 14 } << true << 0;
    QTest::addRow("lone carriage returns end lines")
        << "<body>\ra\r</body>" << LineColumn { 3, 0 } << true << 1;
}

void TagPositionTest::body()
{
    QFETCH(QString, text);
    QFETCH(LineColumn, caret);
    QFETCH(bool, inside);
    QFETCH(int, closings);
    const TagPosition::Body body = TagPosition::findBody(text);
    QCOMPARE(body.closings, closings);
    QCOMPARE(TagPosition::insideBody(body, caret), inside);
}

void TagPositionTest::lineColumns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<LineColumn>("place");
    QTest::addRow("start") << "ab\ncd" << 0 << LineColumn { 1, 0 };
    QTest::addRow("end of the first line") << "ab\ncd" << 2 << LineColumn { 1, 2 };
    QTest::addRow("second line") << "ab\ncd" << 4 << LineColumn { 2, 1 };
    QTest::addRow("CR LF is one break") << "ab\r\ncd" << 5 << LineColumn { 2, 1 };
    QTest::addRow("lone CR") << "ab\rcd" << 3 << LineColumn { 2, 0 };
    QTest::addRow("surrogate pairs count two") << "\U0001F600x" << 3 << LineColumn { 1, 3 };
}

void TagPositionTest::lineColumns()
{
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(LineColumn, place);
    QCOMPARE(TextLines::lineColumnAt(text, offset), place);
    QCOMPARE(TextLines::offsetOf(text, place), qsizetype(offset));
}

QTEST_GUILESS_MAIN(TagPositionTest)
#include "tst_tagposition.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/completioncontext.h"
#include "tags/htmlvocabulary.h"

#include <QTest>

using namespace Tarnwick;
using namespace Qt::StringLiterals;

using Kind = Completion::Kind;
Q_DECLARE_METATYPE(Completion::Kind)

class CompletionContextTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void offered_data();
    void offered();
    void elementsOfBothVersions();
    void openElementFarBack();
};

void CompletionContextTest::offered_data()
{
    QTest::addColumn<QString>("before"); // the text before the caret
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("exact"); // the whole list, when given
    QTest::addColumn<QStringList>("contains");
    QTest::addColumn<QStringList>("lacks");
    const QStringList none;

    // After "<": the elements, in the page's case.
    QTest::addRow("start of a file") << u"<"_s << Kind::ElementName << QString() << none
                                     << QStringList { "a", "html", "table" } << QStringList { "A" };
    QTest::addRow("after < in a lower-case page")
        << u"<html>\n<body>\n<"_s << Kind::ElementName << QString() << none
        << QStringList { "div", "td" } << QStringList { "DIV" };
    QTest::addRow("after < in an upper-case page")
        << u"<HTML>\n<BODY>\n<"_s << Kind::ElementName << QString() << none
        << QStringList { "DIV", "TD" } << QStringList { "div" };
    QTest::addRow("mostly upper case wins")
        << u"<HTML><body><P><B>x</B></P><"_s << Kind::ElementName << QString() << none
        << QStringList { "TABLE" } << none;
    QTest::addRow("mostly lower case wins") << u"<HTML><body><p>x</p><div><"_s << Kind::ElementName
                                            << QString() << none << QStringList { "table" } << none;
    QTest::addRow("as many of each: lower case")
        << u"<HTML><body><"_s << Kind::ElementName << QString() << none << QStringList { "table" }
        << QStringList { "TABLE" };
    QTest::addRow("after <t") << u"<p>\n<t"_s << Kind::ElementName << u"t"_s
                              << QStringList { "table", "tbody", "td",    "template", "textarea",
                                               "tfoot", "th",    "thead", "time",     "title",
                                               "tr",    "track", "tt" }
                              << none << none;
    QTest::addRow("capitals typed into an empty page")
        << u"<TA"_s << Kind::ElementName << u"TA"_s << QStringList { "TABLE" } << none << none;
    QTest::addRow("prefix matching no element")
        << u"<qx"_s << Kind::None << QString() << none << none << none;
    QTest::addRow("< before a digit is text")
        << u"a <1"_s << Kind::None << QString() << none << none << none;
    QTest::addRow("< and a blank is text")
        << u"a < "_s << Kind::None << QString() << none << none << none;
    QTest::addRow("after a DOCTYPE") << u"<!DOCTYPE html>\n<"_s << Kind::ElementName << QString()
                                     << none << QStringList { "html" } << none;

    // After a blank in a start tag: the element's attributes and the global ones.
    QTest::addRow("inside <table ")
        << u"<table "_s << Kind::AttributeName << QString() << none
        << QStringList { "align", "bgcolor", "border", "cellpadding", "width", "class", "id" }
        << QStringList { "href", "src", "BORDER" };
    QTest::addRow("inside <TABLE ")
        << u"<TABLE "_s << Kind::AttributeName << QString() << none
        << QStringList { "BORDER", "CELLSPACING", "STYLE" } << QStringList { "border" };
    QTest::addRow("attribute prefix") << u"<table b"_s << Kind::AttributeName << u"b"_s
                                      << QStringList { "bgcolor", "border" } << none << none;
    QTest::addRow("attributes written already are left out")
        << u"<table border=\"1\" Width=50 "_s << Kind::AttributeName << QString() << none
        << QStringList { "cellpadding" } << QStringList { "border", "width" };
    QTest::addRow("on the next line of a tag")
        << u"<BODY BACKGROUND=\"back.gif\"\n"_s << Kind::AttributeName << QString() << none
        << QStringList { "TEXT", "BGCOLOR" } << QStringList { "BACKGROUND" };
    QTest::addRow("after a boolean attribute")
        << u"<input checked "_s << Kind::AttributeName << QString() << none
        << QStringList { "type", "name" } << QStringList { "checked" };
    QTest::addRow("unknown element: the global attributes")
        << u"<blink "_s << Kind::AttributeName << QString() << none
        << QStringList { "class", "id", "style" } << QStringList { "href" };
    QTest::addRow("right after a value, without a blank")
        << u"<p align=\"left\"c"_s << Kind::None << QString() << none << none << none;
    QTest::addRow("in an end tag") << u"</p "_s << Kind::None << QString() << none << none << none;
    QTest::addRow("in the tag name") << u"<table"_s << Kind::ElementName << u"table"_s
                                     << QStringList { "table" } << none << none;

    // After `="`: the closed set of values.
    QTest::addRow("after ALIGN=\" of a paragraph")
        << u"<P ALIGN=\""_s << Kind::AttributeValue << QString()
        << QStringList { "CENTER", "JUSTIFY", "LEFT", "RIGHT" } << none << none;
    QTest::addRow("align of an image")
        << u"<img align=\""_s << Kind::AttributeValue << QString()
        << QStringList { "bottom", "left", "middle", "right", "top" } << none << none;
    QTest::addRow("single quote and a prefix")
        << u"<td valign='b"_s << Kind::AttributeValue << u"b"_s
        << QStringList { "baseline", "bottom" } << none << none;
    QTest::addRow("METHOD of a form") << u"<FORM METHOD=\""_s << Kind::AttributeValue << QString()
                                      << QStringList { "DIALOG", "GET", "POST" } << none << none;
    QTest::addRow("TYPE of an input") << u"<input type=\"ch"_s << Kind::AttributeValue << u"ch"_s
                                      << QStringList { "checkbox" } << none << none;
    QTest::addRow("TYPE of a button")
        << u"<button type=\""_s << Kind::AttributeValue << QString()
        << QStringList { "button", "reset", "submit" } << none << none;
    QTest::addRow("list numbering keeps its case")
        << u"<OL TYPE=\""_s << Kind::AttributeValue << QString()
        << QStringList { "1", "A", "I", "a", "i" } << none << none;
    QTest::addRow("MIME types keep their case")
        << u"<FORM ENCTYPE=\"m"_s << Kind::AttributeValue << u"m"_s
        << QStringList { "multipart/form-data" } << none << none;
    QTest::addRow("dir of any element") << u"<span dir=\""_s << Kind::AttributeValue << QString()
                                        << QStringList { "auto", "ltr", "rtl" } << none << none;
    QTest::addRow("free value") << u"<a href=\""_s << Kind::None << QString() << none << none
                                << none;
    QTest::addRow("value outside the set")
        << u"<p align=\"x"_s << Kind::None << QString() << none << none << none;
    QTest::addRow("unquoted value")
        << u"<p align="_s << Kind::None << QString() << none << none << none;

    // After "</": the innermost open element.
    QTest::addRow("after </ with nested open elements")
        << u"<html><body><table><tr><td>x</td></tr><tr><td>y</"_s << Kind::ClosingTag << QString()
        << QStringList { "td" } << none << none;
    QTest::addRow("void elements are skipped")
        << u"<div><p>Text<br><img src=\"a.gif\"><HR></"_s << Kind::ClosingTag << QString()
        << QStringList { "p" } << none << none;
    QTest::addRow("closed elements are skipped")
        << u"<div><p>one</p><span>two</span></"_s << Kind::ClosingTag << QString()
        << QStringList { "div" } << none << none;
    QTest::addRow("as the start tag was written")
        << u"<TABLE><TR><TD>x</TD></TR></"_s << Kind::ClosingTag << QString()
        << QStringList { "TABLE" } << none << none;
    QTest::addRow("a new item ends the open one")
        << u"<ul>\n<li>one\n<li>two</li>\n</"_s << Kind::ClosingTag << QString()
        << QStringList { "ul" } << none << none;
    QTest::addRow("a block ends the open paragraph")
        << u"<div><p>one<div>x</div></"_s << Kind::ClosingTag << QString() << QStringList { "div" }
        << none << none;
    QTest::addRow("end tag closes what is open inside")
        << u"<div><span><b>x</span></"_s << Kind::ClosingTag << QString() << QStringList { "div" }
        << none << none;
    QTest::addRow("self-closed tags are skipped")
        << u"<div><br /><span/></"_s << Kind::ClosingTag << QString() << QStringList { "div" }
        << none << none;
    QTest::addRow("closing prefix")
        << u"<table></t"_s << Kind::ClosingTag << u"t"_s << QStringList { "table" } << none << none;
    QTest::addRow("closing prefix of another element")
        << u"<table></x"_s << Kind::None << QString() << none << none << none;
    QTest::addRow("nothing open") << u"<p>x</p></"_s << Kind::None << QString() << none << none
                                  << none;
    QTest::addRow("text beyond the Basic Latin")
        << u"<p>Gr\u00fc\u00dfe \U0001F600</"_s << Kind::ClosingTag << QString()
        << QStringList { "p" } << none << none;

    // Comments, scripts and other text without tags: nothing.
    QTest::addRow("in a comment") << u"<!-- <"_s << Kind::None << QString() << none << none << none;
    QTest::addRow("in a comment's tag")
        << u"<p><!-- <table "_s << Kind::None << QString() << none << none << none;
    QTest::addRow("after a comment") << u"<!-- <b> --><"_s << Kind::ElementName << QString() << none
                                     << QStringList { "b" } << none;
    QTest::addRow("comment's end tag is no end tag")
        << u"<div><!-- </div> --></"_s << Kind::ClosingTag << QString() << QStringList { "div" }
        << none << none;
    QTest::addRow("in a script") << u"<script>if (a <"_s << Kind::None << QString() << none << none
                                 << none;
    QTest::addRow("markup in a script string")
        << u"<script>\nvar s = '<div "_s << Kind::None << QString() << none << none << none;
    QTest::addRow("in a style") << u"<style>p { color: red }\n<"_s << Kind::None << QString()
                                << none << none << none;
    QTest::addRow("the script's own end tag")
        << u"<SCRIPT>x = 1;</sc"_s << Kind::ClosingTag << u"sc"_s << QStringList { "SCRIPT" }
        << none << none;
    QTest::addRow("after a script") << u"<script>a<b</script>\n<"_s << Kind::ElementName
                                    << QString() << none << QStringList { "p" } << none;
    QTest::addRow("in a title") << u"<title>A <"_s << Kind::None << QString() << none << none
                                << none;
    QTest::addRow("a title's end") << u"<title>A</"_s << Kind::ClosingTag << QString()
                                   << QStringList { "title" } << none << none;
    QTest::addRow("in a processing instruction")
        << u"<?xml "_s << Kind::None << QString() << none << none << none;
    QTest::addRow("in a DOCTYPE") << u"<!DOC"_s << Kind::None << QString() << none << none << none;
    QTest::addRow("in text") << u"<p>Hello "_s << Kind::None << QString() << none << none << none;
    QTest::addRow("empty text") << QString() << Kind::None << QString() << none << none << none;
}

void CompletionContextTest::offered()
{
    QFETCH(QString, before);
    QFETCH(Kind, kind);
    QFETCH(QString, prefix);
    QFETCH(QStringList, exact);
    QFETCH(QStringList, contains);
    QFETCH(QStringList, lacks);

    const Completion found = CompletionContext::at(before);
    QCOMPARE(found.kind, kind);
    if (kind == Kind::None) {
        QVERIFY(found.entries.isEmpty());
        return;
    }
    QCOMPARE(found.prefix, prefix);
    // The typed part runs from its start to the caret.
    QCOMPARE(found.start, before.size() - prefix.size());
    QCOMPARE(before.mid(found.start), prefix);
    if (!exact.isEmpty())
        QCOMPARE(found.entries, exact);
    for (const QString &entry : std::as_const(contains))
        QVERIFY2(found.entries.contains(entry), qPrintable(entry));
    for (const QString &entry : std::as_const(lacks))
        QVERIFY2(!found.entries.contains(entry), qPrintable(entry));
    // Every entry fits what is typed; the list is sorted and without repeats.
    for (const QString &entry : std::as_const(found.entries))
        QVERIFY2(entry.startsWith(prefix, Qt::CaseInsensitive), qPrintable(entry));
    QStringList sorted = found.entries;
    sorted.sort();
    sorted.removeDuplicates();
    QCOMPARE(found.entries, sorted);
}

void CompletionContextTest::elementsOfBothVersions()
{
    const QStringList offered = CompletionContext::at(u"<"_s).entries;
    QCOMPARE(offered, HtmlVocabulary::elements());
    // HTML 4's presentational and frame elements as well as HTML5's.
    for (const char *name :
         { "font", "center", "frameset", "frame", "applet", "section", "video", "template" })
        QVERIFY2(offered.contains(QLatin1String(name)), name);
    for (const QString &name : offered) {
        QVERIFY2(!HtmlVocabulary::attributes(name).isEmpty(), qPrintable(name));
        QVERIFY(HtmlVocabulary::isElement(name.toUpper()));
    }
}

void CompletionContextTest::openElementFarBack()
{
    // A long page between the open element and the caret: the text handed
    // in is read whole, so the element is still found.
    QString page = u"<BODY>\n<DIV>\n"_s;
    for (int i = 0; i < 1000; ++i)
        page += u"<P>Line <B>bold</B> and <A HREF=\"x.htm\">link</A></P>\n"_s;
    page += u"</"_s;
    QVERIFY(page.size() < CompletionContext::reach);
    const Completion found = CompletionContext::at(page);
    QCOMPARE(found.kind, Kind::ClosingTag);
    QCOMPARE(found.entries, QStringList { u"DIV"_s });
}

QTEST_GUILESS_MAIN(CompletionContextTest)
#include "tst_completioncontext.moc"

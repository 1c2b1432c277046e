// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "tags/tagcompletion.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>

using namespace Tarnwick;
using namespace Qt::StringLiterals;

namespace {

// Types text key by key; "\n" is Enter, "\t" Tab, "\x1b" Escape, "\b" Backspace,
// "\x1f" the Down key.
void typeKeys(QWidget *widget, const QString &keys)
{
    for (QChar c : keys) {
        if (c == u'\n')
            QTest::keyClick(widget, Qt::Key_Return);
        else if (c == u'\t')
            QTest::keyClick(widget, Qt::Key_Tab);
        else if (c == u'\x1b')
            QTest::keyClick(widget, Qt::Key_Escape);
        else if (c == u'\b')
            QTest::keyClick(widget, Qt::Key_Backspace);
        else if (c == u'\x1f')
            QTest::keyClick(widget, Qt::Key_Down);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
}

// The text with "|" where the caret goes.
void putText(EditorControl &editor, const QString &marked)
{
    const qsizetype caret = marked.indexOf(u'|');
    QString text = marked;
    text.remove(caret, 1);
    editor.SetText(text);
    const QString before = text.left(caret);
    editor.StartLine = editor.EndLine = int(before.count(u'\n')) + 1;
    editor.StartPos = editor.EndPos = int(caret - (before.lastIndexOf(u'\n') + 1));
    editor.ApplySelection();
}

QString withCaret(EditorControl &editor)
{
    editor.ReadSelection();
    QStringList lines = editor.Text().split(u'\n');
    lines[editor.EndLine - 1].insert(editor.EndPos, u'|');
    return lines.join(u'\n');
}

} // namespace

class TagCompletionTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosing_data();
    void choosing();
    void listOnShow_data();
    void listOnShow();
    void offNothingOffered();
    void enterChoosesWithoutReachingKeyHandlers();
    void composedCharacters();
};

void TagCompletionTest::choosing_data()
{
    QTest::addColumn<QString>("text"); // "|" is the caret
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");

    QTest::addRow("element at the start of a file") << u"|"_s << u"<ta\n"_s << u"<table|"_s;
    QTest::addRow("element in the page's upper case")
        << u"<HTML>\n<BODY>\n|"_s << u"<ta\n"_s << u"<HTML>\n<BODY>\n<TABLE|"_s;
    QTest::addRow("the list follows the typing")
        << u"<p>|</p>"_s << u"<tex\n"_s << u"<p><textarea|</p>"_s;
    QTest::addRow("a backspace widens the list again")
        << u"|"_s << u"<tex\b\b\x1f\n"_s << u"<tbody|"_s;
    QTest::addRow("Tab chooses too") << u"|"_s << u"<bl\t"_s << u"<blockquote|"_s;
    QTest::addRow("attribute") << u"<table|>"_s << u" cellp\n"_s << u"<table cellpadding|>"_s;
    QTest::addRow("attribute in upper case")
        << u"<TABLE|>"_s << u" bor\n"_s << u"<TABLE BORDER|>"_s;
    QTest::addRow("value with its closing quote")
        << u"<P|>"_s << u" ALIGN=\"c\n"_s << u"<P ALIGN=\"CENTER\"|>"_s;
    QTest::addRow("value before its closing quote")
        << u"<p align=|\">"_s << u"\"r\n"_s << u"<p align=\"right\"|>"_s;
    QTest::addRow("value in single quotes")
        << u"<form|>"_s << u" method='\x1f\n"_s << u"<form method='get'|>"_s;
    QTest::addRow("closing tag") << u"<div><p>Text|"_s << u"</\n"_s << u"<div><p>Text</p>|"_s;
    QTest::addRow("closing tag before its >")
        << u"<TABLE><TR>|>"_s << u"</\n"_s << u"<TABLE><TR></TR>|"_s;
    QTest::addRow("closing tag after its prefix")
        << u"<ul><li>x|"_s << u"</l\n"_s << u"<ul><li>x</li>|"_s;
}

void TagCompletionTest::choosing()
{
    QFETCH(QString, text);
    QFETCH(QString, keys);
    QFETCH(QString, expected);

    EditorControl editor;
    TagCompletion completion(&editor);
    putText(editor, text);
    typeKeys(editor.focusProxy(), keys);
    QCOMPARE(withCaret(editor), expected);
    QVERIFY(!editor.ListActive());
}

void TagCompletionTest::listOnShow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("expected");

    QTest::addRow("after <") << u"|"_s << u"<"_s << true << u"<|"_s;
    QTest::addRow("after a blank in a tag") << u"<td|"_s << u" "_s << true << u"<td |"_s;
    QTest::addRow("after =\"") << u"<td|"_s << u" valign=\""_s << true << u"<td valign=\"|"_s;
    QTest::addRow("after </") << u"<b>x|"_s << u"</"_s << true << u"<b>x</|"_s;
    QTest::addRow("a blank in text") << u"<p>Some|"_s << u" "_s << false << u"<p>Some |"_s;
    QTest::addRow("in a comment") << u"<!-- |"_s << u"<"_s << false << u"<!-- <|"_s;
    QTest::addRow("in a script") << u"<script>if (a|"_s << u" <"_s << false
                                 << u"<script>if (a <|"_s;
    QTest::addRow("> closes the list") << u"|"_s << u"<b>"_s << false << u"<b>|"_s;
    QTest::addRow("a value outside the set closes it")
        << u"<p|"_s << u" align=\"x"_s << false << u"<p align=\"x|"_s;
    QTest::addRow("Escape closes it, typing on keeps it closed")
        << u"|"_s << u"<\x1bta"_s << false << u"<ta|"_s;
    QTest::addRow("Enter with nothing to choose breaks the line")
        << u"<p>x|"_s << u"\n"_s << false << u"<p>x\n|"_s;
}

void TagCompletionTest::listOnShow()
{
    QFETCH(QString, text);
    QFETCH(QString, keys);
    QFETCH(bool, shown);
    QFETCH(QString, expected);

    EditorControl editor;
    TagCompletion completion(&editor);
    putText(editor, text);
    typeKeys(editor.focusProxy(), keys);
    QCOMPARE(editor.ListActive(), shown);
    QCOMPARE(withCaret(editor), expected);
}

void TagCompletionTest::offNothingOffered()
{
    EditorControl editor;
    TagCompletion completion(&editor);
    putText(editor, u"<table>|"_s);
    typeKeys(editor.focusProxy(), u"<"_s);
    QVERIFY(editor.ListActive());
    // Switching off closes the list on show, and none opens after.
    completion.setOn(false);
    QVERIFY(!editor.ListActive());
    typeKeys(editor.focusProxy(), u"tr align=\"center\">\n</"_s);
    QVERIFY(!editor.ListActive());
    QCOMPARE(withCaret(editor), u"<table><tr align=\"center\">\n</|"_s);
    completion.setOn(true);
    typeKeys(editor.focusProxy(), u"\b/"_s);
    QVERIFY(editor.ListActive());
}

void TagCompletionTest::enterChoosesWithoutReachingKeyHandlers()
{
    // "Insert <BR> on carraige return" and the like handle typed Enters; an
    // Enter that chooses from the list is not theirs.
    EditorControl editor;
    TagCompletion completion(&editor);
    QList<QChar> typed;
    connect(&editor, &EditorControl::OnKeyPress, &editor, [&](QChar key) {
        typed.append(key);
        if (key == u'\r') {
            editor.ReplaceSelection(u"<BR>\r"_s);
            editor.DiscardKeyPress();
        }
    });
    QSignalSpy chosen(&editor, &EditorControl::ListChosen);
    typeKeys(editor.focusProxy(), u"<h\n"_s);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(withCaret(editor), u"<h1|"_s);
    QCOMPARE(typed, (QList<QChar> { u'<', u'h' }));
    typeKeys(editor.focusProxy(), u">\n"_s);
    QCOMPARE(withCaret(editor), u"<h1><BR>\n|"_s);
}

void TagCompletionTest::composedCharacters()
{
    // Keyboard layouts with dead keys hand in quotes through the input method.
    EditorControl editor;
    TagCompletion completion(&editor);
    putText(editor, u"<p align=|>"_s);
    QInputMethodEvent quote;
    quote.setCommitString(u"\""_s);
    QApplication::sendEvent(editor.focusProxy(), &quote);
    QVERIFY(editor.ListActive());
    typeKeys(editor.focusProxy(), u"j\n"_s);
    QCOMPARE(withCaret(editor), u"<p align=\"justify\"|>"_s);
}

QTEST_MAIN(TagCompletionTest)
#include "tst_tagcompletion.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tparmform.h"

#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "tags/imagecommands.h"
#include "tags/taginserter.h"
#include "testenvironment.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace Tarnwick;
using Page = ParameterSelection::Page;

namespace {

struct Fixture
{
    EditorControl editor;
    ScriptedPrompter prompter;
    TagInserter inserter { &editor,
                           &prompter,
                           { [] { return false; }, [] {}, [] { return TagSettings {}; } } };
    TParmForm form { &editor, &inserter, &prompter };

    // The text with [ and ] marking the selection, or | the caret.
    void open(QString text)
    {
        const qsizetype caret = text.indexOf(QLatin1Char('|'));
        qsizetype from = text.indexOf(QLatin1Char('['));
        qsizetype to = 0;
        if (caret >= 0) {
            text.remove(caret, 1);
            from = to = caret;
        } else {
            text.remove(from, 1);
            to = text.indexOf(QLatin1Char(']'));
            text.remove(to, 1);
        }
        editor.LoadFromText(text, {});
        editor.StartLine = editor.EndLine = 1;
        editor.StartPos = int(from);
        editor.EndPos = int(to);
        editor.ApplySelection();
    }
    template<typename T> T *field(const char *name)
    {
        T *widget = form.findChild<T *>(QLatin1String(name));
        if (!widget)
            qWarning("no field %s", name);
        return widget;
    }
};

} // namespace

class TParmFormTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void choices_data();
    void choices();
    void metaShownAsWrittenAndReplaced();
    void metaWithNothingSelectedKeepsTheLine();
    void metaFieldsEmptiedAfterOk();
    void embed_data();
    void embed();
    void embedBrowseUsesMediaFilter();
    void param_data();
    void param();
    void editMetaTagTakesTheNextMetaAfterTheCaret();
};

void TParmFormTest::choices_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("result");

    QTest::addRow("align in list") << int(Page::Align) << R"(<P [ALIGN="right"]>)"
                                   << "right"
                                   << R"(<P ALIGN="right">)";
    QTest::addRow("align in any case") << int(Page::Align) << R"(<P [align="CENTER"]>)"
                                       << "center"
                                       << R"(<P ALIGN="center">)";
    QTest::addRow("align unquoted") << int(Page::Align) << R"(<P [ALIGN=middle]>)"
                                    << "middle"
                                    << R"(<P ALIGN="middle">)";
    QTest::addRow("align not in list: first entry")
        << int(Page::Align) << R"(<P [ALIGN="justify"]>)"
        << "none"
        << R"(<P ALIGN="none">)";
    QTest::addRow("valign") << int(Page::VAlign) << R"(<TD [VALIGN='Bottom']>)"
                            << "bottom"
                            << R"(<TD VALIGN="bottom">)";
    QTest::addRow("valign not in list") << int(Page::VAlign) << R"(<TD [VALIGN="center"]>)"
                                        << "none"
                                        << R"(<TD VALIGN="none">)";
    QTest::addRow("size with a sign") << int(Page::Size) << R"(<FONT [SIZE="+3"]>)"
                                      << "+3"
                                      << R"(<FONT SIZE="+3">)";
    QTest::addRow("size not in list") << int(Page::Size) << R"(<FONT [SIZE=9]>)"
                                      << "1"
                                      << R"(<FONT SIZE="1">)";
}

void TParmFormTest::choices()
{
    QFETCH(int, page);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, result);
    Fixture f;
    f.open(text);
    f.form.prepare(Page(page));
    const char *box = page == int(Page::VAlign) ? "valignlist"
        : page == int(Page::Size)               ? "sizelist"
                                                : "alignlist";
    QCOMPARE(f.field<QComboBox>(box)->currentText(), shown);
    f.form.OkClick();
    QCOMPARE(f.editor.Text(), result);
}

void TParmFormTest::metaShownAsWrittenAndReplaced()
{
    Fixture f;
    f.open(R"(x[<meta name="Author" Content="Ann O'Hara" http-equiv='Reply-To'>]y)");
    f.form.prepare(Page::Meta);
    QCOMPARE(f.field<QLineEdit>("MetaName")->text(), QStringLiteral("Author"));
    QCOMPARE(f.field<QLineEdit>("MetaContent")->text(), QStringLiteral("Ann O'Hara"));
    QCOMPARE(f.field<QComboBox>("MetaHTTPEquiv")->currentText(), QStringLiteral("Reply-To"));
    f.field<QLineEdit>("MetaContent")->setText(QStringLiteral(R"(Ann "the" O'Hara)"));
    f.form.OkClick();
    QCOMPARE(
        f.editor.Text(),
        QStringLiteral(
            R"(x<META HTTP-EQUIV="Reply-To" NAME="Author" CONTENT="Ann &quot;the&quot; O'Hara" >y)"));
}

void TParmFormTest::metaWithNothingSelectedKeepsTheLine()
{
    Fixture f;
    f.open(R"(|<META NAME="keywords" CONTENT="a, b"> rest of line)");
    f.form.prepare(Page::Meta);
    QCOMPARE(f.field<QLineEdit>("MetaName")->text(), QStringLiteral("keywords"));
    f.form.OkClick();
    QCOMPARE(
        f.editor.Text(),
        QStringLiteral(
            R"(<META NAME="keywords" CONTENT="a, b" ><META NAME="keywords" CONTENT="a, b"> rest of line)"));
}

void TParmFormTest::metaFieldsEmptiedAfterOk()
{
    Fixture f;
    f.open(QStringLiteral("|"));
    f.form.prepare(Page::Meta);
    f.field<QComboBox>("MetaHTTPEquiv")->setEditText(QStringLiteral("Expires"));
    f.field<QLineEdit>("MetaContent")->setText(QStringLiteral("0"));
    f.form.OkClick();
    QCOMPARE(f.editor.Text(), QStringLiteral(R"(<META HTTP-EQUIV="Expires" CONTENT="0" >)"));
    QCOMPARE(f.field<QComboBox>("MetaHTTPEquiv")->currentText(), QString());
    QCOMPARE(f.field<QLineEdit>("MetaContent")->text(), QString());
}

void TParmFormTest::embed_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("result");
    QTest::addRow("all given") << "song.mid" << 40 << 200
                               << R"(<EMBED SRC="song.mid" HEIGHT="40" WIDTH="200">)";
    QTest::addRow("height 0 left out")
        << "clip.avi" << 0 << 120 << R"(<EMBED SRC="clip.avi" WIDTH="120">)";
    QTest::addRow("no source: nothing") << "" << 40 << 200 << "";
    QTest::addRow("a quote in the source")
        << R"(my"clip.avi)" << 0 << 0 << R"(<EMBED SRC="my&quot;clip.avi">)";
}

void TParmFormTest::embed()
{
    QFETCH(QString, source);
    QFETCH(int, height);
    QFETCH(int, width);
    QFETCH(QString, result);
    Fixture f;
    f.open(QStringLiteral("|"));
    f.form.prepare(Page::Embed);
    f.field<QLineEdit>("EmbedSrc")->setText(source);
    f.field<QSpinBox>("EmbedHeight")->setValue(height);
    f.field<QSpinBox>("EmbedWidth")->setValue(width);
    f.form.OkClick();
    QCOMPARE(f.editor.Text(), result);
    // Reset after an insertion; kept when nothing was inserted.
    QCOMPARE(f.field<QSpinBox>("EmbedHeight")->value(), result.isEmpty() ? height : 0);
}

void TParmFormTest::embedBrowseUsesMediaFilter()
{
    Fixture f;
    f.prompter.answerFile(QStringLiteral("/tmp/sound.wav"));
    f.form.browseEmbedSource();
    QCOMPARE(f.field<QLineEdit>("EmbedSrc")->text(), QStringLiteral("/tmp/sound.wav"));
    const Prompter::FileRequest request = f.prompter.fileRequests().first();
    QVERIFY(request.filter.startsWith(QStringLiteral("All Media|")));
    QCOMPARE(request.filterIndex, 0);
}

void TParmFormTest::param_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("result");
    QTest::addRow("read and written again") << R"([<PARAM NAME="speed" VALUE="10">])"
                                            << "speed"
                                            << "10"
                                            << R"(<PARAM NAME="speed" VALUE="10">)";
    QTest::addRow("any case, single quotes") << R"([<param value='on' name=sound>])"
                                             << "sound"
                                             << "on"
                                             << R"(<PARAM NAME="sound" VALUE="on">)";
}

void TParmFormTest::param()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, result);
    Fixture f;
    f.open(text);
    f.form.prepare(Page::Parameter);
    QCOMPARE(f.field<QLineEdit>("PName")->text(), name);
    QCOMPARE(f.field<QLineEdit>("PValue")->text(), value);
    f.form.OkClick();
    QCOMPARE(f.editor.Text(), result);
}

void TParmFormTest::editMetaTagTakesTheNextMetaAfterTheCaret()
{
    EditorControl editor;
    ScriptedPrompter prompter;
    TagInserter inserter { &editor,
                           &prompter,
                           { [] { return false; }, [] {}, [] { return TagSettings {}; } } };
    ImageTools::Collaborators tools;
    tools.inserter = &inserter;
    tools.prompter = &prompter;
    ImageCommands commands({ &editor, tools, nullptr });
    editor.LoadFromText(QStringLiteral("<META NAME=\"a\" CONTENT=\"1\">\n<p>\n<META NAME=\"b\"\n"
                                       "  CONTENT=\"2\">\n"),
                        {});
    editor.StartLine = editor.EndLine = 2;
    editor.StartPos = editor.EndPos = 0;
    editor.ApplySelection();
    QString shownName;
    QTimer::singleShot(0, commands.parmForm(), [&] {
        shownName = commands.parmForm()->findChild<QLineEdit *>(QStringLiteral("MetaName"))->text();
        commands.parmForm()
            ->findChild<QLineEdit *>(QStringLiteral("MetaContent"))
            ->setText(QStringLiteral("3"));
        commands.parmForm()->accept();
    });
    commands.EditMetaTag1Click();
    QCOMPARE(shownName, QStringLiteral("b"));
    QCOMPARE(
        editor.Text(),
        QStringLiteral("<META NAME=\"a\" CONTENT=\"1\">\n<p>\n<META NAME=\"b\" CONTENT=\"3\" >\n"));
}

QTEST_MAIN(TParmFormTest)
#include "tst_tparmform.moc"

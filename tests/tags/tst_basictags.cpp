// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "tags/basictags.h"

#include <QTest>

using namespace Tarnwick;

class TestBasicTags final : public QObject
{
    Q_OBJECT

private slots:
    void insertBasicTags_data();
    void insertBasicTags();
};

void TestBasicTags::insertBasicTags_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("selectFrom"); // column on line 1; -1: caret at the end
    QTest::addColumn<QString>("after");

    const QString skeleton = QStringLiteral("<HTML>\n<HEAD>\n<TITLE>Web page Title</TITLE>\n"
                                            "</HEAD>\n<BODY>\n\n</BODY>\n</HTML>");
    QTest::addRow("empty page") << "" << -1 << skeleton;
    QTest::addRow("at the caret") << "x" << -1 << "x" + skeleton;
    QTest::addRow("over the selection") << "old" << 0 << skeleton;
}

// "Insert Standard Tags" on an empty page gives exactly eight lines.
void TestBasicTags::insertBasicTags()
{
    QFETCH(QString, before);
    QFETCH(int, selectFrom);
    QFETCH(QString, after);
    EditorControl editor;
    editor.SetText(before);
    editor.StartLine = editor.EndLine = 1;
    editor.StartPos = selectFrom < 0 ? int(before.size()) : selectFrom;
    editor.EndPos = int(before.size());
    editor.ApplySelection();
    BasicTags::InsertBasicTags(editor);
    QCOMPARE(editor.Text(), after);
    if (before.isEmpty())
        QCOMPARE(editor.LineCount(), 8);
}

QTEST_MAIN(TestBasicTags)
#include "tst_basictags.moc"

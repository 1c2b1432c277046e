// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/editorfinddialog.h"
#include "platform/renderer.h"
#include "preview/previewpopup.h"

#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace Tarnwick;

class tst_PreviewPopup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void enabling_data();
    void enabling();
    void findGoesForwardAndSaysWhenNothingFollows_data();
    void findGoesForwardAndSaysWhenNothingFollows();
    void findDialogHasNoWordOrDirectionOptions();
    void searchSource_data();
    void searchSource();
    void topAndBottom();

private:
    bool show(const QString &html);
    void select(const QString &script);

    ScriptedPrompter m_prompter;
    bool m_pageOpen = true;
    std::unique_ptr<EditorControl> m_editor;
    std::unique_ptr<Renderer> m_preview;
    std::unique_ptr<PreviewPopup> m_popup;
};

void tst_PreviewPopup::init()
{
    m_prompter.clear();
    m_pageOpen = true;
    m_editor = std::make_unique<EditorControl>();
    m_preview = std::make_unique<Renderer>();
    m_preview->resize(400, 300);
    m_popup = std::make_unique<PreviewPopup>(m_editor.get(), &m_prompter);
    m_popup->setPageOpen([this] { return m_pageOpen; });
    m_popup->attach(m_preview.get());
}

void tst_PreviewPopup::cleanup()
{
    m_popup.reset();
    m_preview.reset();
    m_editor.reset();
}

bool tst_PreviewPopup::show(const QString &html)
{
    QSignalSpy finished(m_preview.get(), &Renderer::loadFinished);
    m_preview->LoadFromBuffer(html, QString());
    return finished.wait(Tarnwick::TestEnvironment::signalBound) && finished.last().at(0).toBool();
}

// Selects in the page by script and waits until the renderer reports it.
void tst_PreviewPopup::select(const QString &script)
{
    QWebEnginePage *page = m_preview->findChild<QWebEngineView *>()->page();
    QEventLoop loop;
    page->runJavaScript(script, [&loop](const QVariant &) { loop.quit(); });
    loop.exec();
    QSignalSpy changed(page, &QWebEnginePage::selectionChanged);
    if (m_preview->SelLength() == 0)
        changed.wait(Tarnwick::TestEnvironment::signalBound);
}

void tst_PreviewPopup::enabling_data()
{
    QTest::addColumn<bool>("pageOpen");
    QTest::addColumn<bool>("selection");
    QTest::addColumn<bool>("general"); // top, bottom, find, refresh
    QTest::addColumn<bool>("selectionItems"); // copy, search source
    QTest::addRow("no page") << false << true << false << false;
    QTest::addRow("page, nothing selected") << true << false << true << false;
    QTest::addRow("page and selection") << true << true << true << true;
}

void tst_PreviewPopup::enabling()
{
    QFETCH(bool, pageOpen);
    QFETCH(bool, selection);
    QFETCH(bool, general);
    QFETCH(bool, selectionItems);
    QVERIFY(show(QStringLiteral("<p id=p>Some text</p>")));
    if (selection)
        select(QStringLiteral("getSelection().selectAllChildren(document.getElementById('p'))"));
    QCOMPARE(m_preview->SelLength() > 0, selection);
    m_pageOpen = pageOpen;
    m_popup->HTMLPopupPopup(m_preview.get());
    const PreviewPopup::Items &items = m_popup->items();
    for (QAction *item : { items.goToTop, items.goToBottom, items.find, items.refreshView })
        QCOMPARE(item->isEnabled(), general);
    QCOMPARE(items.copy->isEnabled(), selectionItems);
    QCOMPARE(items.searchSource->isEnabled(), selectionItems);
}

void tst_PreviewPopup::findGoesForwardAndSaysWhenNothingFollows_data()
{
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<int>("matches");
    QTest::addRow("match case") << true << 2;
    QTest::addRow("any case") << false << 3;
}

void tst_PreviewPopup::findGoesForwardAndSaysWhenNothingFollows()
{
    QFETCH(bool, matchCase);
    QFETCH(int, matches);
    QVERIFY(show(QStringLiteral("<p>apple, Apple and apple</p>")));
    QSignalSpy finished(m_popup.get(), &PreviewPopup::findFinished);
    for (int i = 0; i <= matches; ++i) {
        m_popup->FindDialogFind(QStringLiteral("apple"), matchCase);
        QVERIFY(finished.wait(Tarnwick::TestEnvironment::signalBound));
        QCOMPARE(finished.last().at(0).toBool(), i < matches);
    }
    QCOMPARE(m_prompter.texts(), QStringList { "No further occurances of \"apple\"" });
}

void tst_PreviewPopup::findDialogHasNoWordOrDirectionOptions()
{
    QVERIFY(show(QStringLiteral("<p>text</p>")));
    m_popup->HTMLFindClick();
    EditorFindDialog *dialog = m_popup->findDialog();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->findChild<QWidget *>(QStringLiteral("WholeWord"))->isVisible());
    QVERIFY(!dialog->findChild<QWidget *>(QStringLiteral("DirectionUp"))->isVisible());
    QVERIFY(dialog->findChild<QWidget *>(QStringLiteral("MatchCase"))->isVisible());
    QSignalSpy finished(m_popup.get(), &PreviewPopup::findFinished);
    dialog->setFindText(QStringLiteral("missing"));
    Q_EMIT dialog->findNextRequested();
    QVERIFY(finished.wait(Tarnwick::TestEnvironment::signalBound));
    QCOMPARE(m_prompter.texts(), QStringList { "No further occurances of \"missing\"" });
    dialog->close();
}

void tst_PreviewPopup::searchSource_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("message");
    // The word also stands earlier in the source, inside a tag: the search
    // starts from the top, whatever the caret, and finds that one first.
    QTest::addRow("plain word") << "w" << 1 << 10 << 15 << "";
    QTest::addRow("text of one line") << "second" << 3 << 13 << 24 << "";
    QTest::addRow("text across markup")
        << "both" << 1 << 0 << 0 << "\"bold and plain\" was not found in the page source.";
}

void tst_PreviewPopup::searchSource()
{
    QFETCH(QString, element);
    QFETCH(int, line);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, message);
    const QString html = QStringLiteral("<p title=\"world\">Hello <span id=w>world</span></p>\n"
                                        "<p id=both><b>bold</b> and plain</p>\n"
                                        "<p id=second>second line</p>\n");
    m_editor->SetText(html);
    m_editor->StartLine = m_editor->EndLine = 3; // the caret somewhere below
    m_editor->StartPos = m_editor->EndPos = 5;
    m_editor->ApplySelection();
    QVERIFY(show(html));
    select(QStringLiteral("getSelection().selectAllChildren(document.getElementById('%1'))")
               .arg(element));
    QVERIFY(m_preview->SelLength() > 0);
    QSignalSpy found(m_popup.get(), &PreviewPopup::sourceFound);
    m_popup->SearchSourceClick();
    QCOMPARE(m_prompter.texts(), message.isEmpty() ? QStringList() : QStringList { message });
    QCOMPARE(found.count(), message.isEmpty() ? 1 : 0);
    QCOMPARE(QApplication::clipboard()->text(), m_preview->SelText());
    m_editor->ReadSelection();
    if (message.isEmpty()) {
        QCOMPARE(m_editor->StartLine, line);
        QCOMPARE(m_editor->StartPos, from);
        QCOMPARE(m_editor->EndPos, to);
    }
}

void tst_PreviewPopup::topAndBottom()
{
    QString html;
    for (int i = 0; i < 200; ++i)
        html += QStringLiteral("<p>paragraph %1</p>").arg(i);
    QVERIFY(show(html));
    QVERIFY(m_preview->MaxVertPos() > 0);
    m_popup->HTMLPopupPopup(m_preview.get());
    m_popup->Gotobottom1Click();
    QTRY_COMPARE_WITH_TIMEOUT(m_preview->Position(), m_preview->MaxVertPos(),
                              Tarnwick::TestEnvironment::signalBound);
    m_popup->Gototop1Click();
    QTRY_COMPARE_WITH_TIMEOUT(m_preview->Position(), 0, Tarnwick::TestEnvironment::signalBound);
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    tst_PreviewPopup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_previewpopup.moc"

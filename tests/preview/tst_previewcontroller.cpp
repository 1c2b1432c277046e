// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "platform/virtualkey.h"
#include "preview/previewcontroller.h"

#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <optional>

using namespace Tarnwick;
using Tarnwick::TestEnvironment::waitForLoad;

class tst_PreviewController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void emptyPageClears();
    void frameSetShowsFramesAndWritesPreviewFile_data();
    void frameSetShowsFramesAndWritesPreviewFile();
    void refreshKeepsEditorSelectionAndScroll();
    void keysThatRefresh_data();
    void keysThatRefresh();
    void typedCharactersRefresh_data();
    void typedCharactersRefresh();
    void typingRefreshesOnlyWithAutoUpdate();
    void largePageWaitsForAPauseInTyping();
    void previewEndsWithTheLastKeyTyped();
    void refreshKeepsThePreviewScrolled();
    void refreshesInARowKeepThePreviewScrolled();
    void scrolledRefreshLeavesThePageStyle_data();
    void scrolledRefreshLeavesThePageStyle();
    void linkRules_data();
    void linkRules();
    void largePage();
    void historyOfTenAndBackFromTheOldest();
    void fullScreenShowsTheEditorTextAndKeepsIt();
    void viewPageOfMissingFile();
    void fileListClick_data();
    void fileListClick();

private:
    void typeAtTheEndOfAPageOf(qsizetype length);
    bool refreshAndWait();
    // Four hundred paragraphs of 40 pixels; html carries the style attribute given.
    static QString longPage(const QString &style);
    QString writePage(const QString &name, const QString &title);

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    std::unique_ptr<EditorControl> m_editor;
    std::unique_ptr<Renderer> m_split;
    std::unique_ptr<Renderer> m_frames;
    std::unique_ptr<Renderer> m_full;
    std::unique_ptr<PreviewController> m_preview;
};

void tst_PreviewController::init()
{
    m_prompter.clear();
    m_editor = std::make_unique<EditorControl>();
    m_split = std::make_unique<Renderer>();
    m_frames = std::make_unique<Renderer>();
    m_full = std::make_unique<Renderer>();
    m_preview = std::make_unique<PreviewController>(m_editor.get(), m_split.get(), m_frames.get(),
                                                    m_full.get(), &m_prompter);
    const QString directory = m_dir.path();
    m_preview->setPageDirectory([directory] { return directory; });
    m_preview->setExtensions(QStringLiteral("html,htm"), QStringLiteral("gif,jpg"));
    m_preview->setUrlOpener([](const QUrl &) { return true; });
}

void tst_PreviewController::cleanup()
{
    m_preview.reset();
    m_full.reset();
    m_frames.reset();
    m_split.reset();
    m_editor.reset();
}

QString tst_PreviewController::longPage(const QString &style)
{
    QString text = style.isEmpty() ? QStringLiteral("<html>")
                                   : QStringLiteral("<html style=\"%1\">").arg(style);
    text += QStringLiteral("<body style='margin:0'>\n");
    for (int i = 0; i < 400; ++i)
        text += QStringLiteral("<p style='height:40px;margin:0'>paragraph %1</p>\n").arg(i);
    return text;
}

bool tst_PreviewController::refreshAndWait()
{
    return waitForLoad(m_split.get(), [this] { m_preview->UpdateWebView(); });
}

QString tst_PreviewController::writePage(const QString &name, const QString &title)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write("<html><title>" + title.toUtf8() + "</title><body>" + title.toUtf8()
               + "</body></html>");
    return path;
}

void tst_PreviewController::emptyPageClears()
{
    m_editor->SetText(QStringLiteral("<html><title>Shown</title><body>text</body></html>"));
    QVERIFY(refreshAndWait());
    QCOMPARE(m_split->DocumentTitle(), QStringLiteral("Shown"));
    m_editor->SetText(QString());
    QSignalSpy finished(m_split.get(), &Renderer::loadFinished);
    m_preview->UpdateWebView();
    QVERIFY(finished.count() > 0 || finished.wait(Tarnwick::TestEnvironment::signalBound));
    QVERIFY(m_split->CurrentAddress().isEmpty());
    QVERIFY(m_split->DocumentTitle().isEmpty());
}

void tst_PreviewController::frameSetShowsFramesAndWritesPreviewFile_data()
{
    QTest::addColumn<QString>("framed");
    QTest::addRow("lower case") << QStringLiteral(
        "<html><frameset cols=\"50%,50%\"><frame src=\"a.htm\">"
        "<frame src=\"b.htm\"></frameset></html>");
    QTest::addRow("upper case, as older pages write it")
        << QStringLiteral("<HTML><FRAMESET ROWS=\"30%,*\"><FRAME SRC=\"a.htm\">"
                          "<FRAME SRC=\"b.htm\"></FRAMESET></HTML>");
}

void tst_PreviewController::frameSetShowsFramesAndWritesPreviewFile()
{
    QFETCH(QString, framed);
    m_editor->SetText(framed);
    QSignalSpy visibility(m_preview.get(), &PreviewController::framesVisibilityChanged);
    QSignalSpy framesLoaded(m_frames.get(), &Renderer::loadFinished);
    QVERIFY(refreshAndWait());
    QCOMPARE(visibility.count(), 1);
    QCOMPARE(visibility.at(0).at(0).toBool(), true);
    QFile preview(m_dir.filePath(QStringLiteral("tarnview.htm")));
    QVERIFY(preview.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(preview.readAll()), framed);
    QVERIFY(framesLoaded.count() > 0 || framesLoaded.wait(Tarnwick::TestEnvironment::signalBound));
    QVERIFY(m_frames->CurrentAddress().endsWith(QStringLiteral("tarnview.htm")));

    m_editor->SetText(QStringLiteral("<html><body>no frames</body></html>"));
    QVERIFY(refreshAndWait());
    QCOMPARE(visibility.count(), 2);
    QCOMPARE(visibility.at(1).at(0).toBool(), false);
    QVERIFY(!m_preview->framesShown());
}

void tst_PreviewController::refreshKeepsEditorSelectionAndScroll()
{
    QString text;
    for (int i = 1; i <= 300; ++i)
        text += QStringLiteral("<p>line %1 <frameset </p>\n").arg(i);
    m_editor->resize(400, 300);
    m_editor->SetText(text);
    m_editor->StartLine = 150;
    m_editor->StartPos = 3;
    m_editor->EndLine = 151;
    m_editor->EndPos = 7;
    m_editor->ApplySelection();
    m_editor->SetFirstVisibleLine(140);
    const int firstVisible = m_editor->FirstVisibleLine();
    QVERIFY(refreshAndWait());
    m_editor->ReadSelection();
    QCOMPARE(m_editor->StartLine, 150);
    QCOMPARE(m_editor->StartPos, 3);
    QCOMPARE(m_editor->EndLine, 151);
    QCOMPARE(m_editor->EndPos, 7);
    QCOMPARE(m_editor->FirstVisibleLine(), firstVisible);
}

void tst_PreviewController::keysThatRefresh_data()
{
    QTest::addColumn<int>("virtualKey");
    QTest::addColumn<bool>("refreshes");
    QTest::addRow("letter A") << 65 << true;
    QTest::addRow("digit 0") << 48 << true;
    QTest::addRow("Insert") << 45 << true;
    QTest::addRow("Delete") << 46 << true;
    QTest::addRow("F1") << 112 << true;
    QTest::addRow("Backspace") << 8 << true;
    QTest::addRow("Space") << 32 << true;
    QTest::addRow("left arrow") << 37 << false;
    QTest::addRow("down arrow") << 40 << false;
    QTest::addRow("Home") << 36 << false;
    QTest::addRow("Enter") << 13 << false;
    QTest::addRow("Tab") << 9 << false;
    QTest::addRow("Shift") << 16 << false;
    QTest::addRow("Ctrl") << 17 << false;
}

void tst_PreviewController::keysThatRefresh()
{
    QFETCH(int, virtualKey);
    QFETCH(bool, refreshes);
    QCOMPARE(PreviewController::refreshesPreview(virtualKey), refreshes);
}

void tst_PreviewController::typedCharactersRefresh_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<bool>("refreshes");
    QTest::addRow("letter") << int(Qt::Key_G) << true;
    QTest::addRow("less-than sign") << int(Qt::Key_Less) << true;
    QTest::addRow("e acute") << int(Qt::Key_Eacute) << true;
    QTest::addRow("i diaeresis") << int(Qt::Key_Idiaeresis) << true;
    QTest::addRow("euro sign, by its character") << 0x20AC << true;
    QTest::addRow("left arrow") << int(Qt::Key_Left) << false;
    QTest::addRow("Return") << int(Qt::Key_Return) << false;
    QTest::addRow("Shift") << int(Qt::Key_Shift) << false;
    QTest::addRow("unknown key") << int(Qt::Key_unknown) << false;
}

void tst_PreviewController::typedCharactersRefresh()
{
    QFETCH(int, qtKey);
    QFETCH(bool, refreshes);
    QCOMPARE(PreviewController::refreshesPreview(VirtualKey::fromQtKey(qtKey)), refreshes);
}

// A page of at least the given length, ending in an open paragraph "end "
// with the caret after it, shown in the preview that follows typing.
void tst_PreviewController::typeAtTheEndOfAPageOf(qsizetype length)
{
    QString text = QStringLiteral("<html><body>");
    while (text.size() < length)
        text += QStringLiteral("<p>A line of the page.</p>\n");
    text += QStringLiteral("<p id=end>end ");
    m_editor->SetText(text);
    m_editor->resize(400, 300);
    m_editor->show();
    QVERIFY_LOADS(m_split.get(), [this] { m_preview->UpdateWebView(); });
    m_editor->StartLine = m_editor->EndLine = m_editor->LineCount();
    m_editor->StartPos = m_editor->EndPos = m_editor->LineLength(m_editor->LineCount());
    m_editor->ApplySelection();
    connect(m_editor.get(), &EditorControl::OnKeyUp, m_preview.get(),
            &PreviewController::WebPageKeyUp);
    m_preview->setAutoUpdate(true);
}

void tst_PreviewController::previewEndsWithTheLastKeyTyped()
{
    typeAtTheEndOfAPageOf(1024 * 1024);
    if (QTest::currentTestFailed())
        return;

    // Twenty keys, faster than the preview loads the page.
    const QString typed = QStringLiteral("abcdefghijklmnopqrst");
    QSignalSpy finished(m_split.get(), &Renderer::loadFinished);
    QTest::keyClicks(m_editor->focusProxy(), typed);
    QVERIFY(m_editor->Text().endsWith(typed));
    while (m_split->Busy() || m_preview->refreshWaiting())
        QVERIFY(finished.wait(TestEnvironment::signalBound));

    QCOMPARE(TestEnvironment::evaluate(m_split.get(),
                                       QStringLiteral("document.getElementById('end').textContent"))
                 .toString(),
             QString(QStringLiteral("end ") + typed));
}

// Every load of a large page keeps the engine busy for seconds: while the
// user types, none starts; the pause brings one, with all that was typed.
void tst_PreviewController::largePageWaitsForAPauseInTyping()
{
    typeAtTheEndOfAPageOf(PreviewController::LargePageLength + 1);
    if (QTest::currentTestFailed())
        return;

    QSignalSpy status(m_preview.get(), &PreviewController::statusText);
    QSignalSpy finished(m_split.get(), &Renderer::loadFinished);
    const QString typed = QStringLiteral("abcde");
    QTest::keyClicks(m_editor->focusProxy(), typed);
    QVERIFY(!m_split->Busy());
    QVERIFY(m_preview->waitingForPause());
    QCOMPARE(status.size(), 1);
    QCOMPARE(status.constFirst().constFirst().toString(), PreviewController::largePageWaits());

    QVERIFY(finished.wait(TestEnvironment::signalBound));
    QVERIFY(!m_preview->refreshWaiting());
    QCOMPARE(finished.size(), 1); // one load for the five keys
    QCOMPARE(TestEnvironment::evaluate(m_split.get(),
                                       QStringLiteral("document.getElementById('end').textContent"))
                 .toString(),
             QString(QStringLiteral("end ") + typed));
    // The status bar no longer says the preview waits.
    QCOMPARE(status.constLast().constFirst().toString(), QString());
}

void tst_PreviewController::refreshKeepsThePreviewScrolled()
{
    m_split->resize(600, 400);
    m_split->show();
    m_editor->SetText(longPage(QString()));
    QVERIFY_LOADS(m_split.get(), [this] { m_preview->UpdateWebView(); });
    QVERIFY(m_split->MaxVertPos() > 10000);
    m_split->SetPosition(6000);
    QVERIFY(TestEnvironment::engineRoundTrip(m_split.get()));
    QCOMPARE(m_split->Position(), 6000);

    // An edit near the top, as while typing: the preview stays where the user looks.
    for (int edit = 0; edit < 3; ++edit) {
        m_editor->InsertAtLine(1, 0, QStringLiteral("<p>new %1</p>").arg(edit));
        QVERIFY_LOADS(m_split.get(), [this] { m_preview->UpdateWebView(); });
        QCOMPARE(m_split->Position(), 6000);
        QCOMPARE(TestEnvironment::evaluate(m_split.get(), QStringLiteral("window.scrollY")), 6000);
    }

    // A page reached by a link starts at its top.
    const QString other = writePage(QStringLiteral("other.htm"), QStringLiteral("Other"));
    QVERIFY_LOADS(m_split.get(), [&] { m_split->LoadFromFile(other); });
    QCOMPARE(m_split->Position(), 0);
}

void tst_PreviewController::refreshesInARowKeepThePreviewScrolled()
{
    m_split->resize(600, 400);
    m_split->show();
    m_editor->SetText(longPage(QString()));
    QVERIFY_LOADS(m_split.get(), [this] { m_preview->UpdateWebView(); });

    // The user scrolls the preview and types on at once, before the engine
    // has told anyone of the scroll.
    QVERIFY(TestEnvironment::evaluate(m_split.get(), QStringLiteral("window.scrollTo(0, 3000)"))
            != QStringLiteral("<no answer>"));

    // Keys as fast as the preview follows: each refresh starts the moment the
    // last one ended, and some are asked while a load still runs.
    QSignalSpy finished(m_split.get(), &Renderer::loadFinished);
    for (int key = 0; key < 20; ++key) {
        m_editor->InsertAtLine(1, 0, QStringLiteral("x"));
        m_preview->UpdateWebView();
        if (key % 4 == 3) {
            m_editor->InsertAtLine(1, 0, QStringLiteral("y"));
            m_preview->UpdateWebView();
        }
        const qsizetype before = finished.count();
        QVERIFY(finished.wait(TestEnvironment::signalBound) || finished.count() > before);
        QCOMPARE(m_split->Position(), 3000);
    }
    while (m_split->Busy() || m_preview->refreshWaiting())
        QVERIFY(finished.wait(TestEnvironment::signalBound));
    QVERIFY(TestEnvironment::engineRoundTrip(m_split.get()));
    QCOMPARE(m_split->Position(), 3000);
    QCOMPARE(TestEnvironment::evaluate(m_split.get(), QStringLiteral("window.scrollY")), 3000);
}

void tst_PreviewController::scrolledRefreshLeavesThePageStyle_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addRow("no style attribute") << QString();
    QTest::addRow("a style of its own") << QStringLiteral("color: red");
    QTest::addRow("its own visibility") << QStringLiteral("visibility: visible");
}

void tst_PreviewController::scrolledRefreshLeavesThePageStyle()
{
    // The preview hides a document until it stands at the kept position; the
    // page's own markup must come out of that as it was written.
    QFETCH(QString, attribute);
    m_split->resize(600, 400);
    m_split->show();
    m_editor->SetText(longPage(attribute));
    QVERIFY_LOADS(m_split.get(), [this] { m_preview->UpdateWebView(); });
    m_split->SetPosition(6000);
    QVERIFY(TestEnvironment::engineRoundTrip(m_split.get()));
    m_editor->InsertAtLine(1, 0, QStringLiteral("<p>new</p>"));
    QVERIFY_LOADS(m_split.get(), [this] { m_preview->UpdateWebView(); });

    QCOMPARE(TestEnvironment::evaluate(m_split.get(), QStringLiteral("window.scrollY")), 6000);
    const QVariant style = TestEnvironment::evaluate(
        m_split.get(), QStringLiteral("document.documentElement.getAttribute('style')"));
    if (attribute.isEmpty())
        QVERIFY2(style.isNull(), qPrintable(style.toString()));
    else
        QCOMPARE(style.toString(), attribute);
    QCOMPARE(
        TestEnvironment::evaluate(
            m_split.get(), QStringLiteral("getComputedStyle(document.documentElement).visibility")),
        QStringLiteral("visible"));
}

void tst_PreviewController::typingRefreshesOnlyWithAutoUpdate()
{
    m_editor->SetText(QStringLiteral("<p>hello</p>"));
    QSignalSpy finished(m_split.get(), &Renderer::loadFinished);
    m_preview->WebPageKeyUp(Qt::Key_A);
    QVERIFY(!m_split->Busy());
    QCOMPARE(finished.count(), 0);

    m_preview->setAutoUpdate(true);
    m_preview->WebPageKeyUp(Qt::Key_Left);
    QVERIFY(!m_split->Busy());
    QCOMPARE(finished.count(), 0);
    m_preview->WebPageKeyUp(Qt::Key_A);
    QVERIFY(finished.count() > 0 || finished.wait(Tarnwick::TestEnvironment::signalBound));
}

void tst_PreviewController::linkRules_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("imageBox");
    QTest::addColumn<QString>("pageExtensions");
    QTest::addRow("graphic file") << "file:///site/pics/logo.GIF" << true << "logo.GIF"
                                  << "" << true << "html,htm";
    QTest::addRow("graphic file without an image box")
        << "file:///site/pics/logo.GIF" << false << ""
        << "" << false << "html,htm";
    QTest::addRow("page file, extensions written with dots") << "PAGE" << true << ""
                                                             << "" << true << " .HTML , .htm";
    QTest::addRow("web address") << "http://example.org/a.htm" << true << ""
                                 << "http://example.org/a.htm" << true << "html,htm";
    QTest::addRow("secure web address") << "https://example.org/" << true << ""
                                        << "https://example.org/" << true << "html,htm";
    QTest::addRow("page file") << "PAGE" << true << ""
                               << "" << true << "html,htm";
    QTest::addRow("other file followed by the renderer") << "file:///site/notes.txt" << false << ""
                                                         << "" << true << "html,htm";
    QTest::addRow("mail address followed by the renderer") << "mailto:me@example.org" << false << ""
                                                           << "" << true << "html,htm";
}

void tst_PreviewController::linkRules()
{
    QFETCH(QString, address);
    QFETCH(bool, handled);
    QFETCH(QString, image);
    QFETCH(QString, opened);
    QFETCH(bool, imageBox);
    QFETCH(QString, pageExtensions);
    m_preview->setExtensions(pageExtensions, QStringLiteral("gif,jpg"));
    const QString page = m_dir.filePath(QStringLiteral("other.htm"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><title>Other page</title></html>");
    file.close();
    if (address == QLatin1String("PAGE"))
        address = QUrl::fromLocalFile(page).toString();

    QString openedUrl;
    m_preview->setUrlOpener([&openedUrl](const QUrl &url) {
        openedUrl = url.toString();
        return true;
    });
    // The image box is there when something receives the image links.
    std::optional<QSignalSpy> images;
    if (imageBox)
        images.emplace(m_preview.get(), &PreviewController::imageLinkClicked);
    QSignalSpy finished(m_split.get(), &Renderer::loadFinished);
    bool wasHandled = false;
    Q_EMIT m_split->hotSpotClicked(address, &wasHandled);
    QCOMPARE(wasHandled, handled);
    QCOMPARE(!images || images->isEmpty() ? QString() : images->first().first().toString(), image);
    QCOMPARE(openedUrl, opened);
    if (address == QUrl::fromLocalFile(page).toString()) {
        QVERIFY(finished.count() > 0 || finished.wait(Tarnwick::TestEnvironment::signalBound));
        QCOMPARE(m_split->DocumentTitle(), QStringLiteral("Other page"));
    }
}

void tst_PreviewController::largePage()
{
    QString text = QStringLiteral("<html><body>");
    const QString paragraph
        = QStringLiteral("<p>A paragraph of the large page, with <b>some</b> markup.</p>\n");
    while (text.size() < 5 * 1024 * 1024)
        text += paragraph;
    text += QStringLiteral("</body></html>");
    m_editor->SetText(text);
    QVERIFY_LOADS(m_split.get(), [this] { m_preview->UpdateWebView(); });
    QVERIFY(m_split->MaxVertPos() > 10000);
    QVERIFY(m_prompter.messages().isEmpty());
}

void tst_PreviewController::historyOfTenAndBackFromTheOldest()
{
    QList<Renderer *> changed;
    connect(m_preview.get(), &PreviewController::historyChanged, this,
            [&changed](Renderer *renderer) { changed << renderer; });
    for (int i = 0; i < 12; ++i) {
        const QString page
            = writePage(QStringLiteral("p%1.htm").arg(i), QStringLiteral("P%1").arg(i));
        QVERIFY_LOADS(m_split.get(), [&] { m_preview->ViewPage1Click(page); });
    }
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.last(), m_split.get());
    PreviewController::HistoryView view = PreviewController::historyView(*m_split);
    QCOMPARE(view.entries.size(), 10);
    QVERIFY(view.entries.first().endsWith(QStringLiteral("p11.htm")));
    QVERIFY(view.entries.last().endsWith(QStringLiteral("p2.htm")));
    QCOMPARE(view.current, 0);
    QVERIFY(view.backEnabled);
    QVERIFY(!view.forwardEnabled);

    QVERIFY_LOADS(m_split.get(), [&] { m_preview->FwdBackClick(true); });
    QCOMPARE(m_split->DocumentTitle(), QStringLiteral("P10"));
    view = PreviewController::historyView(*m_split);
    QCOMPARE(view.current, 1);
    QVERIFY(view.forwardEnabled);

    QVERIFY_LOADS(m_split.get(), [&] { m_preview->HistoryClick(9); });
    QCOMPARE(m_split->DocumentTitle(), QStringLiteral("P2"));
    QVERIFY(PreviewController::historyView(*m_split).backEnabled);

    // Back from the oldest entry shows the page under edit again.
    m_editor->SetText(QStringLiteral("<html><title>Editor text</title></html>"));
    QVERIFY_LOADS(m_split.get(), [&] { m_preview->FwdBackClick(true); });
    QCOMPARE(m_split->DocumentTitle(), QStringLiteral("Editor text"));
    QCOMPARE(m_split->HistoryIndex(), 9);

    QVERIFY_LOADS(m_split.get(), [&] { m_preview->FwdBackClick(false); });
    QCOMPARE(m_split->DocumentTitle(), QStringLiteral("P3"));
    QCOMPARE(m_split->HistoryIndex(), 8);
    // The full-screen renderer has no history: its part of the step does nothing.
    QVERIFY(m_full->History().isEmpty());
    QVERIFY(m_prompter.messages().isEmpty());
}

void tst_PreviewController::fullScreenShowsTheEditorTextAndKeepsIt()
{
    QList<int> tips;
    m_preview->setHelperTipHook([&tips](int number) { tips << number; });
    QSignalSpy switched(m_preview.get(), &PreviewController::fullScreenChanged);
    m_editor->SetText(QStringLiteral("<html><title>Entered</title></html>"));
    QVERIFY_LOADS(m_full.get(), [&] { m_preview->View1Click(); });
    QVERIFY(m_preview->fullScreen());
    QCOMPARE(switched.count(), 1);
    QCOMPARE(switched.at(0).at(0).toBool(), true);
    QCOMPARE(tips, QList<int> { 2 });
    QCOMPARE(m_full->DocumentTitle(), QStringLiteral("Entered"));

    // A refresh while in full screen brings the hidden split view up to date
    // and leaves the full-screen view as it was.
    m_editor->SetText(QStringLiteral("<html><title>Changed</title></html>"));
    QVERIFY_LOADS(m_split.get(), [&] { m_preview->UpdateWebView(); });
    QCOMPARE(m_split->DocumentTitle(), QStringLiteral("Changed"));
    QCOMPARE(m_full->DocumentTitle(), QStringLiteral("Entered"));

    // A link to a page followed in full screen stays in the full-screen view.
    const QString page = writePage(QStringLiteral("linked.htm"), QStringLiteral("Linked"));
    bool handled = false;
    QVERIFY(waitForLoad(m_full.get(), [&] {
        Q_EMIT m_full->hotSpotClicked(QUrl::fromLocalFile(page).toString(), &handled);
    }));
    QVERIFY(handled);
    QCOMPARE(m_full->DocumentTitle(), QStringLiteral("Linked"));
    QCOMPARE(m_split->DocumentTitle(), QStringLiteral("Changed"));
    // Back from its oldest entry shows the editor text in the full-screen view.
    QVERIFY_LOADS(m_full.get(), [&] { m_preview->FwdBackClick(true); });
    QCOMPARE(m_full->DocumentTitle(), QStringLiteral("Changed"));

    m_preview->HideFullScreen();
    QVERIFY(!m_preview->fullScreen());
    QCOMPARE(switched.count(), 2);
    QCOMPARE(switched.at(1).at(0).toBool(), false);
    m_preview->HideFullScreen(); // already in split view: nothing happens
    QCOMPARE(switched.count(), 2);
    QCOMPARE(tips, QList<int> { 2 });
}

void tst_PreviewController::viewPageOfMissingFile()
{
    const QString missing = m_dir.filePath(QStringLiteral("gone.htm"));
    QSignalSpy started(m_split.get(), &Renderer::busyChanged);
    m_preview->ViewPage1Click(missing);
    QCOMPARE(m_prompter.texts(), QStringList { QStringLiteral("File not found: ") + missing });
    QVERIFY(started.isEmpty());
}

void tst_PreviewController::fileListClick_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    // A picture is loaded as the file itself; anything else as a page,
    // whatever its extension.
    QTest::addRow("picture") << "arrow.gif" << QString();
    QTest::addRow("picture, upper-case extension") << "ARROW.GIF" << QString();
    QTest::addRow("page") << "page.htm" << QStringLiteral("Listed page");
    QTest::addRow("text file") << "notes.txt" << QStringLiteral("Listed page");
}

// A click in the file list shows the file in the preview pane.
void tst_PreviewController::fileListClick()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    const QString path = m_dir.filePath(name);
    if (PreviewController::isPictureFile(name)) {
        TestEnvironment::writeFile(
            path,
            TestEnvironment::readFile(TestEnvironment::dataDirectory() + "themes/e_ocean.gif"));
    } else {
        QVERIFY(QFile::rename(writePage(QStringLiteral("listed.htm"), "Listed page"), path));
    }
    QVERIFY_LOADS(m_split.get(), [&] { m_preview->FileListBox1Click(path); });
    if (title.isEmpty())
        QVERIFY2(m_split->CurrentAddress().endsWith("/" + name),
                 qPrintable(m_split->CurrentAddress()));
    else
        QCOMPARE(m_split->DocumentTitle(), title);
    QVERIFY(m_prompter.texts().isEmpty());
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    tst_PreviewController test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_previewcontroller.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/renderer.h"
#include "platform/rendererdocument.h"
#include "testenvironment.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QPdfDocument>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

using namespace Tarnwick;

namespace {

using TestEnvironment::signalBound;

void writeImage(const QString &path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(path, "PNG"));
}

// Runs a real event loop until the predicate holds. Polling waits (QTRY_*,
// qWaitFor) sleep between rounds, and the engine's work hops between threads
// so often that each load would take seconds.
template<typename Predicate> bool waitUntil(Predicate predicate, int timeout = signalBound)
{
    if (predicate())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (predicate())
            loop.quit();
    });
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    poll.start(5);
    loop.exec();
    return predicate();
}

} // namespace

class TestRenderer final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Renderer> m_renderer;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Waits for the one loadFinished a load ends with.
    bool finishLoad(QSignalSpy &spy, int expected = 1)
    {
        while (spy.size() < expected) {
            if (!spy.wait(signalBound)) {
                qWarning("no load ended within %d s", signalBound / 1000);
                return false;
            }
        }
        return !m_renderer->Busy();
    }

    // Shows that nothing more arrives: whatever the engine had under way has come through.
    void settle() { QVERIFY(TestEnvironment::engineRoundTrip(m_renderer.get())); }

    bool loadBuffer(const QString &html, const QString &base = QString())
    {
        return TestEnvironment::waitForLoad(
                   m_renderer.get(),
                   [&] { m_renderer->LoadFromBuffer(html, base.isNull() ? m_dir.path() : base); })
            && !m_renderer->Busy();
    }

    bool loadFile(const QString &file)
    {
        return TestEnvironment::waitForLoad(m_renderer.get(),
                                            [&] { m_renderer->LoadFromFile(file); })
            && !m_renderer->Busy();
    }

    QVariant evaluate(const QString &script)
    {
        QWebEnginePage *page = m_renderer->findChild<QWebEngineView *>()->page();
        QVariant result = QStringLiteral("<no answer>");
        // A real event loop: the engine's work hops between threads many
        // times, and a polling wait would add its sleep to every hop.
        QEventLoop loop;
        QTimer::singleShot(signalBound, &loop, &QEventLoop::quit);
        page->runJavaScript(script, [&](const QVariant &value) {
            result = value;
            loop.quit();
        });
        loop.exec();
        return result;
    }

    // Waits until the image with the given id has loaded, or failed to.
    int imageWidth(const QString &id)
    {
        const QString script = QStringLiteral("(function(){var i=document.getElementById('%1');"
                                              "return i && i.complete ? i.naturalWidth : -1;})()")
                                   .arg(id);
        int width = -1;
        (void)waitUntil([&] {
            width = evaluate(script).toInt();
            return width >= 0;
        });
        return width;
    }

    bool findNext(const QString &text, bool matchCase)
    {
        int calls = 0;
        bool found = false;
        m_renderer->FindNext(text, matchCase, [&](bool result) {
            ++calls;
            found = result;
        });
        if (!waitUntil([&] { return calls > 0; }))
            return false;
        settle();
        if (calls != 1)
            qWarning("done called %d times", calls);
        return calls == 1 && found;
    }

private slots:
    void initTestCase()
    {
        TestEnvironment::isolate();
        QVERIFY(m_dir.isValid());
        writeImage(path(QStringLiteral("wide.png")), 37, 5);
        QVERIFY(TestEnvironment::writeFile(path(QStringLiteral("style.css")),
                                           "p { margin-left: 23px }"));
        QVERIFY(TestEnvironment::writeFile(path(QStringLiteral("sub/inner.png")), {}));
        writeImage(path(QStringLiteral("sub/inner.png")), 11, 3);
    }

    void init()
    {
        m_renderer = std::make_unique<Renderer>();
        m_renderer->resize(400, 300);
        m_renderer->show();
    }

    void cleanup() { m_renderer.reset(); }

    void relativeAddressesResolveAgainstTheBase_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::addRow("image") << QStringLiteral("<img id=i src=\"wide.png\">")
                               << QStringLiteral("document.getElementById('i').naturalWidth")
                               << QStringLiteral("37");
        QTest::addRow("image in a subfolder")
            << QStringLiteral("<img id=i src=\"sub/inner.png\">")
            << QStringLiteral("document.getElementById('i').naturalWidth") << QStringLiteral("11");
        QTest::addRow("style sheet")
            << QStringLiteral("<link rel=stylesheet href=style.css><p id=p>x</p>")
            << QStringLiteral("getComputedStyle(document.getElementById('p')).marginLeft")
            << QStringLiteral("23px");
        QTest::addRow("text beyond ASCII, page declaring another charset")
            << QStringLiteral("<meta charset=windows-1252><p id=p>gr\u00fc\u00dfe \u20ac</p>")
            << QStringLiteral("document.getElementById('p').textContent")
            << QStringLiteral("gr\u00fc\u00dfe \u20ac");
        QTest::addRow("standards mode kept after a doctype and a comment")
            << QStringLiteral("<!-- made by hand -->\n<!DOCTYPE html>\n<html><p>x")
            << QStringLiteral("document.compatMode") << QStringLiteral("CSS1Compat");
        QTest::addRow("quirks mode kept without a doctype")
            << QStringLiteral("<html><p>x") << QStringLiteral("document.compatMode")
            << QStringLiteral("BackCompat");
        QTest::addRow("link to an anchor of the page")
            << QStringLiteral("<a id=a href='#x'>x</a>")
            << QStringLiteral("document.getElementById('a').href")
            << QUrl::fromLocalFile(m_dir.path() + u'/').toString() + QStringLiteral("#x");
        QTest::addRow("text beyond ASCII")
            << QStringLiteral("<p id=p>gr\u00fc\u00dfe \u20ac</p>")
            << QStringLiteral("document.getElementById('p').textContent")
            << QStringLiteral("gr\u00fc\u00dfe \u20ac");
    }

    void relativeAddressesResolveAgainstTheBase()
    {
        QFETCH(QString, html);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QVERIFY(loadBuffer(html));
        (void)waitUntil([&] { return evaluate(script).toString() == expected; });
        QCOMPARE(evaluate(script).toString(), expected);
        QCOMPARE(m_renderer->CurrentAddress(), QUrl::fromLocalFile(m_dir.path() + u'/').toString());
    }

    void largeBufferLoads()
    {
        QString html = QStringLiteral("<title>Big</title>");
        const QString row
            = QStringLiteral("<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit.</p>\n");
        while (html.size() < 5 * 1024 * 1024)
            html += row;
        html += QStringLiteral("<p id=last>end</p>");
        QVERIFY(loadBuffer(html));
        QCOMPARE(evaluate(QStringLiteral("document.getElementById('last').textContent")).toString(),
                 QStringLiteral("end"));
        QCOMPARE(m_renderer->DocumentTitle(), QStringLiteral("Big"));
        QVERIFY(m_renderer->MaxVertPos() > 100000);
    }

    void showsBufferUntilAnythingElseLoads_data()
    {
        QTest::addColumn<QString>("then"); // what happens after the text is shown
        QTest::addColumn<bool>("shows");
        QTest::addRow("nothing") << "" << true;
        QTest::addRow("asked with another text") << "other text" << false;
        QTest::addRow("asked with another directory") << "other directory" << false;
        QTest::addRow("another text loaded") << "load text" << false;
        QTest::addRow("a file loaded") << "load file" << false;
        QTest::addRow("cleared") << "clear" << false;
        QTest::addRow("the page went elsewhere") << "script" << false;
        QTest::addRow("images switched off") << "images off" << false;
        QTest::addRow("the same text being loaded again") << "loading" << false;
    }

    // What a caller may skip loading again is exactly what is shown.
    void showsBufferUntilAnythingElseLoads()
    {
        QFETCH(QString, then);
        QFETCH(bool, shows);
        const QString text = QStringLiteral("<p>shown</p>");
        QString directory = m_dir.path();
        QVERIFY(!m_renderer->ShowsBuffer(text, directory));
        QVERIFY(loadBuffer(text, directory));
        QString asked = text;
        if (then == QLatin1String("other text")) {
            asked = QStringLiteral("<p>shown.</p>");
        } else if (then == QLatin1String("other directory")) {
            directory = path(QStringLiteral("sub"));
        } else if (then == QLatin1String("load text")) {
            QVERIFY(loadBuffer(QStringLiteral("<p>other</p>"), directory));
        } else if (then == QLatin1String("load file")) {
            QVERIFY(TestEnvironment::writeFile(path(QStringLiteral("same.htm")), text.toUtf8()));
            QVERIFY(loadFile(path(QStringLiteral("same.htm"))));
        } else if (then == QLatin1String("clear")) {
            QVERIFY(TestEnvironment::waitForLoad(m_renderer.get(), [&] { m_renderer->Clear(); }));
        } else if (then == QLatin1String("script")) {
            QVERIFY(TestEnvironment::writeFile(path(QStringLiteral("next.htm")), "<p>next</p>"));
            QVERIFY(TestEnvironment::waitForLoad(m_renderer.get(), [&] {
                evaluate(QStringLiteral("location.href = 'next.htm'; 0"));
            }));
        } else if (then == QLatin1String("images off")) {
            m_renderer->SetViewImages(false);
        } else if (then == QLatin1String("loading")) {
            m_renderer->LoadFromBuffer(text, directory);
        }
        QCOMPARE(m_renderer->ShowsBuffer(asked, directory), shows);
        if (then == QLatin1String("loading")) {
            QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
            QVERIFY(finishLoad(finished));
            QVERIFY(m_renderer->ShowsBuffer(text, directory));
        }
    }

    void changedBufferInPlace_data()
    {
        QTest::addColumn<QString>("shown"); // what the caller says is shown
        QTest::addColumn<QString>("selector");
        QTest::addColumn<bool>("busy"); // another load under way when asked
        QTest::addColumn<bool>("inPlace");
        const QString page = QStringLiteral("<table><tr><td id=a>one</td><td id=b>two</td></tr>"
                                            "</table><p style='height:3000px'>tall</p>");
        QTest::addRow("the text shown") << page << "#b" << false << true;
        QTest::addRow("another text shown") << page + "<p>"
                                            << "#b" << false << false;
        QTest::addRow("no such element") << page << "#c" << false << false;
        QTest::addRow("more than one element") << page << "td" << false << false;
        QTest::addRow("a load under way") << page << "#b" << true << false;
    }

    // A small change goes in place when it safely can; either way the
    // document ends up as the new text, with one loadFinished.
    void changedBufferInPlace()
    {
        QFETCH(QString, shown);
        QFETCH(QString, selector);
        QFETCH(bool, busy);
        QFETCH(bool, inPlace);
        const QString page = QStringLiteral("<table><tr><td id=a>one</td><td id=b>two</td></tr>"
                                            "</table><p style='height:3000px'>tall</p>");
        QString changed = page;
        changed.replace(QStringLiteral("<td id=b>two</td>"),
                        QStringLiteral("<th id=b>2 &amp; 3</th>"));
        QVERIFY(loadBuffer(page));
        m_renderer->SetPosition(200);
        QTRY_COMPARE_WITH_TIMEOUT(m_renderer->Position(), 200, signalBound);
        evaluate(QStringLiteral("window.mark = 'kept'; 0"));
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        if (busy)
            m_renderer->LoadFromBuffer(page, m_dir.path());
        m_renderer->LoadChangedBuffer(
            changed, m_dir.path(), shown,
            { selector, QStringLiteral("td,th"), QStringLiteral("<th id=b>2 &amp; 3</th>") });
        QVERIFY(finishLoad(finished, busy ? 2 : 1));
        settle();
        QCOMPARE(finished.size(), busy ? 2 : 1);
        QVERIFY(finished.last().at(0).toBool());
        QCOMPARE(evaluate(QStringLiteral("document.getElementById('b').outerHTML")).toString(),
                 QStringLiteral("<th id=\"b\">2 &amp; 3</th>"));
        QCOMPARE(evaluate(QStringLiteral("String(window.mark)")).toString(),
                 inPlace ? QStringLiteral("kept") : QStringLiteral("undefined"));
        if (inPlace)
            QCOMPARE(m_renderer->Position(), 200);
        QVERIFY(m_renderer->ShowsBuffer(changed, m_dir.path()));
        QCOMPARE(m_renderer->CurrentAddress(),
                 RendererDocument::directoryUrl(m_dir.path()).toString());
    }

    void everyLoadEndsOnce()
    {
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        QSignalSpy busy(m_renderer.get(), &Renderer::busyChanged);
        m_renderer->LoadFromBuffer(QStringLiteral("<p id=p>one</p>"), m_dir.path());
        QVERIFY(m_renderer->Busy());
        m_renderer->LoadFromBuffer(QStringLiteral("<p id=p>two</p>"), m_dir.path());
        m_renderer->LoadFromBuffer(QStringLiteral("<p id=p>three</p>"), m_dir.path());
        QVERIFY(finishLoad(finished, 3));
        settle();
        QCOMPARE(finished.size(), 3);
        QCOMPARE(evaluate(QStringLiteral("document.getElementById('p').textContent")).toString(),
                 QStringLiteral("three"));
        QCOMPARE(busy.size(), 2);
        QVERIFY(!m_renderer->Busy());
    }

    void fragmentOfTheShownFile()
    {
        const QString file = path(QStringLiteral("long.htm"));
        QVERIFY(TestEnvironment::writeFile(
            file, "<body style='margin:0'><div style='height:3000px'></div><p id=end>end</p>"));
        QVERIFY(loadFile(file));
        QVERIFY(loadFile(QUrl::fromLocalFile(file).toString() + QStringLiteral("#end")));
        QVERIFY(m_renderer->Position() > 0);
        QVERIFY(loadFile(file));
    }

    void closingAnswersEveryWaitingCall()
    {
        QVERIFY(loadBuffer(QStringLiteral("<p>apple</p>")));
        int findCalls = 0;
        int printCalls = 0;
        bool printed = true;
        m_renderer->FindNext(QStringLiteral("apple"), false, [&](bool) { ++findCalls; });
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(QStringLiteral("closing.pdf")));
        m_renderer->Print(&printer, 1, 9999, [&](bool ok) {
            ++printCalls;
            printed = ok;
        });
        m_renderer->LoadFromBuffer(QStringLiteral("<p>next</p>"), m_dir.path());
        m_renderer.reset();
        // Both are answered while the renderer closes.
        QCOMPARE(findCalls, 1);
        QCOMPARE(printCalls, 1);
        QVERIFY(!printed);
    }

    void clearShowsAnEmptyDocument()
    {
        QVERIFY(loadBuffer(QStringLiteral("<title>T</title><p>text</p>")));
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        m_renderer->Clear();
        QVERIFY(finishLoad(finished));
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(
            evaluate(QStringLiteral("document.body ? document.body.textContent : ''")).toString(),
            QString());
        QCOMPARE(m_renderer->CurrentAddress(), QString());
        QCOMPARE(m_renderer->DocumentTitle(), QString());
    }

    void missingFileFails()
    {
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        m_renderer->LoadFromFile(path(QStringLiteral("nothing-here.htm")));
        QVERIFY(finishLoad(finished));
        QCOMPARE(finished.first().first().toBool(), false);
        QVERIFY(m_renderer->History().isEmpty());
    }

    void imagesCanBeSwitchedOff()
    {
        m_renderer->SetViewImages(false);
        QVERIFY(!m_renderer->ViewImages());
        // The load ends once the document's images are in, so nothing is missed here.
        QVERIFY(loadBuffer(QStringLiteral("<img id=i src=wide.png>")));
        QCOMPARE(evaluate(QStringLiteral("document.getElementById('i').naturalWidth")).toInt(), 0);
        m_renderer->SetViewImages(true);
        QVERIFY(loadBuffer(QStringLiteral("<img id=i src=wide.png>")));
        QCOMPARE(imageWidth(QStringLiteral("i")), 37);
    }

    void changedImageShowsAfterReload_data()
    {
        QTest::addColumn<bool>("fromFile");
        QTest::addRow("buffer") << false;
        QTest::addRow("file") << true;
    }

    void changedImageShowsAfterReload()
    {
        QFETCH(bool, fromFile);
        const QString image = path(QStringLiteral("changing.png"));
        const QString page = path(QStringLiteral("changing.htm"));
        const QByteArray html = "<img id=i src=changing.png>";
        QVERIFY(TestEnvironment::writeFile(page, html));
        m_renderer->SetImageCacheCount(0);
        writeImage(image, 10, 10);
        QVERIFY(fromFile ? loadFile(page) : loadBuffer(QString::fromLatin1(html)));
        QCOMPARE(imageWidth(QStringLiteral("i")), 10);
        writeImage(image, 20, 20);
        QVERIFY(fromFile ? loadFile(page) : loadBuffer(QString::fromLatin1(html)));
        QCOMPARE(imageWidth(QStringLiteral("i")), 20);
    }

    void positionAppliesOnceLoaded_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<bool>("toEnd");
        QTest::addRow("inside the document") << 300 << false;
        QTest::addRow("beyond the end") << 1000000 << true;
    }

    void positionAppliesOnceLoaded()
    {
        QFETCH(int, requested);
        QFETCH(bool, toEnd);
        const QString html
            = QStringLiteral("<body style='margin:0'><div style='height:5000px'>tall</div>");
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        m_renderer->LoadFromBuffer(html, m_dir.path());
        m_renderer->SetPosition(requested);
        QVERIFY(finishLoad(finished));
        QVERIFY(m_renderer->MaxVertPos() > 4000);
        const int expected = toEnd ? m_renderer->MaxVertPos() : requested;
        QCOMPARE(m_renderer->Position(), expected);
        QCOMPARE(evaluate(QStringLiteral("window.scrollY")).toInt(), expected);

        // And when the document is already there.
        m_renderer->SetPosition(120);
        (void)waitUntil([&] { return evaluate(QStringLiteral("window.scrollY")).toInt() == 120; });
        QCOMPARE(evaluate(QStringLiteral("window.scrollY")).toInt(), 120);
        (void)waitUntil([&] { return m_renderer->Position() == 120; });
        QCOMPARE(m_renderer->Position(), 120);
    }

    void historyKeepsTheNewestEntries()
    {
        QStringList addresses;
        for (int i = 0; i < 12; ++i) {
            const QString file = path(QStringLiteral("page%1.htm").arg(i));
            QVERIFY(TestEnvironment::writeFile(
                file, QStringLiteral("<title>Page %1</title>").arg(i).toUtf8()));
            QVERIFY(loadFile(file));
            addresses.prepend(QUrl::fromLocalFile(file).toString());
        }
        QVERIFY(loadBuffer(QStringLiteral("<p>not an entry</p>")));
        QCOMPARE(m_renderer->HistoryMaxCount(), 10);
        QCOMPARE(m_renderer->History(), addresses.mid(0, 10));
        QCOMPARE(m_renderer->HistoryIndex(), 0);

        QSignalSpy changed(m_renderer.get(), &Renderer::historyChanged);
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        m_renderer->SetHistoryIndex(3);
        QVERIFY(finishLoad(finished));
        QCOMPARE(m_renderer->HistoryIndex(), 3);
        QCOMPARE(m_renderer->CurrentAddress(), addresses.at(3));
        QCOMPARE(m_renderer->DocumentTitle(), QStringLiteral("Page 8"));
        QCOMPARE(m_renderer->History(), addresses.mid(0, 10));
        QVERIFY(changed.size() >= 1);

        // A new page seen from an older entry drops the newer ones.
        QVERIFY(loadFile(path(QStringLiteral("page0.htm"))));
        QCOMPARE(m_renderer->History(), QStringList { addresses.at(11) } + addresses.mid(3, 7));
        QCOMPARE(m_renderer->HistoryIndex(), 0);

        finished.clear();
        m_renderer->SetHistoryIndex(2);
        QVERIFY(finishLoad(finished));
        m_renderer->SetHistoryMaxCount(2);
        QCOMPARE(m_renderer->History(), (QStringList { addresses.at(11), addresses.at(3) }));
        QCOMPARE(m_renderer->HistoryIndex(), 1);
    }

    void findLooksForward_data()
    {
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("matches");
        QTest::addRow("match case") << true << 2;
        QTest::addRow("any case") << false << 4;
    }

    void findLooksForward()
    {
        QFETCH(bool, matchCase);
        QFETCH(int, matches);
        QVERIFY(loadBuffer(QStringLiteral("<p>Apple apple APPLE pear</p>"
                                          "<div style='height:3000px'></div><p>apple</p>")));
        // After the end a search starts again from the top and finds every match again.
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < matches; ++i)
                QVERIFY2(findNext(QStringLiteral("apple"), matchCase),
                         qPrintable(QStringLiteral("pass %1, match %2").arg(pass).arg(i)));
            QVERIFY(!findNext(QStringLiteral("apple"), matchCase));
        }
        QVERIFY(!findNext(QStringLiteral("cherry"), matchCase));
        QVERIFY(!findNext(QString(), matchCase));
    }

    void selectionIsCopied()
    {
        QVERIFY(loadBuffer(QStringLiteral("<p id=p>Hello <b>bold</b> world</p>")));
        QCOMPARE(m_renderer->SelLength(), 0);
        evaluate(QStringLiteral("getSelection().selectAllChildren(document.getElementById('p'))"));
        (void)waitUntil(
            [&] { return m_renderer->SelText() == QStringLiteral("Hello bold world"); });
        QCOMPARE(m_renderer->SelText(), QStringLiteral("Hello bold world"));
        QCOMPARE(m_renderer->SelLength(), 16);
        QGuiApplication::clipboard()->clear();
        m_renderer->CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Hello bold world"));
    }

    void titleOfTheDocument_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("fromFile");
        QTest::addColumn<QString>("title");
        QTest::addRow("titled text")
            << QStringLiteral("<title>My page</title><p>x") << false << QStringLiteral("My page");
        QTest::addRow("untitled text") << QStringLiteral("<p>x") << false << QString();
        QTest::addRow("titled file")
            << QStringLiteral("<title>On disk</title><p>x") << true << QStringLiteral("On disk");
        QTest::addRow("untitled file") << QStringLiteral("<p>x") << true << QString();
    }

    void titleOfTheDocument()
    {
        QFETCH(QString, html);
        QFETCH(bool, fromFile);
        QFETCH(QString, title);
        QSignalSpy changed(m_renderer.get(), &Renderer::titleChanged);
        if (fromFile) {
            const QString file = path(QStringLiteral("titled.htm"));
            QVERIFY(TestEnvironment::writeFile(file, html.toUtf8()));
            QVERIFY(loadFile(file));
        } else {
            QVERIFY(loadBuffer(html));
        }
        (void)waitUntil([&] { return m_renderer->DocumentTitle() == title; });
        QCOMPARE(m_renderer->DocumentTitle(), title);
        if (!title.isEmpty()) {
            QVERIFY(!changed.isEmpty());
            QCOMPARE(changed.last().first().toString(), title);
        }
    }

    void linkClicks_data()
    {
        // What the receiver of the click does: nothing (the renderer follows
        // the link), answers handled, or answers handled and shows another file.
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<QString>("window");
        for (const QString &window : { QString(), QStringLiteral("_blank") }) {
            const char *where = window.isEmpty() ? "same window" : "new window";
            QTest::addRow("%s, followed", where) << QStringLiteral("follows") << window;
            QTest::addRow("%s, handled", where) << QStringLiteral("handles") << window;
            QTest::addRow("%s, handled by loading a file", where)
                << QStringLiteral("loads") << window;
            QTest::addRow("%s, handled by loading the link's own file", where)
                << QStringLiteral("loads itself") << window;
        }
    }

    void linkClicks()
    {
        QFETCH(QString, receiver);
        QFETCH(QString, window);
        const QString file = path(QStringLiteral("target.htm"));
        QVERIFY(TestEnvironment::writeFile(file, "<title>Target</title><p>there"));
        const QString other = path(QStringLiteral("other.htm"));
        QVERIFY(TestEnvironment::writeFile(other, "<title>Other</title><p>elsewhere"));
        QVERIFY(loadBuffer(
            QStringLiteral(
                "<title>Start</title><body style='margin:0'>"
                "<a id=a href=\"target.htm\" target='%1' style='display:block;height:50px'>go</a>")
                .arg(window)));
        QStringList clicked;
        connect(m_renderer.get(), &Renderer::hotSpotClicked, this,
                [&](const QString &address, bool *handled) {
                    clicked << address;
                    *handled = receiver != QLatin1String("follows");
                    if (receiver == QLatin1String("loads"))
                        m_renderer->LoadFromFile(other);
                    else if (receiver == QLatin1String("loads itself"))
                        m_renderer->LoadFromFile(QUrl(address).toLocalFile());
                });
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        // A real click: a new window opens only on the user's command.
        QWidget *surface = m_renderer->findChild<QWebEngineView *>()->focusProxy();
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(20, 20));
        (void)waitUntil([&] { return clicked.size() == 1; });
        QCOMPARE(clicked.size(), 1);
        const QString target = QUrl::fromLocalFile(file).toString();
        QCOMPARE(clicked.first(), target);
        QString shown = target;
        QString title = QStringLiteral("Target");
        if (receiver == QLatin1String("handles")) {
            settle();
            QCOMPARE(finished.size(), 0);
            QVERIFY(!m_renderer->Busy());
            QCOMPARE(m_renderer->DocumentTitle(), QStringLiteral("Start"));
            QVERIFY(m_renderer->History().isEmpty());
            return;
        }
        if (receiver == QLatin1String("loads")) {
            shown = QUrl::fromLocalFile(other).toString();
            title = QStringLiteral("Other");
        }
        QVERIFY(finishLoad(finished));
        QCOMPARE(finished.first().first().toBool(), true);
        settle();
        QCOMPARE(finished.size(), 1);
        QVERIFY(!m_renderer->Busy());
        QCOMPARE(m_renderer->CurrentAddress(), shown);
        QCOMPARE(m_renderer->DocumentTitle(), title);
        QCOMPARE(m_renderer->History(), QStringList { shown });
    }

    void linkUnderTheMouse()
    {
        QVERIFY(loadBuffer(
            QStringLiteral("<body style='margin:0'>"
                           "<a href='pics/a.gif' style='display:block;height:50px'>picture</a>"
                           "<div style='height:200px'>no link</div>")));
        QSignalSpy covered(m_renderer.get(), &Renderer::hotSpotCovered);
        QWidget *surface = m_renderer->findChild<QWebEngineView *>()->focusProxy();
        QTest::mouseMove(surface, QPoint(20, 20));
        QVERIFY(waitUntil([&] { return covered.size() >= 1; }));
        QCOMPARE(covered.last().first().toString(),
                 QUrl::fromLocalFile(path(QStringLiteral("pics/a.gif"))).toString());
        QTest::mouseMove(surface, QPoint(20, 150));
        QVERIFY(waitUntil([&] { return covered.size() >= 2; }));
        QCOMPARE(covered.last().first().toString(), QString());
    }

    void popUpMenuRequest()
    {
        QVERIFY(loadBuffer(QStringLiteral("<p>text")));
        m_renderer->setContextMenuPolicy(Qt::CustomContextMenu);
        QSignalSpy requested(m_renderer.get(), &QWidget::customContextMenuRequested);
        QWidget *surface = m_renderer->findChild<QWebEngineView *>()->focusProxy();
        QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(30, 40));
        QVERIFY(waitUntil([&] { return !requested.isEmpty(); }));
        QCOMPARE(requested.first().first().toPoint(), QPoint(30, 40));
    }

    void anchorsMoveWithinTheDocument()
    {
        QVERIFY(loadBuffer(QStringLiteral("<body style='margin:0'><a id=a href='#end'>down</a>"
                                          "<div style='height:4000px'></div><p id=end>end</p>")));
        QStringList clicked;
        connect(m_renderer.get(), &Renderer::hotSpotClicked, this,
                [&](const QString &address, bool *) { clicked << address; });
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        evaluate(QStringLiteral("document.getElementById('a').click()"));
        QVERIFY(waitUntil([&] { return evaluate(QStringLiteral("window.scrollY")).toInt() > 0; }));
        settle();
        QCOMPARE(clicked, QStringList());
        QVERIFY(!m_renderer->Busy());
        QCOMPARE(finished.size(), 0);
        QVERIFY(m_renderer->History().isEmpty());
        QVERIFY(waitUntil([&] { return m_renderer->Position() > 0; }));
    }

    void formsAreReported_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("submit");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QStringList>("pairs");
        const QString fields = QStringLiteral(
            "<input name=first value='a b&c'><input type=checkbox name=box value=yes checked>"
            "<input type=checkbox name=off><input name=disabled value=x disabled>"
            "<select name=pick multiple><option>one<option selected>two<option selected "
            "value=3>three</select>"
            "<textarea name=text>line</textarea><input type=radio name=r value=1><input type=radio "
            "name=r value=2 checked>"
            "<button id=go name=go value=pressed>Go</button><input type=submit name=other "
            "value=no>");
        const QStringList pairs { QStringLiteral("first=a b&c"), QStringLiteral("box=yes"),
                                  QStringLiteral("pick=two"),    QStringLiteral("pick=3"),
                                  QStringLiteral("text=line"),   QStringLiteral("r=2"),
                                  QStringLiteral("go=pressed") };
        QTest::addRow("get by button")
            << QStringLiteral("<form id=f action='do.cgi' method=get>") + fields
            << QStringLiteral("document.getElementById('go').click()") << QStringLiteral("GET")
            << pairs;
        QTest::addRow("post by button")
            << QStringLiteral("<form id=f action='do.cgi' method=post>") + fields
            << QStringLiteral("document.getElementById('go').click()") << QStringLiteral("POST")
            << pairs;
        QTest::addRow("post by script")
            << QStringLiteral("<form id=f action='do.cgi' method=POST>") + fields
            << QStringLiteral("document.getElementById('f').submit()") << QStringLiteral("POST")
            << pairs.mid(0, 6);
    }

    void formsAreReported()
    {
        QFETCH(QString, form);
        QFETCH(QString, submit);
        QFETCH(QString, method);
        QFETCH(QStringList, pairs);
        QVERIFY(
            loadBuffer(QStringLiteral("<title>Form</title>") + form + QStringLiteral("</form>")));
        QSignalSpy submitted(m_renderer.get(), &Renderer::formSubmitted);
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        evaluate(submit);
        (void)waitUntil([&] { return submitted.size() == 1; });
        QCOMPARE(submitted.size(), 1);
        QCOMPARE(submitted.first().at(0).toString(),
                 QUrl::fromLocalFile(path(QStringLiteral("do.cgi"))).toString());
        QCOMPARE(submitted.first().at(1).toString(), method);
        QCOMPARE(submitted.first().at(2).toStringList(), pairs);
        settle();
        QCOMPARE(finished.size(), 0);
        QCOMPARE(m_renderer->DocumentTitle(), QStringLiteral("Form"));
    }

    void defaultTextColourYieldsToThePage_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("colour");
        QTest::addRow("page without colours")
            << QStringLiteral("<p id=p>x") << QStringLiteral("rgb(0, 128, 0)");
        QTest::addRow("colour on the root")
            << QStringLiteral("<style>html{color:blue}</style><p id=p>x")
            << QStringLiteral("rgb(0, 0, 255)");
        QTest::addRow("text attribute")
            << QStringLiteral("<body text=red><p id=p>x") << QStringLiteral("rgb(255, 0, 0)");
    }

    void defaultTextColourYieldsToThePage()
    {
        QFETCH(QString, html);
        QFETCH(QString, colour);
        m_renderer->SetDefFontColor(QColor(0, 128, 0));
        QVERIFY(loadBuffer(html));
        QCOMPARE(evaluate(QStringLiteral("getComputedStyle(document.getElementById('p')).color"))
                     .toString(),
                 colour);
    }

    void defaultTextColourChangesTheShownDocument()
    {
        m_renderer->SetDefFontColor(QColor(0, 128, 0));
        QVERIFY(loadBuffer(QStringLiteral("<p id=p>x")));
        m_renderer->SetDefFontColor(QColor(0, 0, 128));
        const QString script
            = QStringLiteral("getComputedStyle(document.getElementById('p')).color");
        QCOMPARE(evaluate(script).toString(), QStringLiteral("rgb(0, 0, 128)"));
        QVERIFY(loadBuffer(QStringLiteral("<p id=p>y")));
        QCOMPARE(evaluate(script).toString(), QStringLiteral("rgb(0, 0, 128)"));
    }

    void defaultFontAndBackground()
    {
        m_renderer->SetDefFontSize(12);
        m_renderer->SetDefFontName(QStringLiteral("DejaVu Serif"));
        m_renderer->SetDefBackground(QColor(10, 20, 30));
        QVERIFY(loadBuffer(QStringLiteral("<p id=p>x")));
        QCOMPARE(evaluate(QStringLiteral("getComputedStyle(document.getElementById('p')).fontSize"))
                     .toString(),
                 QStringLiteral("16px"));
        QVERIFY(
            evaluate(QStringLiteral("getComputedStyle(document.getElementById('p')).fontFamily"))
                .toString()
                .contains(QStringLiteral("DejaVu Serif")));
    }

    void engineStartsWhenFirstNeeded()
    {
        Renderer hidden;
        hidden.SetViewImages(false);
        QCoreApplication::processEvents();
        QVERIFY(!hidden.findChild<QWebEngineView *>());
        QCOMPARE(hidden.DocumentTitle(), QString());
        QCOMPARE(hidden.SelLength(), 0);
        // On the screen, right after the first paint, ready for the first load.
        QVERIFY(QTest::qWaitForWindowExposed(m_renderer.get()));
        QVERIFY(waitUntil([&] { return m_renderer->findChild<QWebEngineView *>() != nullptr; }));
        QVERIFY(m_renderer->findChild<QWebEngineView *>()->isVisible());
        // Hidden, with its first load; settings made before then hold.
        QVERIFY_LOADS(&hidden,
                      [&] { hidden.LoadFromBuffer(QStringLiteral("<p>x"), m_dir.path()); });
        QVERIFY(hidden.findChild<QWebEngineView *>());
        QVERIFY(!hidden.ViewImages());
        QVERIFY(!hidden.findChild<QWebEngineView *>()->page()->settings()->testAttribute(
            QWebEngineSettings::AutoLoadImages));
    }

    void printsToAPrinter_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("pages");
        QTest::addRow("every page") << 1 << 9999 << true << 3;
        QTest::addRow("from the second") << 2 << 9999 << true << 2;
        QTest::addRow("the first only") << 1 << 1 << true << 1;
        QTest::addRow("past the end") << 5 << 9999 << false << 0;
        QTest::addRow("empty range") << 2 << 1 << false << 0;
    }

    void printsToAPrinter()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, ok);
        QFETCH(int, pages);
        const QString page = QStringLiteral("<div style='page-break-after:always'>%1</div>");
        QVERIFY(loadBuffer(page.arg(1) + page.arg(2) + QStringLiteral("<div>3</div>")));
        const QString pdf = path(QStringLiteral("out.pdf"));
        QFile::remove(pdf);
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        int calls = 0;
        bool printed = !ok;
        m_renderer->Print(&printer, from, to, [&](bool result) {
            ++calls;
            printed = result;
        });
        (void)waitUntil([&] { return calls == 1; });
        QCOMPARE(calls, 1);
        QCOMPARE(printed, ok);
        if (!ok)
            return;
        const QString written = QString::fromLatin1(TestEnvironment::readFile(pdf));
        QVERIFY(written.startsWith(QStringLiteral("%PDF")));
        static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
        int count = 0;
        for (auto match = pageObject.globalMatch(written); match.hasNext(); match.next())
            ++count;
        QCOMPARE(count, pages);

        // The first page printed shows its text: something on it is dark.
        QPdfDocument document;
        QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
        const QImage first
            = document.render(0, QSize(200, 280)).convertToFormat(QImage::Format_RGB32);
        bool inked = false;
        for (int y = 0; y < first.height() && !inked; ++y)
            for (int x = 0; x < first.width() && !inked; ++x)
                inked = qGray(first.pixel(x, y)) < 128;
        QVERIFY(inked);
    }
};

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestRenderer test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_renderer.moc"

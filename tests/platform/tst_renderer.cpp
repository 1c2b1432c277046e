// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/renderer.h"
#include "testenvironment.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace Tarnwick;

namespace {

constexpr int loadTimeout = 20000;

void writeImage(const QString &path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(path, "PNG"));
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
        if (spy.size() < expected && !QTest::qWaitFor([&] { return spy.size() >= expected; }, loadTimeout))
            return false;
        return !m_renderer->Busy();
    }

    bool loadBuffer(const QString &html, const QString &base = QString())
    {
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        m_renderer->LoadFromBuffer(html, base.isNull() ? m_dir.path() : base);
        return finishLoad(finished) && finished.first().first().toBool();
    }

    bool loadFile(const QString &file)
    {
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        m_renderer->LoadFromFile(file);
        return finishLoad(finished) && finished.first().first().toBool();
    }

    QVariant evaluate(const QString &script)
    {
        QWebEnginePage *page = m_renderer->findChild<QWebEngineView *>()->page();
        QVariant result;
        bool done = false;
        page->runJavaScript(script, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, loadTimeout))
            return QStringLiteral("<no answer>");
        return result;
    }

    // Waits until the image with the given id has loaded, or failed to.
    int imageWidth(const QString &id)
    {
        const QString script = QStringLiteral("(function(){var i=document.getElementById('%1');"
                                              "return i && i.complete ? i.naturalWidth : -1;})()")
                                   .arg(id);
        int width = -1;
        (void)QTest::qWaitFor(
            [&] {
                width = evaluate(script).toInt();
                return width >= 0;
            },
            loadTimeout);
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
        if (!QTest::qWaitFor([&] { return calls > 0; }, loadTimeout))
            return false;
        QTest::qWait(0);
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
        QVERIFY(TestEnvironment::writeFile(path(QStringLiteral("style.css")), "p { margin-left: 23px }"));
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
                               << QStringLiteral("document.getElementById('i').naturalWidth") << QStringLiteral("37");
        QTest::addRow("image in a subfolder")
            << QStringLiteral("<img id=i src=\"sub/inner.png\">")
            << QStringLiteral("document.getElementById('i').naturalWidth") << QStringLiteral("11");
        QTest::addRow("style sheet") << QStringLiteral("<link rel=stylesheet href=style.css><p id=p>x</p>")
                                     << QStringLiteral("getComputedStyle(document.getElementById('p')).marginLeft")
                                     << QStringLiteral("23px");
        QTest::addRow("text beyond ASCII")
            << QStringLiteral("<p id=p>gr\u00fc\u00dfe \u20ac</p>")
            << QStringLiteral("document.getElementById('p').textContent") << QStringLiteral("gr\u00fc\u00dfe \u20ac");
    }

    void relativeAddressesResolveAgainstTheBase()
    {
        QFETCH(QString, html);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QVERIFY(loadBuffer(html));
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(script).toString(), expected, loadTimeout);
        QCOMPARE(m_renderer->CurrentAddress(), QUrl::fromLocalFile(m_dir.path() + u'/').toString());
    }

    void largeBufferLoads()
    {
        QString html = QStringLiteral("<title>Big</title>");
        const QString row = QStringLiteral("<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit.</p>\n");
        while (html.size() < 5 * 1024 * 1024)
            html += row;
        html += QStringLiteral("<p id=last>end</p>");
        QVERIFY(loadBuffer(html));
        QCOMPARE(evaluate(QStringLiteral("document.getElementById('last').textContent")).toString(),
                 QStringLiteral("end"));
        QCOMPARE(m_renderer->DocumentTitle(), QStringLiteral("Big"));
        QVERIFY(m_renderer->MaxVertPos() > 100000);
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
        QTest::qWait(200);
        QCOMPARE(finished.size(), 3);
        QCOMPARE(evaluate(QStringLiteral("document.getElementById('p').textContent")).toString(),
                 QStringLiteral("three"));
        QCOMPARE(busy.size(), 2);
        QVERIFY(!m_renderer->Busy());
    }

    void clearShowsAnEmptyDocument()
    {
        QVERIFY(loadBuffer(QStringLiteral("<title>T</title><p>text</p>")));
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        m_renderer->Clear();
        QVERIFY(finishLoad(finished));
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(evaluate(QStringLiteral("document.body ? document.body.textContent : ''")).toString(), QString());
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
        QVERIFY(loadBuffer(QStringLiteral("<img id=i src=wide.png>")));
        QTest::qWait(300);
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
        const QString html = QStringLiteral("<body style='margin:0'><div style='height:5000px'>tall</div>");
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
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(QStringLiteral("window.scrollY")).toInt(), 120, loadTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(m_renderer->Position(), 120, loadTimeout);
    }

    void historyKeepsTheNewestEntries()
    {
        QStringList addresses;
        for (int i = 0; i < 12; ++i) {
            const QString file = path(QStringLiteral("page%1.htm").arg(i));
            QVERIFY(TestEnvironment::writeFile(file, QStringLiteral("<title>Page %1</title>").arg(i).toUtf8()));
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
        QCOMPARE(m_renderer->History(), QStringList{addresses.at(11)} + addresses.mid(3, 7));
        QCOMPARE(m_renderer->HistoryIndex(), 0);
    }

    void findLooksForward_data()
    {
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("matches");
        QTest::addRow("match case") << true << 1;
        QTest::addRow("any case") << false << 3;
    }

    void findLooksForward()
    {
        QFETCH(bool, matchCase);
        QFETCH(int, matches);
        QVERIFY(loadBuffer(QStringLiteral("<p>Apple apple APPLE pear</p>")));
        for (int i = 0; i < matches; ++i)
            QVERIFY2(findNext(QStringLiteral("apple"), matchCase), qPrintable(QString::number(i)));
        QVERIFY(!findNext(QStringLiteral("apple"), matchCase));
        // After the end a search starts again from the top.
        QVERIFY(findNext(QStringLiteral("apple"), matchCase));
        QVERIFY(!findNext(QStringLiteral("cherry"), matchCase));
        QVERIFY(!findNext(QString(), matchCase));
    }

    void selectionIsCopied()
    {
        QVERIFY(loadBuffer(QStringLiteral("<p id=p>Hello <b>bold</b> world</p>")));
        QCOMPARE(m_renderer->SelLength(), 0);
        evaluate(QStringLiteral("getSelection().selectAllChildren(document.getElementById('p'))"));
        QTRY_COMPARE_WITH_TIMEOUT(m_renderer->SelText(), QStringLiteral("Hello bold world"), loadTimeout);
        QCOMPARE(m_renderer->SelLength(), 16);
        QGuiApplication::clipboard()->clear();
        m_renderer->CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Hello bold world"));
    }

    void titleOfTheDocument_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("title");
        QTest::addRow("titled") << QStringLiteral("<title>My page</title><p>x") << QStringLiteral("My page");
        QTest::addRow("untitled") << QStringLiteral("<p>x") << QString();
    }

    void titleOfTheDocument()
    {
        QFETCH(QString, html);
        QFETCH(QString, title);
        QVERIFY(loadBuffer(html));
        QTRY_COMPARE_WITH_TIMEOUT(m_renderer->DocumentTitle(), title, loadTimeout);
    }

    void linkClicks_data()
    {
        QTest::addColumn<bool>("handle");
        QTest::addRow("handled by the receiver") << true;
        QTest::addRow("followed by the renderer") << false;
    }

    void linkClicks()
    {
        QFETCH(bool, handle);
        const QString target = path(QStringLiteral("target.htm"));
        QVERIFY(TestEnvironment::writeFile(target, "<title>Target</title><p>there"));
        QVERIFY(loadBuffer(QStringLiteral("<title>Start</title><a id=a href=\"target.htm\">go</a>")));
        QStringList clicked;
        connect(m_renderer.get(), &Renderer::hotSpotClicked, this, [&](const QString &address, bool *handled) {
            clicked << address;
            *handled = handle;
        });
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        evaluate(QStringLiteral("document.getElementById('a').click()"));
        QTRY_COMPARE_WITH_TIMEOUT(clicked.size(), 1, loadTimeout);
        QCOMPARE(clicked.first(), QUrl::fromLocalFile(target).toString());
        if (handle) {
            QTest::qWait(300);
            QCOMPARE(m_renderer->DocumentTitle(), QStringLiteral("Start"));
            QVERIFY(m_renderer->History().isEmpty());
        } else {
            QVERIFY(finishLoad(finished));
            QCOMPARE(m_renderer->CurrentAddress(), QUrl::fromLocalFile(target).toString());
            QCOMPARE(m_renderer->DocumentTitle(), QStringLiteral("Target"));
            QCOMPARE(m_renderer->History(), QStringList{QUrl::fromLocalFile(target).toString()});
        }
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
            "<select name=pick multiple><option>one<option selected>two<option selected value=3>three</select>"
            "<textarea name=text>line</textarea><input type=radio name=r value=1><input type=radio name=r value=2 checked>"
            "<button id=go name=go value=pressed>Go</button><input type=submit name=other value=no>");
        const QStringList pairs{QStringLiteral("first=a b&c"), QStringLiteral("box=yes"), QStringLiteral("pick=two"),
                                QStringLiteral("pick=3"),      QStringLiteral("text=line"), QStringLiteral("r=2"),
                                QStringLiteral("go=pressed")};
        QTest::addRow("get by button") << QStringLiteral("<form id=f action='do.cgi' method=get>") + fields
                                       << QStringLiteral("document.getElementById('go').click()")
                                       << QStringLiteral("GET") << pairs;
        QTest::addRow("post by button") << QStringLiteral("<form id=f action='do.cgi' method=post>") + fields
                                        << QStringLiteral("document.getElementById('go').click()")
                                        << QStringLiteral("POST") << pairs;
        QTest::addRow("post by script")
            << QStringLiteral("<form id=f action='do.cgi' method=POST>") + fields
            << QStringLiteral("document.getElementById('f').submit()") << QStringLiteral("POST") << pairs.mid(0, 6);
    }

    void formsAreReported()
    {
        QFETCH(QString, form);
        QFETCH(QString, submit);
        QFETCH(QString, method);
        QFETCH(QStringList, pairs);
        QVERIFY(loadBuffer(QStringLiteral("<title>Form</title>") + form + QStringLiteral("</form>")));
        QSignalSpy submitted(m_renderer.get(), &Renderer::formSubmitted);
        QSignalSpy finished(m_renderer.get(), &Renderer::loadFinished);
        evaluate(submit);
        QTRY_COMPARE_WITH_TIMEOUT(submitted.size(), 1, loadTimeout);
        QCOMPARE(submitted.first().at(0).toString(), QUrl::fromLocalFile(path(QStringLiteral("do.cgi"))).toString());
        QCOMPARE(submitted.first().at(1).toString(), method);
        QCOMPARE(submitted.first().at(2).toStringList(), pairs);
        QTest::qWait(200);
        QCOMPARE(finished.size(), 0);
        QCOMPARE(m_renderer->DocumentTitle(), QStringLiteral("Form"));
    }

    void defaultTextColourYieldsToThePage_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("colour");
        QTest::addRow("page without colours") << QStringLiteral("<p id=p>x") << QStringLiteral("rgb(0, 128, 0)");
        QTest::addRow("colour on the root")
            << QStringLiteral("<style>html{color:blue}</style><p id=p>x") << QStringLiteral("rgb(0, 0, 255)");
        QTest::addRow("text attribute")
            << QStringLiteral("<body text=red><p id=p>x") << QStringLiteral("rgb(255, 0, 0)");
    }

    void defaultTextColourYieldsToThePage()
    {
        QFETCH(QString, html);
        QFETCH(QString, colour);
        m_renderer->SetDefFontColor(QColor(0, 128, 0));
        QVERIFY(loadBuffer(html));
        QCOMPARE(evaluate(QStringLiteral("getComputedStyle(document.getElementById('p')).color")).toString(), colour);
    }

    void defaultFontAndBackground()
    {
        m_renderer->SetDefFontSize(12);
        m_renderer->SetDefFontName(QStringLiteral("DejaVu Serif"));
        m_renderer->SetDefBackground(QColor(10, 20, 30));
        QVERIFY(loadBuffer(QStringLiteral("<p id=p>x")));
        QCOMPARE(evaluate(QStringLiteral("getComputedStyle(document.getElementById('p')).fontSize")).toString(),
                 QStringLiteral("16px"));
        QVERIFY(evaluate(QStringLiteral("getComputedStyle(document.getElementById('p')).fontFamily"))
                    .toString()
                    .contains(QStringLiteral("DejaVu Serif")));
    }

    void printsToAPrinter()
    {
        QVERIFY(loadBuffer(QStringLiteral("<h1>Printed</h1>")));
        const QString pdf = path(QStringLiteral("out.pdf"));
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        int calls = 0;
        bool ok = false;
        m_renderer->Print(&printer, 1, 9999, [&](bool result) {
            ++calls;
            ok = result;
        });
        QTRY_COMPARE_WITH_TIMEOUT(calls, 1, loadTimeout);
        QVERIFY(ok);
        QVERIFY(TestEnvironment::readFile(pdf).startsWith("%PDF"));
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

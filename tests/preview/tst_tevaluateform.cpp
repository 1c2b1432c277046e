// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "preview/tevaluateform.h"

#include "support/scriptedprompter.h"
#include "support/testenvironment.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Tarnwick;

namespace {

const QString samplePage = QStringLiteral(
    "<html><head><title>Price List</title></head>\n"
    "<body background=\"bg.gif\">\n"
    "<img src=\"pics/a.gif\"> <img src='pics/gone.gif'>\n"
    "<a href=\"#top\">Up</a> <a href=\"index.htm\">Home</a> <a href=\"index.htm#news\">N</a>\n"
    "<a href=\"mailto:sales@example.com\">Mail</a>\n"
    "<a name=\"end\"></a>\n");

// A double click as the user makes it: the first click selects the entry.
void doubleClick(QListWidget *list, QListWidgetItem *item)
{
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TestEvaluateForm final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void init();
    void cleanup();

    void listsAndCaption();
    void editorUntouched();
    void detailDoubleClick_data();
    void detailDoubleClick();
    void clickShowsEntryAndDeselectsOthers();
    void linkDoubleClick_data();
    void linkDoubleClick();
    void evaluatesOnEachActivation();

private:
    QListWidget *list(const char *name) const
    {
        return m_form->findChild<QListWidget *>(QLatin1String(name));
    }

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    std::unique_ptr<EditorControl> m_editor;
    std::unique_ptr<TEvaluateForm> m_form;
    QList<QUrl> m_opened;
    bool m_openerWorks = true;
};

void TestEvaluateForm::init()
{
    QVERIFY(TestEnvironment::writeFile(m_dir.filePath("bg.gif"), QByteArray(30, 'b')));
    QVERIFY(TestEnvironment::writeFile(m_dir.filePath("pics/a.gif"), QByteArray(70, 'a')));
    QVERIFY(TestEnvironment::writeFile(m_dir.filePath("index.htm"), "<html></html>"));
    m_editor = std::make_unique<EditorControl>();
    m_editor->SetText(samplePage);
    m_editor->resize(600, 300);
    m_prompter.clear();
    m_opened.clear();
    m_openerWorks = true;
    const QString page = m_dir.filePath("prices.htm");
    m_form = std::make_unique<TEvaluateForm>(m_editor.get(), &m_prompter, [page] { return page; });
    m_form->setUrlOpener([this](const QUrl &url) {
        m_opened.append(url);
        return m_openerWorks;
    });
}

void TestEvaluateForm::cleanup()
{
    m_form.reset();
    m_editor.reset();
}

void TestEvaluateForm::listsAndCaption()
{
    m_form->Evaluate();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Web details for: <Price List>"));
    const auto entries = [this](const char *name) {
        QStringList texts;
        for (int i = 0; i < list(name)->count(); ++i)
            texts.append(list(name)->item(i)->text());
        return texts;
    };
    QCOMPARE(entries("FilesFound"), QStringList({ "bg.gif", "pics/a.gif" }));
    QCOMPARE(entries("FilesMissing"), QStringList { "pics/gone.gif" });
    QCOMPARE(entries("Links"),
             QStringList({ "#top", "index.htm", "index.htm#news", "mailto:sales@example.com" }));
    // index.htm has no anchor "news": that link is broken, and so not located.
    QCOMPARE(entries("LocatedLinks"), QStringList { "index.htm" });
    QCOMPARE(entries("Broken"), QStringList { "index.htm#news" });
    QCOMPARE(entries("PageMarkers"), QStringList { "end" });
    QCOMPARE(entries("MissingPages"), QStringList({ "#end", "top" }));
    QCOMPARE(entries("WebDetails"), m_form->report().WebDetails);
    QCOMPARE(entries("WebDetails").constLast(),
             QStringLiteral("Page contains 2 SRC references totalling 100 bytes."));
    QCOMPARE(list("Links")->toolTip(), TEvaluateForm::linksHint());
    QCOMPARE(list("LocatedLinks")->toolTip(),
             QStringLiteral("Double click to pass URL to Netscape, or email address to Eudora"));

    // Each label stands above its list.
    QStringList labels;
    for (const QLabel *label : m_form->findChildren<QLabel *>())
        labels.append(label->text());
    for (const char *caption :
         { "Located:", "Missing:", "Links:", "Broken:", "Page Markers:", "Missing Markers:" })
        QVERIFY2(labels.contains(QLatin1String(caption)), caption);
}

// The check reads the text without moving the caret, the selection or the view.
void TestEvaluateForm::editorUntouched()
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("<p><img src=\"x%1.gif\"></p>\n").arg(i);
    m_editor->SetText(text);
    m_editor->show();
    m_editor->StartLine = 150;
    m_editor->StartPos = 3;
    m_editor->EndLine = 152;
    m_editor->EndPos = 7;
    m_editor->ApplySelection();
    m_editor->SetFirstVisibleLine(120);
    m_editor->SetModified(false);
    const int firstVisible = m_editor->FirstVisibleLine();

    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QCOMPARE(list("FilesMissing")->count(), 200);
    m_form->hide();
    m_editor->ReadSelection();
    QCOMPARE(std::make_tuple(m_editor->StartLine, m_editor->StartPos, m_editor->EndLine,
                             m_editor->EndPos),
             std::make_tuple(150, 3, 152, 7));
    QCOMPARE(m_editor->FirstVisibleLine(), firstVisible);
    QVERIFY(!m_editor->Modified());
}

void TestEvaluateForm::detailDoubleClick_data()
{
    QTest::addColumn<QString>("line"); // the detail line double-clicked
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<int>("caretColumn");

    QTest::addRow("reference on line 12, column 4")
        << "12:4: x.htm(Did not locate.)" << true << 12 << 4;
    QTest::addRow("image on the last line")
        << "13:5: y.gif(Did not locate.) Size=-1 bytes." << true << 13 << 5;
    QTest::addRow("progress line") << "Searching for image items..." << false << 1 << 0;
    QTest::addRow("summary") << "Page contains 0 SRC references totalling 0 bytes." << false << 1
                             << 0;
}

void TestEvaluateForm::detailDoubleClick()
{
    QFETCH(QString, line);
    QFETCH(bool, closes);
    QString text;
    for (int i = 1; i < 12; ++i)
        text += QStringLiteral("text\n");
    text += QStringLiteral("<a  href=\"x.htm\">x</a>\n<img src=\"y.gif\">");
    m_editor->SetText(text);
    m_editor->StartLine = m_editor->EndLine = 1;
    m_editor->StartPos = m_editor->EndPos = 0;
    m_editor->ApplySelection();
    QSignalSpy caret(m_editor.get(), &EditorControl::CaretMoved);

    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QListWidget *details = list("WebDetails");
    const QList<QListWidgetItem *> found = details->findItems(line, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    doubleClick(details, found.constFirst());

    QCOMPARE(m_form->isVisible(), !closes);
    QCOMPARE(m_form->result() == QDialog::Accepted, closes);
    QTEST(m_editor->CaretLine(), "caretLine");
    QTEST(m_editor->CaretColumn(), "caretColumn");
    QCOMPARE(m_editor->SelLength(), 0);
    // The status bar follows the caret through this signal.
    QCOMPARE(!caret.isEmpty(), closes);
}

void TestEvaluateForm::clickShowsEntryAndDeselectsOthers()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QListWidget *found = list("FilesFound");
    QListWidget *links = list("Links");
    found->setCurrentRow(1);
    m_form->FilesFoundClick(found);
    QCOMPARE(m_form->findChild<QLabel *>("Header")->text(), QStringLiteral("pics/a.gif"));
    QTest::mouseClick(links->viewport(), Qt::LeftButton, {},
                      links->visualItemRect(links->item(3)).center());
    QCOMPARE(m_form->findChild<QLabel *>("Header")->text(),
             QStringLiteral("mailto:sales@example.com"));
    QVERIFY(found->selectedItems().isEmpty());
    QCOMPARE(links->selectedItems().size(), 1);
}

void TestEvaluateForm::linkDoubleClick_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("openerWorks");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("message");

    const QString base = QUrl::fromLocalFile(m_dir.path()).toString();
    QTest::addRow("mail address to the mail program")
        << "mailto:sales@example.com" << true << "mailto:sales@example.com"
        << "";
    QTest::addRow("no mail program")
        << "mailto:sales@example.com" << false << "mailto:sales@example.com"
        << "Eudora is not currently running or we just could not find it.";
    QTest::addRow("page with a marker, below the page's directory")
        << "index.htm#top" << true << base + "/index.htm#top"
        << "";
    QTest::addRow("leading slash stays below the page's directory")
        << "/index.htm" << true << base + "/index.htm"
        << "";
    QTest::addRow("marker of the page") << "#top" << true << base + "/prices.htm#top"
                                        << "";
    QTest::addRow("web address as it is")
        << "http://example.com/a b" << true << "http://example.com/a%20b"
        << "";
    QTest::addRow("no browser")
        << "index.htm" << false << base + "/index.htm"
        << "Netscape is not currently running or we just could not find it.";
}

void TestEvaluateForm::linkDoubleClick()
{
    QFETCH(QString, entry);
    QFETCH(bool, openerWorks);
    QFETCH(QString, opened);
    QFETCH(QString, message);
    m_openerWorks = openerWorks;
    m_editor->SetText(QStringLiteral("<a href=\"%1\">x</a>").arg(entry));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QListWidget *links = list("Links");
    QCOMPARE(links->count(), 1);
    doubleClick(links, links->item(0));
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(m_opened.constFirst().toString(QUrl::FullyEncoded), opened);
    QCOMPARE(m_prompter.texts(), message.isEmpty() ? QStringList() : QStringList { message });
    QVERIFY(m_form->isVisible()); // it stays open after the message too
}

void TestEvaluateForm::evaluatesOnEachActivation()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QCOMPARE(list("FilesMissing")->count(), 1);

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    m_editor->SetText(QStringLiteral("<img src=\"one.gif\"><img src=\"two.gif\">"));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QCOMPARE(list("FilesMissing")->count(), 2);
}

QTEST_MAIN(TestEvaluateForm)
#include "tst_tevaluateform.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "testenvironment.h"
#include "wizards/generatorcommands.h"
#include "wizards/ttemplatewizeguy.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Tarnwick;

namespace {

// Stands for the main window, which keeps its pane sizes in its close event.
class Window final : public QWidget
{
public:
    std::function<void()> closing;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        if (closing)
            closing();
        QWidget::closeEvent(event);
    }
};

struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Window window;
    QSplitter *split = new QSplitter(&window);
    EditorControl *editor = new EditorControl(split);
    QWidget *preview = new QWidget(split);
    int refreshes = 0;
    QPointer<TTemplateWizeGuy> dialog;

    Fixture()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(split);
        window.resize(800, 500);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("the window was not exposed");
        split->setSizes({ 400, 400 });
    }

    void load(const QStringList &lines) { editor->SetText(lines.join(QLatin1Char('\n'))); }
    QStringList lines() const { return editor->Text().split(QLatin1Char('\n')); }
    QString path(const QString &name) const { return dir.filePath(name); }

    TTemplateWizeGuy *open()
    {
        TTemplateWizeGuy::Context context;
        context.editor = editor;
        context.prompter = &prompter;
        context.splitScreen = split;
        context.pageDirectory = [this] { return dir.path(); };
        context.graphicExtensions = [] { return QStringLiteral("gif,jpg,png"); };
        context.pageExtensions = [] { return QStringLiteral("htm,html"); };
        context.refreshPreview = [this] { ++refreshes; };
        dialog = new TTemplateWizeGuy(std::move(context), &window);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog))
            qWarning("the dialog was not exposed");
        return dialog;
    }

    QString pageShown() const
    {
        return dialog->findChild<QStackedWidget *>()->currentWidget()->objectName();
    }
    bool shown(const char *button) const
    {
        return dialog->findChild<QPushButton *>(QLatin1String(button))->isVisible();
    }

    // "Name=value": a field set as the user would.
    bool set(const QString &entry)
    {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        const QString value = entry.section(QLatin1Char('='), 1);
        QObject *field = dialog->findChild<QObject *>(name);
        if (auto *edit = qobject_cast<QLineEdit *>(field)) {
            edit->setText(value);
            Q_EMIT edit->editingFinished();
        } else if (auto *box = qobject_cast<QComboBox *>(field)) {
            if (box->isEditable())
                box->setEditText(value);
            else
                box->setCurrentIndex(box->findText(value));
        } else if (auto *number = qobject_cast<QSpinBox *>(field)) {
            number->setValue(value.toInt());
        } else if (auto *tick = qobject_cast<QCheckBox *>(field)) {
            tick->setChecked(value == QLatin1String("on"));
        } else if (auto *text = qobject_cast<QPlainTextEdit *>(field)) {
            text->setPlainText(value);
        } else {
            return false;
        }
        return true;
    }

    QString field(const char *name) const
    {
        QObject *f = dialog->findChild<QObject *>(QLatin1String(name));
        if (auto *edit = qobject_cast<QLineEdit *>(f))
            return edit->text();
        if (auto *box = qobject_cast<QComboBox *>(f))
            return box->currentText();
        if (auto *number = qobject_cast<QSpinBox *>(f))
            return QString::number(number->value());
        if (auto *tick = qobject_cast<QCheckBox *>(f))
            return tick->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
        if (auto *text = qobject_cast<QPlainTextEdit *>(f))
            return text->toPlainText();
        if (auto *label = qobject_cast<QLabel *>(f))
            return label->text();
        return QStringLiteral("(no field)");
    }

    void picture(const QString &path, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!image.save(path, "PNG"))
            qWarning("picture not written");
    }
};

const QStringList walkPage { "<HTML>",
                             "<!--##Defaults-->",
                             "<TITLE>Shop</TITLE>",
                             "<META NAME=\"Keywords\" CONTENT=\"toys, games\">",
                             "<META NAME=\"Description\" CONTENT=\"Our shop\">",
                             "<!--##Footer-->",
                             "<P>x</P>",
                             "<!--##Heading-->",
                             "<H1>Hello</H1>",
                             "</HTML>" };

QString longLine()
{
    return "<H1>" + QString(300, 'x') + "</H1>";
}

} // namespace

class TestTTemplateWizeGuy final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void openingNeedsAPage_data();
    void openingNeedsAPage();
    void startWithoutMarkersCloses();
    void walkingTheMarkers();
    void fieldsAreReadFromTheSlot_data();
    void fieldsAreReadFromTheSlot();
    void refreshWritesTheSlot_data();
    void refreshWritesTheSlot();
    void slotTheFieldsCannotShowIsKept_data();
    void slotTheFieldsCannotShowIsKept();
    void anotherPageIsNotWrittenInto_data();
    void anotherPageIsNotWrittenInto();
    void imageNameMeasuresThePicture();
    void searchCopiesThePictureBesideThePage();
    void editorPaneFoldsAwayWhileOpen();
    void menuAndToolButtonOpenIt();
    void shippedTemplatesUseEveryKind_data();
    void shippedTemplatesUseEveryKind();
};

void TestTTemplateWizeGuy::openingNeedsAPage_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<bool>("opens");
    QTest::addRow("empty editor") << QStringList {} << false;
    QTest::addRow("one line") << QStringList { "<!--##Heading--><H1>x</H1>" } << false;
    QTest::addRow("two lines") << QStringList { "<!--##Heading-->", "<H1>x</H1>" } << true;
}

void TestTTemplateWizeGuy::openingNeedsAPage()
{
    QFETCH(QStringList, page);
    QFETCH(bool, opens);
    Fixture f;
    f.load(page);
    GeneratorCommands::Parts parts;
    parts.editor = f.editor;
    parts.prompter = &f.prompter;
    parts.splitScreen = f.split;
    GeneratorCommands commands(parts);
    commands.TemplateWizeGuy1Click();
    QCOMPARE(commands.templateWizeGuy() != nullptr, opens);
    QCOMPARE(f.prompter.texts(),
             opens ? QStringList() : QStringList { "No document appears to be loaded." });
    if (opens) {
        QVERIFY(!commands.templateWizeGuy()->isModal());
        QVERIFY(commands.templateWizeGuy()->windowFlags() & Qt::WindowStaysOnTopHint);
        commands.templateWizeGuy()->close();
        QTRY_VERIFY(commands.templateWizeGuy() == nullptr); // released on closing
    }
}

void TestTTemplateWizeGuy::startWithoutMarkersCloses()
{
    Fixture f;
    f.load({ "<HTML>", "<!-- plain comment -->", "</HTML>" });
    const QList<int> before = f.split->sizes();
    f.open();
    QCOMPARE(f.pageShown(), QStringLiteral("StartingPage"));
    f.dialog->StartClick();
    QCOMPARE(f.prompter.texts(), QStringList { "No document appears to be loaded." });
    QTRY_VERIFY(f.dialog.isNull());
    QCOMPARE(f.split->sizes(), before);
}

void TestTTemplateWizeGuy::walkingTheMarkers()
{
    Fixture f;
    f.load(walkPage);
    f.open();
    QVERIFY(f.shown("StartBtn") && !f.shown("NextBtn") && !f.shown("PreviousBtn"));
    f.dialog->StartClick();
    QCOMPARE(f.dialog->currentLine(), 2);
    QCOMPARE(f.pageShown(), QStringLiteral("Defaults"));
    QVERIFY(!f.shown("StartBtn") && f.shown("NextBtn") && f.shown("PreviousBtn")
            && f.shown("RefreshBtn") && !f.shown("CloseBtn"));
    QCOMPARE(f.field("PageTitle"), QStringLiteral("Shop"));

    f.dialog->NextClick();
    QCOMPARE(f.pageShown(), QStringLiteral("InvalidTag"));
    QCOMPARE(f.field("InvalidLine"), QStringLiteral("#6"));
    QVERIFY(!f.dialog->findChild<QPushButton *>("RefreshBtn")->isEnabled());
    f.dialog->RefreshClick();
    QCOMPARE(f.lines(), walkPage);

    f.dialog->NextClick();
    QCOMPARE(f.pageShown(), QStringLiteral("Header"));
    QCOMPARE(f.field("HeadingText"), QStringLiteral("Hello"));
    QVERIFY(f.prompter.texts().isEmpty());

    f.dialog->NextClick();
    QCOMPARE(f.prompter.texts(), QStringList { "No more template definitions" });
    QCOMPARE(f.dialog->currentLine(), 8);
    QVERIFY(f.shown("CloseBtn"));

    f.dialog->PreviousClick();
    QCOMPARE(f.dialog->currentLine(), 6);
    QVERIFY(!f.shown("CloseBtn"));
    f.dialog->PreviousClick();
    QCOMPARE(f.dialog->currentLine(), 2);
    f.dialog->PreviousClick();
    QCOMPARE(f.dialog->currentLine(), 2);
    QCOMPARE(f.prompter.texts(),
             QStringList({ "No more template definitions", "No more template definitions" }));
    QCOMPARE(f.lines(), walkPage); // walking writes nothing
    QCOMPARE(f.refreshes, 0);
}

void TestTTemplateWizeGuy::fieldsAreReadFromTheSlot_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<QStringList>("fields"); // name=value as shown
    QTest::addRow("heading in a FONT element")
        << QStringList { "<!--##Heading-->",
                         "<FONT COLOR=\"#FF0000\"><H2 ALIGN=\"center\">Welcome</H2></FONT>", "" }
        << QStringList { "HeadingText=Welcome", "HeadingSize=2", "HeadingAlign=center",
                         "HeadingColor=FF0000" };
    QTest::addRow("image keeps its own size")
        << QStringList { "<!--##Image-->",
                         "<IMG SRC=\"pic.png\" HEIGHT=\"50\" WIDTH=\"70\" ALIGN=\"left\">", "" }
        << QStringList { "ImageFileName=pic.png", "ImageWidth=70", "ImageHeight=50",
                         "ImageAlign=left" };
    QTest::addRow("mail link") << QStringList { "<!--##MailLink-->",
                                                "<A HREF=\"mailto:me@example.com\">Write</A>", "" }
                               << QStringList { "LinkUrl=me@example.com", "LinkText=Write",
                                                "UseMailto=on",
                                                "UrlLabel=Mailto:", "LinkStyle=Text Link" };
    QTest::addRow("image link") << QStringList {
        "<!--##Link-->", "<P ALIGN=\"right\"><A HREF=\"a b.htm\"><IMG SRC=\"go.gif\"></A></P>", ""
    } << QStringList { "LinkUrl=a b.htm", "LinkGraphic=go.gif", "LinkStyle=Image link",
                       "LinkAlign=right", "UseMailto=off",      "UrlLabel=URL to link to:" };
    QTest::addRow("body") << QStringList {
        "<!--##Body-->", "<BODY VLINK=\"#6B1F3A\" LEFTMARGIN=\"3\">", ""
    } << QStringList { "TextColor=000000",   "LinkColor=000000", "VLinkColor=6B1F3A",
                       "BgColor=FFFFFF",     "LeftMargin=3",     "RightMargin=-1",
                       "FixedBackground=off" };
    QTest::addRow("text") << QStringList {
        "<!--##Text-->", "<P ALIGN=\"center\"><I>Hi there</I></P>", ""
    } << QStringList { "DocumentText=Hi there", "Italics=on", "Bold=off", "TextAlign=center" };
    QTest::addRow("text with markup inside keeps every word")
        << QStringList { "<!--##Text-->", "<P>Hello <B>world</B></P>", "" }
        << QStringList { "DocumentText=<P>Hello <B>world</B></P>", "Bold=off", "TextAlign=none" };
    QTest::addRow("lower-case META names")
        << QStringList { "<!--##Defaults-->", "<title>Shop</title>",
                         "<meta name=\"keywords\" content=\"a, b\">",
                         "<meta name=\"description\" content=\"Toys\">", "" }
        << QStringList { "PageTitle=Shop", "MetaKeywords=a, b", "MetaDescription=Toys" };
    QTest::addRow("empty slot gives the initial values")
        << QStringList { "<!--##Heading-->", "", "" }
        << QStringList { "HeadingText=", "HeadingSize=1", "HeadingAlign=none", "HeadingColor=" };
}

void TestTTemplateWizeGuy::fieldsAreReadFromTheSlot()
{
    QFETCH(QStringList, page);
    QFETCH(QStringList, fields);
    Fixture f;
    f.picture(f.path("pic.png"), QSize(7, 5));
    f.load(page);
    f.open();
    f.dialog->StartClick();
    for (const QString &entry : fields) {
        const QString name = entry.section('=', 0, 0);
        QCOMPARE(name + '=' + f.field(name.toLatin1().constData()), entry);
    }
    QCOMPARE(f.lines(), page); // reading writes nothing
}

void TestTTemplateWizeGuy::refreshWritesTheSlot_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<QStringList>("fields"); // name=value, set in order
    QTest::addColumn<QStringList>("written");
    QTest::addRow("heading") << QStringList { "<!--##Heading-->", "<H1>Old</H1>", "<P>after</P>" }
                             << QStringList { "HeadingText=New", "HeadingSize=2",
                                              "HeadingAlign=center", "HeadingColor=FF0000" }
                             << QStringList {
                                    "<!--##Heading-->",
                                    "<FONT COLOR=\"#FF0000\"><H2 ALIGN=\"center\">New</H2></FONT>",
                                    "<P>after</P>"
                                };
    QTest::addRow("heading read and written back unchanged")
        << QStringList { "<!--##Heading-->",
                         "<FONT COLOR=\"#FF0000\"><H2 ALIGN=\"center\">Welcome</H2></FONT>", "" }
        << QStringList {}
        << QStringList { "<!--##Heading-->",
                         "<FONT COLOR=\"#FF0000\"><H2 ALIGN=\"center\">Welcome</H2></FONT>", "" };
    QTest::addRow("long line replaced whole")
        << QStringList { "<!--##Heading-->", longLine(), "</HTML>" }
        << QStringList { "HeadingText=Short" }
        << QStringList { "<!--##Heading-->", "<H1>Short</H1>", "</HTML>" };
    QTest::addRow("text on one line")
        << QStringList { "<!--##Text-->", "<P>Old</P>", "</HTML>" }
        << QStringList { "DocumentText=first line\nsecond line", "Bold=on" }
        << QStringList { "<!--##Text-->", "<B>first line second line</B>", "</HTML>" };
    QTest::addRow("image keeps its slot's size")
        << QStringList { "<!--##Image-->", "<IMG SRC=\"pic.png\" HEIGHT=\"50\" WIDTH=\"70\">", "" }
        << QStringList { "ImageAlign=bottom" }
        << QStringList { "<!--##Image-->",
                         "<IMG SRC=\"pic.png\" HEIGHT=\"50\" WIDTH=\"70\" ALIGN=\"bottom\">", "" };
    QTest::addRow("empty URL empties the slot")
        << QStringList { "<!--##Link-->", "<A HREF=\"a.htm\">A</A>", "</HTML>" }
        << QStringList { "LinkUrl=" } << QStringList { "<!--##Link-->", "", "</HTML>" };
    QTest::addRow("mail link") << QStringList { "<!--##MailLink-->", "", "" }
                               << QStringList { "LinkUrl=me@example.com", "LinkText=Write to me" }
                               << QStringList { "<!--##MailLink-->",
                                                "<A HREF=\"mailto:me@example.com\">Write to me</A>",
                                                "" };
    QTest::addRow("image link")
        << QStringList { "<!--##Link-->", "", "" }
        << QStringList { "LinkUrl=index.htm", "LinkStyle=Image link", "LinkGraphic=home.gif",
                         "LinkAlign=center" }
        << QStringList { "<!--##Link-->",
                         "<P ALIGN=\"center\"><A HREF=\"index.htm\"><IMG SRC=\"home.gif\"></A></P>",
                         "" };
    QTest::addRow("body") << QStringList { "<!--##Body-->", "<BODY>", "" }
                          << QStringList { "LinkColor=123456", "BackgroundImage=paper.gif",
                                           "FixedBackground=on", "RightMargin=0" }
                          << QStringList {
                                 "<!--##Body-->",
                                 "<BODY BACKGROUND=\"paper.gif\" TEXT=\"#000000\" LINK=\"#123456\" "
                                 "VLINK=\"#000000\" ALINK=\"#000000\" BGCOLOR=\"#FFFFFF\" "
                                 "RIGHTMARGIN=\"0\" BGPROPERTIES=\"FIXED\">",
                                 ""
                             };
    QTest::addRow("defaults")
        << QStringList { "<HEAD>", "<!--##Defaults-->", "", "", "", "</HEAD>" }
        << QStringList { "PageTitle=Toys", "MetaKeywords=toys, games",
                         "MetaDescription=All about \"toys\"" }
        << QStringList { "<HEAD>",
                         "<!--##Defaults-->",
                         "<TITLE>Toys</TITLE>",
                         "<META NAME=\"Keywords\" CONTENT=\"toys, games\">",
                         "<META NAME=\"Description\" CONTENT=\"All about &quot;toys&quot;\">",
                         "</HEAD>" };
    QTest::addRow("defaults short of lines get them")
        << QStringList { "<HEAD>", "<!--##Defaults-->", "<TITLE>x</TITLE>" }
        << QStringList { "PageTitle=T" }
        << QStringList { "<HEAD>", "<!--##Defaults-->", "<TITLE>T</TITLE>",
                         "<META NAME=\"Keywords\" CONTENT=\"\">",
                         "<META NAME=\"Description\" CONTENT=\"\">" };
    QTest::addRow("document type goes first")
        << QStringList { "<HTML>", "<!--##Defaults-->", "", "", "" }
        << QStringList { "PageTitle=T",
                         "DocType=<!DOCTYPE HTML PUBLIC  \"-//W3c//DTD HTML 3.2 Final//EN\">" }
        << QStringList { "<!DOCTYPE HTML PUBLIC  \"-//W3c//DTD HTML 3.2 Final//EN\">",
                         "<HTML>",
                         "<!--##Defaults-->",
                         "<TITLE>T</TITLE>",
                         "<META NAME=\"Keywords\" CONTENT=\"\">",
                         "<META NAME=\"Description\" CONTENT=\"\">" };
}

void TestTTemplateWizeGuy::refreshWritesTheSlot()
{
    QFETCH(QStringList, page);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, written);
    Fixture f;
    f.picture(f.path("pic.png"), QSize(7, 5));
    f.load(page);
    f.open();
    f.dialog->StartClick();
    const int marker = f.dialog->currentLine();
    for (const QString &entry : fields)
        QVERIFY2(f.set(entry), qPrintable(entry));
    f.dialog->RefreshClick();
    QCOMPARE(f.lines(), written);
    QCOMPARE(f.refreshes, 1);
    // Written again, the page stays as it is, and the marker is still found.
    f.dialog->RefreshClick();
    QCOMPARE(f.lines(), written);
    QCOMPARE(f.dialog->currentLine(), written.indexOf(page.at(marker - 1)) + 1);
    QVERIFY(f.prompter.texts().isEmpty());
}

void TestTTemplateWizeGuy::slotTheFieldsCannotShowIsKept_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<bool>("notice"); // the dialog says the slot is kept
    QTest::addColumn<QString>("change"); // name=value, or none
    QTest::addColumn<QStringList>("written");
    const QStringList image { "<!--##Image-->", "<IMG SRC=\"a.gif\" ALT=\"Logo\">", "" };
    QTest::addRow("image with ALT kept") << image << true << QString() << image;
    QTest::addRow("image with ALT written once a field changes")
        << image << true << "ImageAlign=left"
        << QStringList { "<!--##Image-->", "<IMG SRC=\"a.gif\" ALIGN=\"left\">", "" };
    const QStringList heading { "<!--##Heading-->", "<H1 CLASS=\"big\">Hi</H1>", "" };
    QTest::addRow("heading with a class") << heading << true << QString() << heading;
    const QStringList body { "<!--##Body-->", "<BODY>", "" };
    QTest::addRow("body without colours") << body << true << QString() << body;
    const QStringList swapped { "<!--##Defaults-->", "<TITLE>T</TITLE>",
                                "<META NAME=\"Description\" CONTENT=\"d\">",
                                "<META NAME=\"Keywords\" CONTENT=\"k\">", "" };
    QTest::addRow("META lines in the other order") << swapped << true << QString() << swapped;
    QTest::addRow("lower-case META names keep their content")
        << QStringList { "<!--##Defaults-->", "<TITLE>T</TITLE>",
                         "<meta name=\"keywords\" content=\"a, b\">",
                         "<meta name=\"description\" content=\"c\">", "" }
        << false << QString()
        << QStringList { "<!--##Defaults-->", "<TITLE>T</TITLE>",
                         "<META NAME=\"Keywords\" CONTENT=\"a, b\">",
                         "<META NAME=\"Description\" CONTENT=\"c\">", "" };
    const QStringList text { "<!--##Text-->", "<P>Hello <B>world</B></P>", "" };
    QTest::addRow("text with a bold word") << text << false << QString() << text;
    const QStringList lowerBody { "<!--##Body-->",
                                  "<body text=\"#000000\" link=\"#0000ff\" vlink=\"#800080\" "
                                  "alink=\"#ff0000\" bgcolor=\"#ffffff\">",
                                  "" };
    QTest::addRow("body in lower case")
        << lowerBody << false << QString()
        << QStringList { "<!--##Body-->",
                         "<BODY  TEXT=\"#000000\" LINK=\"#0000ff\" VLINK=\"#800080\" "
                         "ALINK=\"#ff0000\" BGCOLOR=\"#ffffff\">",
                         "" };
}

void TestTTemplateWizeGuy::slotTheFieldsCannotShowIsKept()
{
    QFETCH(QStringList, page);
    QFETCH(bool, notice);
    QFETCH(QString, change);
    QFETCH(QStringList, written);
    Fixture f;
    f.load(page);
    f.open();
    f.dialog->StartClick();
    auto *label = f.dialog->findChild<QLabel *>("SlotNotice");
    QVERIFY(label);
    QCOMPARE(label->isVisible(), notice);
    QCOMPARE(label->text(), TTemplateWizeGuy::slotNoticeText());
    f.dialog->RefreshClick();
    if (notice)
        QCOMPARE(f.lines(), page); // the fields would lose part of it
    if (!change.isEmpty()) {
        QVERIFY(f.set(change));
        f.dialog->RefreshClick();
    }
    QCOMPARE(f.lines(), written);
    QCOMPARE(label->isVisible(), notice && change.isEmpty());
    QVERIFY(f.prompter.texts().isEmpty());
}

void TestTTemplateWizeGuy::anotherPageIsNotWrittenInto_data()
{
    QTest::addColumn<QStringList>("changed"); // the editor's text when Refresh is pressed
    QTest::addRow("another page") << QStringList { "<HTML>", "<BODY>", "<P>mine</P>", "</HTML>" };
    QTest::addRow("a line added above the marker")
        << QStringList { "<HTML>", "<P>new</P>", "<!--##Heading-->", "<H1>Hello</H1>" };
    QTest::addRow("another kind of marker there")
        << QStringList { "<HTML>", "<!--##Text-->", "words" };
}

void TestTTemplateWizeGuy::anotherPageIsNotWrittenInto()
{
    QFETCH(QStringList, changed);
    Fixture f;
    f.load({ "<HTML>", "<!--##Heading-->", "<H1>Hello</H1>" });
    f.open();
    f.dialog->StartClick();
    QVERIFY(f.set("HeadingText=Replaced"));
    f.load(changed);
    f.dialog->RefreshClick();
    QCOMPARE(f.lines(), changed);
    QCOMPARE(f.refreshes, 0);
    QCOMPARE(f.pageShown(), QStringLiteral("StartingPage"));
    QVERIFY(f.shown("StartBtn") && !f.shown("RefreshBtn") && !f.shown("NextBtn"));
    // Start walks the page now in the editor.
    f.dialog->StartClick();
    QCOMPARE(f.dialog->currentLine(), changed.indexOf(QRegularExpression("<!--##.*")) + 1);
}

void TestTTemplateWizeGuy::imageNameMeasuresThePicture()
{
    Fixture f;
    f.picture(f.path("pic.png"), QSize(7, 5));
    f.load({ "<!--##Image-->", "", "" });
    f.open();
    f.dialog->StartClick();
    QVERIFY(f.set("ImageFileName=pic.png"));
    QCOMPARE(f.field("ImageWidth") + 'x' + f.field("ImageHeight"), QStringLiteral("7x5"));
    QVERIFY(f.set("ImageFileName=missing.png"));
    QCOMPARE(f.field("ImageWidth") + 'x' + f.field("ImageHeight"), QStringLiteral("0x0"));
}

void TestTTemplateWizeGuy::searchCopiesThePictureBesideThePage()
{
    Fixture f;
    const QString chosen = f.path("library/photo.png");
    f.picture(chosen, QSize(9, 4));
    f.load({ "<!--##Image-->", "", "" });
    f.open();
    f.dialog->StartClick();
    QVERIFY(f.set("ImageFileName=old.gif"));
    f.prompter.answerFile(chosen);
    f.dialog->findChild<QToolButton *>("ImageSearchBtn")->click();
    QCOMPARE(f.prompter.fileRequests().size(), 1);
    QCOMPARE(f.prompter.fileRequests().at(0).fileName, QStringLiteral("old.gif"));
    QVERIFY(f.prompter.fileRequests().at(0).filter.startsWith("Graphics|*.gif;*.jpg;*.png"));
    QVERIFY(QFileInfo::exists(f.path("photo.png"))); // beside the page
    QCOMPARE(f.field("ImageFileName"), QStringLiteral("photo.png"));
    QCOMPARE(f.field("ImageWidth") + 'x' + f.field("ImageHeight"), QStringLiteral("9x4"));
    f.dialog->RefreshClick();
    QCOMPARE(f.lines().at(1), QStringLiteral("<IMG SRC=\"photo.png\" HEIGHT=\"4\" WIDTH=\"9\">"));
    // A cancelled choice changes nothing.
    f.prompter.cancelNextFile();
    f.dialog->findChild<QToolButton *>("ImageSearchBtn")->click();
    QCOMPARE(f.field("ImageFileName"), QStringLiteral("photo.png"));
}

void TestTTemplateWizeGuy::editorPaneFoldsAwayWhileOpen()
{
    Fixture f;
    f.split->setSizes({ 300, 500 });
    const QList<int> before = f.split->sizes();
    f.load(walkPage);
    f.open();
    QCOMPARE(f.split->sizes().value(0), 0);
    QCOMPARE(f.dialog->pos(), f.dialog->screen()->availableGeometry().topLeft());
    f.dialog->StartClick();
    f.dialog->close();
    QCOMPARE(f.split->sizes(), before);
    QTRY_VERIFY(f.dialog.isNull());
    // Escape closes it the same way.
    f.open();
    QCOMPARE(f.split->sizes().value(0), 0);
    QTest::keyClick(f.dialog, Qt::Key_Escape);
    QCOMPARE(f.split->sizes(), before);
    QTRY_VERIFY(f.dialog.isNull());
    // The main window closing keeps the sizes it had before the dialog.
    f.open();
    QList<int> whenClosing;
    f.window.closing = [&] { whenClosing = f.split->sizes(); };
    f.window.close();
    QCOMPARE(whenClosing, before);
}

void TestTTemplateWizeGuy::menuAndToolButtonOpenIt()
{
    Fixture f;
    f.load(walkPage);
    QWidget book;
    QMenu insert;
    GeneratorCommands::Parts parts;
    parts.editor = f.editor;
    parts.prompter = &f.prompter;
    parts.splitScreen = f.split;
    parts.toolBook = &book;
    parts.insertMenu = &insert;
    GeneratorCommands commands(parts);
    const QList<int> before = f.split->sizes();
    QMenu *guys = insert.findChild<QAction *>("WizeGuys")->menu();
    QCOMPARE(guys->actions().last()->text(), QStringLiteral("Zazureva Rido Rev..."));
    // The Templates page comes after the controller: a second call gives it
    // its button, and only one.
    auto *templates = new QWidget(&book);
    templates->setObjectName("TemplatesPage");
    auto *layout = new QHBoxLayout(templates);
    layout->addStretch();
    commands.addToolButtons();
    commands.addToolButtons();
    QCOMPARE(templates->findChildren<QToolButton *>().size(), 1);
    auto *go = templates->findChild<QToolButton *>("TemplateWizeGuyBtn");
    QVERIFY(go);
    QCOMPARE(go->text(), QStringLiteral("Go!"));
    QCOMPARE(go->toolTip(), QStringLiteral("Fill in template definitions"));
    go->click();
    QVERIFY(commands.templateWizeGuy());
    QCOMPARE(f.split->sizes().value(0), 0);
    // Started again, it walks the page from the start once more.
    commands.templateWizeGuy()->StartClick();
    guys->actions().last()->trigger();
    QVERIFY(commands.templateWizeGuy());
    QCOMPARE(commands.templateWizeGuy()->currentLine(), 0);
    QCOMPARE(f.split->sizes().value(0), 0);
    commands.templateWizeGuy()->close();
    QCOMPARE(f.split->sizes(), before);
}

void TestTTemplateWizeGuy::shippedTemplatesUseEveryKind_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : { "default.htm", "business.htm", "personal.htm" })
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

// Each template walks through all seven kinds, and Refresh without a change
// keeps every slot but the BODY tag (written with its own spacing) as it is.
void TestTTemplateWizeGuy::shippedTemplatesUseEveryKind()
{
    QFETCH(QString, name);
    QFile file(TestEnvironment::dataDirectory() + "/template/" + name);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.startsWith("<HTML>") && text.trimmed().endsWith("</HTML>"));
    // A page made from it says how it is encoded (the templates are UTF-8).
    QVERIFY(text.contains("<HEAD>\n<meta charset=\"utf-8\">\n")
            || text.contains("<HEAD>\r\n<meta charset=\"utf-8\">\r\n"));
    Fixture f;
    f.editor->SetText(text);
    f.open();
    f.dialog->StartClick();
    QSet<TTemplateWizeGuy::Kind> kinds;
    for (int i = 0; i < 20 && f.prompter.texts().isEmpty(); ++i) {
        kinds.insert(f.dialog->shownKind());
        const QString before = f.editor->Text();
        f.dialog->RefreshClick();
        if (f.dialog->shownKind() != TTemplateWizeGuy::Kind::Body)
            QCOMPARE(f.lines(), before.split('\n'));
        f.dialog->NextClick();
    }
    QCOMPARE(f.prompter.texts(), QStringList { "No more template definitions" });
    using K = TTemplateWizeGuy::Kind;
    QCOMPARE(
        kinds,
        QSet<K>({ K::Heading, K::Defaults, K::Text, K::Image, K::Link, K::MailLink, K::Body }));
}

QTEST_MAIN(TestTTemplateWizeGuy)
#include "tst_ttemplatewizeguy.moc"

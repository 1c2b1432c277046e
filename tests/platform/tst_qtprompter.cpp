// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtprompter.h"
#include "testenvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Tarnwick;

Q_DECLARE_METATYPE(Tarnwick::Prompter::Kind)
Q_DECLARE_METATYPE(Tarnwick::Prompter::Buttons)
Q_DECLARE_METATYPE(Tarnwick::Prompter::Answer)

class TestQtPrompter final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void toQtFilters_data();
    void toQtFilters();
    void startPath_data();
    void startPath();
    void messageBoxShowsKindAndText_data();
    void messageBoxShowsKindAndText();
    void messageBoxAnswers_data();
    void messageBoxAnswers();

private:
    // Runs `inspect` on the message box once it is up, while `show` waits for it.
    void withMessageBox(const std::function<void(QMessageBox *)> &inspect);
};

void TestQtPrompter::initTestCase()
{
    TestEnvironment::isolate();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Tarnwick"));
}

void TestQtPrompter::toQtFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");

    QTest::addRow("one label, one pattern")
        << "Table files|*.tbl" << QStringList { "Table files (*.tbl)" };
    QTest::addRow("several patterns")
        << "HTML files|*.htm;*.html;*.shtml" << QStringList { "HTML files (*.htm *.html *.shtml)" };
    QTest::addRow("two labels") << "HTML files|*.htm;*.html|All files|*.*"
                                << QStringList { "HTML files (*.htm *.html)", "All files (*)" };
    QTest::addRow("spaces around patterns")
        << "Images| *.gif ; *.jpg " << QStringList { "Images (*.gif *.jpg)" };
    QTest::addRow("empty pattern between separators")
        << "Images|*.gif;;*.jpg;" << QStringList { "Images (*.gif *.jpg)" };
    QTest::addRow("label without patterns at the end")
        << "Frames|*.set|Orphan" << QStringList { "Frames (*.set)" };
    QTest::addRow("no patterns means everything") << "Anything|" << QStringList { "Anything (*)" };
    QTest::addRow("empty label shows the patterns") << "|*.map" << QStringList { "*.map (*.map)" };
    QTest::addRow("double semicolon in a label") << "A;;B|*.a" << QStringList { "A;B (*.a)" };
    QTest::addRow("empty filter") << "" << QStringList {};
}

void TestQtPrompter::toQtFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);

    QCOMPARE(QtPrompter::toQtFilters(filter), expected);
}

void TestQtPrompter::startPath_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("expected");

    QTest::addRow("name in directory") << "/site"
                                       << "index.html"
                                       << "/site/index.html";
    QTest::addRow("directory with slash") << "/site/"
                                          << "index.html"
                                          << "/site/index.html";
    QTest::addRow("full path wins") << "/site"
                                    << "/other/page.htm"
                                    << "/other/page.htm";
    QTest::addRow("directory only") << "/site"
                                    << ""
                                    << "/site";
    QTest::addRow("name only") << ""
                               << "page.htm"
                               << "page.htm";
    QTest::addRow("nothing") << ""
                             << ""
                             << "";
}

void TestQtPrompter::startPath()
{
    QFETCH(QString, directory);
    QFETCH(QString, fileName);
    QFETCH(QString, expected);

    Prompter::FileRequest request;
    request.directory = directory;
    request.fileName = fileName;
    QCOMPARE(QtPrompter::startPath(request), expected);
}

void TestQtPrompter::withMessageBox(const std::function<void(QMessageBox *)> &inspect)
{
    auto *poll = new QTimer(this);
    poll->setInterval(10);
    connect(poll, &QTimer::timeout, this, [poll, inspect] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        inspect(box);
    });
    poll->start();
}

void TestQtPrompter::messageBoxShowsKindAndText_data()
{
    QTest::addColumn<Prompter::Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");

    QTest::addRow("warning") << Prompter::Kind::Warning << "Exception occured during ReadINI!"
                             << int(QMessageBox::Warning);
    QTest::addRow("error") << Prompter::Kind::Error << "Could not save"
                           << int(QMessageBox::Critical);
    QTest::addRow("information") << Prompter::Kind::Information << "Done"
                                 << int(QMessageBox::Information);
    QTest::addRow("confirmation") << Prompter::Kind::Confirmation << "Overwrite existing file?"
                                  << int(QMessageBox::Question);
    QTest::addRow("markup shown as text")
        << Prompter::Kind::Information << "Insert <B>bold</B> & <BR>?"
        << int(QMessageBox::Information);
}

void TestQtPrompter::messageBoxShowsKindAndText()
{
    QFETCH(Prompter::Kind, kind);
    QFETCH(QString, text);
    QFETCH(int, icon);

    QString shownTitle, shownText;
    int shownIcon = -1;
    Qt::TextFormat format = Qt::AutoText;
    withMessageBox([&](QMessageBox *box) {
        shownTitle = box->windowTitle();
        shownText = box->text();
        shownIcon = int(box->icon());
        format = box->textFormat();
        box->button(QMessageBox::Ok)->click();
    });
    QtPrompter prompter;
    QCOMPARE(prompter.message(kind, text), Prompter::Answer::Ok);
    QCOMPARE(shownTitle, QStringLiteral("Tarnwick"));
    QCOMPARE(shownText, text);
    QCOMPARE(shownIcon, icon);
    QCOMPARE(format, Qt::PlainText);
}

void TestQtPrompter::messageBoxAnswers_data()
{
    QTest::addColumn<Prompter::Buttons>("buttons");
    QTest::addColumn<int>("press"); // a standard button, or 0 to close the box by Escape
    QTest::addColumn<int>("visibleButtons");
    QTest::addColumn<Prompter::Answer>("expected");

    const int yesNo = QMessageBox::Yes | QMessageBox::No;
    const int yesNoCancel = yesNo | QMessageBox::Cancel;
    const int okCancel = QMessageBox::Ok | QMessageBox::Cancel;
    QTest::addRow("ok pressed") << Prompter::Buttons::Ok << int(QMessageBox::Ok)
                                << int(QMessageBox::Ok) << Prompter::Answer::Ok;
    QTest::addRow("ok box closed")
        << Prompter::Buttons::Ok << 0 << int(QMessageBox::Ok) << Prompter::Answer::Ok;
    QTest::addRow("cancel pressed") << Prompter::Buttons::OkCancel << int(QMessageBox::Cancel)
                                    << okCancel << Prompter::Answer::Cancel;
    QTest::addRow("ok/cancel closed")
        << Prompter::Buttons::OkCancel << 0 << okCancel << Prompter::Answer::Cancel;
    QTest::addRow("yes pressed") << Prompter::Buttons::YesNo << int(QMessageBox::Yes) << yesNo
                                 << Prompter::Answer::Yes;
    QTest::addRow("no pressed") << Prompter::Buttons::YesNo << int(QMessageBox::No) << yesNo
                                << Prompter::Answer::No;
    QTest::addRow("yes/no closed")
        << Prompter::Buttons::YesNo << 0 << yesNo << Prompter::Answer::No;
    QTest::addRow("no of three pressed") << Prompter::Buttons::YesNoCancel << int(QMessageBox::No)
                                         << yesNoCancel << Prompter::Answer::No;
    QTest::addRow("yes/no/cancel closed")
        << Prompter::Buttons::YesNoCancel << 0 << yesNoCancel << Prompter::Answer::Cancel;
}

void TestQtPrompter::messageBoxAnswers()
{
    QFETCH(Prompter::Buttons, buttons);
    QFETCH(int, press);
    QFETCH(int, visibleButtons);
    QFETCH(Prompter::Answer, expected);

    int shownButtons = 0;
    bool ignoredEscape = false;
    withMessageBox([&](QMessageBox *box) {
        shownButtons = int(box->standardButtons());
        if (press) {
            box->button(QMessageBox::StandardButton(press))->click();
            return;
        }
        QTest::keyClick(box, Qt::Key_Escape);
        if (box->isVisible()) {
            ignoredEscape = true;
            box->done(-1);
        }
    });
    QtPrompter prompter;
    QCOMPARE(
        prompter.message(Prompter::Kind::Confirmation, QStringLiteral("Save changes?"), buttons),
        expected);
    QVERIFY2(!ignoredEscape, "the box could not be closed");
    QCOMPARE(shownButtons, visibleButtons);
}

QTEST_MAIN(TestQtPrompter)
#include "tst_qtprompter.moc"

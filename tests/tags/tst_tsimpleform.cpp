// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tsimpleform.h"

#include "lockeddirectory.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QImage>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString picturePath = dir.filePath(QStringLiteral("map.png"));
    QByteArray pictureBytes;
    ScriptedPrompter prompter;
    std::unique_ptr<TSimpleForm> form;

    explicit Fixture(QSize size = { 200, 120 })
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.save(picturePath);
        pictureBytes = TestEnvironment::readFile(picturePath);
        form = TSimpleForm::open(picturePath, &prompter);
    }
    // Chooses a type for a row and clicks the points (pixels from 0).
    void draw(int row, const QString &type, const QList<QPoint> &points)
    {
        form->chooseRow(row);
        form->setRowType(type);
        form->SetPositionsClick();
        for (const QPoint &p : points)
            form->imageClicked(p);
    }
    QColor pixel(int x, int y) const { return form->shownImage().pixelColor(x, y); }
};

} // namespace

class TSimpleFormTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void unreadablePictureIsNotOpened_data();
    void unreadablePictureIsNotOpened();
    void rectangleAfterTwoClicks();
    void circleAndPolygon();
    void readOutCountsFromOne();
    void mapNameIsNeededToReturn();
    void saveFilesGetTheirExtension_data();
    void saveFilesGetTheirExtension();
    void failedSaveKeepsTheOldFile();
    void loadReplacesTheGrid();
    void typedCircleInTheTable();
};

void TSimpleFormTest::unreadablePictureIsNotOpened_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow("corrupt") << QByteArray("\x89PNG but nothing more");
    QTest::addRow("missing") << QByteArray();
}

void TSimpleFormTest::unreadablePictureIsNotOpened()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.gif"));
    if (!bytes.isNull())
        QVERIFY(TestEnvironment::writeFile(path, bytes));
    ScriptedPrompter prompter;
    QVERIFY(!TSimpleForm::open(path, &prompter));
    QCOMPARE(prompter.messages().size(), 1);
    QCOMPARE(prompter.messages().first().kind, Prompter::Kind::Error);
    QVERIFY2(prompter.texts().first().contains(path), qPrintable(prompter.texts().first()));
}

void TSimpleFormTest::rectangleAfterTwoClicks()
{
    Fixture f;
    QVERIFY(f.form);
    f.draw(1, QStringLiteral("rect"), { QPoint(9, 19) });
    QCOMPARE(f.pixel(9, 19), QColor(Qt::white)); // the first click draws nothing
    f.form->imageClicked(QPoint(49, 59));
    f.form->imageClicked(QPoint(100, 100)); // a third click is not recorded
    QCOMPARE(f.form->grid().cell(1, 2), QStringLiteral("10"));
    QCOMPARE(f.form->grid().cell(1, 5), QStringLiteral("60"));
    QCOMPARE(f.form->grid().cell(1, 6), QString());
    for (const QPoint &corner : { QPoint(9, 19), QPoint(49, 19), QPoint(9, 59), QPoint(49, 59),
                                  QPoint(30, 19), QPoint(9, 40) })
        QCOMPARE(f.pixel(corner.x(), corner.y()), QColor(Qt::black));
    QCOMPARE(f.pixel(30, 40), QColor(Qt::white)); // an outline, not filled
    QCOMPARE(f.pixel(50, 60), QColor(Qt::white));
    QCOMPARE(TestEnvironment::readFile(f.picturePath), f.pictureBytes);
    // The table shows what the grid holds.
    QCOMPARE(f.form->findChild<QTableWidget *>(QStringLiteral("CoordGrid"))->item(1, 5)->text(),
             QStringLiteral("60"));
}

void TSimpleFormTest::circleAndPolygon()
{
    Fixture f;
    QVERIFY(f.form);
    f.draw(1, QStringLiteral("circle"), { QPoint(99, 59), QPoint(119, 59) });
    QCOMPARE(f.pixel(119, 59), QColor(Qt::black)); // through point 2
    QCOMPARE(f.pixel(99, 39), QColor(Qt::black));
    QCOMPARE(f.pixel(99, 59), QColor(Qt::white));
    f.draw(2, QStringLiteral("poly"), { QPoint(10, 100), QPoint(60, 100), QPoint(35, 80) });
    f.form->imageRightClicked();
    QVERIFY(!f.form->positioning().positioning());
    // Inverted white is black.
    QCOMPARE(f.pixel(35, 100), QColor(Qt::black));
    QCOMPARE(f.pixel(35, 95), QColor(Qt::white));
    f.form->RefreshClick();
    QCOMPARE(f.pixel(35, 100), QColor(Qt::black));
    QCOMPARE(f.pixel(119, 59), QColor(Qt::black));
    f.draw(3, QStringLiteral("rect"), { QPoint(5, 5), QPoint(40, 30) });
    f.form->SetPositionsClick(); // same row again: its points emptied
    f.form->RefreshClick();
    QCOMPARE(f.pixel(5, 5), QColor(Qt::white));
    if (qEnvironmentVariableIsSet("TARNWICK_SCREENSHOTS")) {
        f.draw(3, QStringLiteral("rect"), { QPoint(5, 5), QPoint(40, 30) });
        f.form->syncTable();
        f.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        QTest::qWait(300);
        f.form->screen()
            ->grabWindow(0, f.form->frameGeometry().x(), f.form->frameGeometry().y(),
                         f.form->frameGeometry().width(), f.form->frameGeometry().height())
            .save(qEnvironmentVariable("TARNWICK_SCREENSHOTS")
                  + QStringLiteral("/images-mapeditor.png"));
    }
}

void TSimpleFormTest::readOutCountsFromOne()
{
    Fixture f;
    f.form->pointerMoved(QPoint(0, 0));
    QCOMPARE(f.form->readOut(), QStringLiteral("1, 1"));
    f.form->pointerMoved(QPoint(4, 9));
    QCOMPARE(f.form->readOut(), QStringLiteral("5, 10"));
}

void TSimpleFormTest::mapNameIsNeededToReturn()
{
    Fixture f;
    f.draw(1, QStringLiteral("rect"), { QPoint(9, 19), QPoint(49, 59) });
    f.form->SaveMapToPageClick();
    QCOMPARE(f.prompter.texts(),
             QStringList { QStringLiteral("You must give your map a name first.  Click the button "
                                          "\"Map Name\" to assign it a name.") });
    QCOMPARE(f.form->result(), int(QDialog::Rejected));
    QVERIFY(f.form->mapLines().isEmpty());
    f.prompter.answerText(QStringLiteral("nav"));
    f.form->MapNameClick();
    QCOMPARE(f.prompter.inputRequests().first(),
             (ScriptedPrompter::InputRequest { QStringLiteral("Map Name"),
                                               QStringLiteral("Name of map:"), QString() }));
    f.form->SaveMapToPageClick();
    QCOMPARE(f.form->result(), int(QDialog::Accepted));
    QCOMPARE(f.form->mapName(), QStringLiteral("nav"));
    QCOMPARE(f.form->mapLines(),
             (QStringList { R"(<MAP NAME="nav">)",
                            R"(<AREA SHAPE=rect  COORDS=" 10, 20, 50, 60" HREF="">)", "</MAP>" }));
}

void TSimpleFormTest::saveFilesGetTheirExtension_data()
{
    QTest::addColumn<bool>("map");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::addRow("map without extension") << true << "links"
                                           << "links.MAP";
    QTest::addRow("map with its own") << true << "links.map"
                                      << "links.map";
    QTest::addRow("coordinates without extension") << false << "links"
                                                   << "links.cor";
}

void TSimpleFormTest::saveFilesGetTheirExtension()
{
    QFETCH(bool, map);
    QFETCH(QString, name);
    QFETCH(QString, written);
    Fixture f;
    f.draw(1, QStringLiteral("rect"), { QPoint(9, 19), QPoint(49, 59) });
    f.prompter.answerFile(f.dir.filePath(name));
    if (map)
        f.form->SaveMapToFileClick();
    else
        f.form->SaveCoordinatesClick();
    QCOMPARE(f.prompter.fileRequests().first().filterIndex, map ? 0 : 1);
    QVERIFY(QFileInfo::exists(f.dir.filePath(written)));
    QCOMPARE(f.prompter.texts(), QStringList());
}

void TSimpleFormTest::failedSaveKeepsTheOldFile()
{
    Fixture f;
    const QString folder = f.dir.filePath(QStringLiteral("locked"));
    const QString path = folder + QStringLiteral("/links.MAP");
    QVERIFY(TestEnvironment::writeFile(path, "old"));
    {
        const LockedDirectory lock(folder);
        if (!lock.locked())
            QSKIP("the directory cannot be locked here");
        f.prompter.answerFile(path);
        f.form->SaveMapToFileClick();
    }
    QCOMPARE(f.prompter.messages().size(), 1);
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Error);
    QVERIFY2(f.prompter.texts().first().contains(path), qPrintable(f.prompter.texts().first()));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("old"));
}

void TSimpleFormTest::loadReplacesTheGrid()
{
    Fixture f;
    f.draw(1, QStringLiteral("poly"), { QPoint(1, 1), QPoint(5, 5), QPoint(9, 1) });
    f.draw(2, QStringLiteral("rect"), { QPoint(1, 1), QPoint(5, 5) });
    const QString cor = f.dir.filePath(QStringLiteral("c.cor"));
    QVERIFY(TestEnvironment::writeFile(cor, "circle\r\nc.htm\r\n50\r\n50\r\n60\r\n50\r\n"));
    f.prompter.answerFile(cor);
    f.form->LoadCoordinatesClick();
    QCOMPARE(f.prompter.fileRequests().first().filterIndex, 1);
    QCOMPARE(f.form->grid().type(1), QStringLiteral("circle"));
    QCOMPARE(f.form->grid().cell(1, 6), QString()); // no stale polygon point
    QCOMPARE(f.form->grid().type(2), QString());
    QCOMPARE(f.pixel(59, 49), QColor(Qt::black)); // drawn at once
    auto *table = f.form->findChild<QTableWidget *>(QStringLiteral("CoordGrid"));
    QCOMPARE(table->item(2, 0)->text(), QString());
    // A file that is not one leaves everything as it was.
    const QString bad = f.dir.filePath(QStringLiteral("bad.cor"));
    QVERIFY(TestEnvironment::writeFile(bad, "hello\r\n"));
    f.prompter.answerFile(bad);
    f.form->LoadCoordinatesClick();
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY(f.prompter.texts().first().contains(bad));
    QCOMPARE(f.form->grid().type(1), QStringLiteral("circle"));
}

void TSimpleFormTest::typedCircleInTheTable()
{
    Fixture f;
    auto *table = f.form->findChild<QTableWidget *>(QStringLiteral("CoordGrid"));
    table->item(1, 0)->setText(QStringLiteral("Circle"));
    table->item(1, 1)->setText(QStringLiteral("c.htm"));
    QCOMPARE(f.form->grid().type(1), QStringLiteral("circle"));
    f.form->positioning().setCurrentRow(1);
    f.form->SetPositionsClick();
    f.form->imageClicked(QPoint(99, 59));
    f.form->imageClicked(QPoint(109, 59));
    QCOMPARE(f.pixel(109, 59), QColor(Qt::black));
    QCOMPARE(table->item(1, 4)->text(), QStringLiteral("110"));
    // The header row cannot be typed over.
    table->item(0, 0)->setText(QStringLiteral("x"));
    QCOMPARE(f.form->grid().cell(0, 0), QStringLiteral("Map Type"));
}

QTEST_MAIN(TSimpleFormTest)
#include "tst_tsimpleform.moc"

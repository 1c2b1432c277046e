// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filelistpane.h"
#include "support/testenvironment.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestFileListPane final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    // Every file gets an icon from its name, also without an extension or
    // with one no program knows, and whatever it holds.
    void everyFileListedWithAnIcon()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QStringList names = { "page.htm", "README", "photo.JPG", "odd.zzq9", "no-png.png" };
        for (const QString &name : names)
            QVERIFY(TestEnvironment::writeFile(dir.filePath(name), "<p>not what it says</p>"));
        FileListPane pane;
        pane.setFilter(QStringLiteral("All files|*.*"));
        pane.setDirectory(dir.path());
        QListView *list = pane.fileList();
        QAbstractItemModel *model = list->model();
        QTRY_COMPARE(model->rowCount(list->rootIndex()), int(names.size()));
        for (int row = 0; row < names.size(); ++row) {
            const QModelIndex index = model->index(row, 0, list->rootIndex());
            QVERIFY2(!model->data(index, Qt::DecorationRole).value<QIcon>().isNull(),
                     qPrintable(index.data().toString()));
        }
    }

    // The lists fill in the background and ask for icons from there: a pane
    // closed while a large folder is still being read must not take the icons
    // away from under the reader.
    void closedWhileAFolderIsRead()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (int i = 0; i < 3000; ++i)
            QVERIFY(TestEnvironment::writeFile(
                dir.filePath(QStringLiteral("f%1.ext%2").arg(i).arg(i % 50)), "x"));
        for (int round = 0; round < 5; ++round) {
            auto pane = std::make_unique<FileListPane>();
            pane->setDirectory(dir.path());
            QTest::qWait(round * 3);
        }
    }
};

QTEST_MAIN(TestFileListPane)
#include "tst_filelistpane.moc"

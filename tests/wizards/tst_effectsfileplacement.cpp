// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/effectsfileplacement.h"

#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestEffectsFilePlacement final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void placement_data();
    void placement();
};

void TestEffectsFilePlacement::placement_data()
{
    QTest::addColumn<QString>("file"); // relative to the temporary directory; "/" marks absolute
    QTest::addColumn<bool>("copy");
    QTest::addColumn<QByteArray>("besidePage"); // an a.gif already in the page's directory
    QTest::addColumn<QString>("named"); // "-" for nothing inserted
    QTest::addColumn<QByteArray>("afterwards"); // page/a.gif then
    QTest::addColumn<int>("messages");
    QTest::addRow("bare name stays")
        << "a.gif" << true << QByteArray() << "a.gif" << QByteArray() << 0;
    QTest::addRow("file beside the page")
        << "/page/a.gif" << true << QByteArray("P") << "a.gif" << QByteArray("P") << 0;
    QTest::addRow("through a link to the page's directory")
        << "/link/a.gif" << true << QByteArray("P") << "a.gif" << QByteArray("P") << 0;
    QTest::addRow("copied beside the page")
        << "/pics/a.gif" << true << QByteArray() << "a.gif" << QByteArray("IMG") << 0;
    QTest::addRow("same file already there")
        << "/pics/a.gif" << true << QByteArray("IMG") << "a.gif" << QByteArray("IMG") << 0;
    QTest::addRow("different file there is kept, nothing inserted")
        << "/pics/a.gif" << true << QByteArray("OTHER") << "-" << QByteArray("OTHER") << 1;
    QTest::addRow("not copied: path relative to the page")
        << "/pics/a.gif" << false << QByteArray() << "../pics/a.gif" << QByteArray() << 0;
    QTest::addRow("missing source: copy fails, nothing inserted")
        << "/pics/none.gif" << true << QByteArray() << "-" << QByteArray() << 1;
}

void TestEffectsFilePlacement::placement()
{
    QFETCH(QString, file);
    QFETCH(bool, copy);
    QFETCH(QByteArray, besidePage);
    QFETCH(QString, named);
    QFETCH(QByteArray, afterwards);
    QFETCH(int, messages);
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page"));
    QDir().mkpath(page);
    write(dir.filePath(QStringLiteral("pics/a.gif")), "IMG");
    QVERIFY(QFile::link(page, dir.filePath(QStringLiteral("link"))));
    if (!besidePage.isNull())
        write(page + QStringLiteral("/a.gif"), besidePage);
    const QString path = file.startsWith(QLatin1Char('/')) ? dir.path() + file : file;
    ScriptedPrompter prompter;
    const std::optional<QString> placed = EffectsFilePlacement::place(prompter, path, page, copy);
    QCOMPARE(placed.value_or(QStringLiteral("-")), named);
    QCOMPARE(prompter.messages().size(), messages);
    if (named == QLatin1String("-") && !besidePage.isNull())
        QCOMPARE(prompter.texts().first(),
                 EffectsFilePlacement::keptMessage(QStringLiteral("a.gif"), path));
    QFile beside(page + QStringLiteral("/a.gif"));
    QCOMPARE(beside.open(QIODevice::ReadOnly) ? beside.readAll() : QByteArray(), afterwards);
}

QTEST_GUILESS_MAIN(TestEffectsFilePlacement)
#include "tst_effectsfileplacement.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "dcttestfile.h"
#include "spell/dctcommands.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace Tarnwick;

class TestDctCommands : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_dct;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        m_dct = m_dir.filePath(QStringLiteral("ENGLISH.DCT"));
        QVERIFY(DctTestFile::writeWords(m_dct, {"a", "lot", "dog", "the"}));
    }

    void check()
    {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const int code = DctCommands::check(m_dir.filePath(QStringLiteral("English.dct")),
                                            {"dog's", "Dgo", "A"}, outStream, errStream);
        QCOMPARE(code, 0);
        QCOMPARE(out, QStringLiteral("dog's\tyes\nDgo\tno\nA\tyes\n"));
        QVERIFY(err.isEmpty());
    }

    void suggest_data()
    {
        QTest::addColumn<QString>("dct");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addRow("suggestions one a line") << "ENGLISH.DCT" << 10 << 0 << "A lot\nLot\n" << "";
        QTest::addRow("no suggestions asked") << "ENGLISH.DCT" << 0 << 1 << ""
                                              << "The number of suggestions must be 1 to 255.\n";
        QTest::addRow("too many asked") << "ENGLISH.DCT" << 256 << 1 << ""
                                        << "The number of suggestions must be 1 to 255.\n";
        QTest::addRow("missing dictionary") << "LEGAL.DCT" << 10 << 1 << "" << "Dictionary not found : %1\n";
    }
    void suggest()
    {
        QFETCH(QString, dct);
        QFETCH(int, n);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const QString path = m_dir.filePath(dct);
        QString outText;
        QString errText;
        QTextStream outStream(&outText);
        QTextStream errStream(&errText);
        QCOMPARE(DctCommands::suggest(path, QStringLiteral("Alot"), n, outStream, errStream), code);
        QCOMPARE(outText, out);
        QCOMPARE(errText, err.contains(QLatin1String("%1")) ? err.arg(path) : err);
    }
};

QTEST_GUILESS_MAIN(TestDctCommands)
#include "tst_dctcommands.moc"

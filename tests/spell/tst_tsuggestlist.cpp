// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/tsuggestlist.h"

#include <QTest>

using namespace Tarnwick;

class TestTSuggestList : public QObject
{
    Q_OBJECT

private slots:
    // Entries are "word:score"; the list holds three.
    void insert_data()
    {
        QTest::addColumn<QStringList>("arrivals");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("best first") << QStringList{"a:10", "b:50", "c:30"} << QStringList{"b", "c", "a"};
        QTest::addRow("ties keep arrival order") << QStringList{"a:40", "b:40", "c:40"} << QStringList{"a", "b", "c"};
        QTest::addRow("tie placed after its equals") << QStringList{"a:50", "b:30", "c:50"}
                                                     << QStringList{"a", "c", "b"};
        QTest::addRow("better entry pushes out the last") << QStringList{"a:40", "b:30", "c:20", "d:35"}
                                                          << QStringList{"a", "d", "b"};
        QTest::addRow("equal to the last of a full list is not kept")
            << QStringList{"a:40", "b:30", "c:20", "d:20"} << QStringList{"a", "b", "c"};
        QTest::addRow("worse than a full list is not kept") << QStringList{"a:40", "b:30", "c:20", "d:5"}
                                                            << QStringList{"a", "b", "c"};
        QTest::addRow("zero scores kept while there is room") << QStringList{"a:0", "b:0"} << QStringList{"a", "b"};
    }
    void insert()
    {
        QFETCH(QStringList, arrivals);
        QFETCH(QStringList, expected);
        TSuggestList list(3);
        for (const QString &arrival : arrivals) {
            const QStringList parts = arrival.split(QLatin1Char(':'));
            list.insert(parts[0].toLatin1(), parts[1].toInt());
            QVERIFY(list.size() <= list.capacity());
        }
        QStringList words;
        for (const TSuggestion &entry : list.entries())
            words << QString::fromLatin1(entry.word);
        QCOMPARE(words, expected);
    }
};

QTEST_GUILESS_MAIN(TestTSuggestList)
#include "tst_tsuggestlist.moc"

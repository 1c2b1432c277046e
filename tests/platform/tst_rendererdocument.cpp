// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rendererdocument.h"

#include <QTest>

using namespace Tarnwick;

class TestRendererDocument final : public QObject
{
    Q_OBJECT

private slots:
    void baseGoesAfterTheProlog_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString base = QStringLiteral("<base href=\"file:///site/\">");
        QTest::addRow("plain text") << QStringLiteral("<p>x") << base + QStringLiteral("<p>x");
        QTest::addRow("empty") << QString() << base;
        QTest::addRow("doctype") << QStringLiteral("<!DOCTYPE html>\n<html>")
                                 << QStringLiteral("<!DOCTYPE html>\n") + base
                + QStringLiteral("<html>");
        QTest::addRow("white space, comment, doctype")
            << QStringLiteral("\n <!-- a > b --><!doctype html><p>")
            << QStringLiteral("\n <!-- a > b --><!doctype html>") + base + QStringLiteral("<p>");
        QTest::addRow("xml declaration")
            << QStringLiteral("<?xml version=\"1.0\"?><html>")
            << QStringLiteral("<?xml version=\"1.0\"?>") + base + QStringLiteral("<html>");
        QTest::addRow("unclosed comment") << QStringLiteral("<!-- never closed <p>")
                                          << base + QStringLiteral("<!-- never closed <p>");
        QTest::addRow("page with a base of its own")
            << QStringLiteral("<head><BASE href=\"http://example.org/\"></head>")
            << QStringLiteral("<head><BASE href=\"http://example.org/\"></head>");
        QTest::addRow("a word starting with base is no base")
            << QStringLiteral("<basefont size=3><p>")
            << base + QStringLiteral("<basefont size=3><p>");
    }

    void baseGoesAfterTheProlog()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(RendererDocument::withBase(text, QUrl(QStringLiteral("file:///site/"))), expected);
    }

    void baseAddressIsEscaped()
    {
        const QUrl base = RendererDocument::directoryUrl(QStringLiteral("/tmp/a \"b\" & c"));
        const QString written = RendererDocument::withBase(QString(), base);
        QCOMPARE(written, QStringLiteral("<base href=\"file:///tmp/a%20%22b%22%20&amp;%20c/\">"));
    }

    void documentAndPlacesWithinIt()
    {
        RendererDocument document;
        const Expected<QUrl> first
            = document.write(QStringLiteral("<p>one"), QStringLiteral("/site"));
        QVERIFY(first);
        const Expected<QUrl> second
            = document.write(QStringLiteral("<p>two"), QStringLiteral("/site"));
        QVERIFY(second);
        QVERIFY(*first != *second); // nothing of the last version is reused
        QVERIFY(document.isDocument(*second));
        QVERIFY(document.isDocument(second->adjusted(QUrl::RemoveQuery)));
        QVERIFY(!document.isDocument(QUrl::fromLocalFile(QStringLiteral("/site/page.htm"))));
        QCOMPARE(document.baseUrl(), QUrl(QStringLiteral("file:///site/")));
        QVERIFY(document.isWithinDocument(QUrl(QStringLiteral("file:///site/#top"))));
        QVERIFY(document.isWithinDocument(QUrl(QStringLiteral("file:///site/"))));
        QVERIFY(!document.isWithinDocument(QUrl(QStringLiteral("file:///site/page.htm#top"))));

        QFile file(second->toLocalFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xEF\xBB\xBF<base href=\"file:///site/\"><p>two"));
    }
};

QTEST_GUILESS_MAIN(TestRendererDocument)
#include "tst_rendererdocument.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/passwordcodec.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Tarnwick;

class tst_PasswordCodec : public QObject
{
    Q_OBJECT

private slots:
    void cipherKnownAnswers_data();
    void cipherKnownAnswers();
    void storedLength_data();
    void storedLength();
    void randomPasswordsRoundTrip();
    void sameVectorSameValue();
    void blankGivesEmpty_data();
    void blankGivesEmpty();
    void damagedValues_data();
    void damagedValues();
};

void tst_PasswordCodec::cipherKnownAnswers_data()
{
    QTest::addColumn<PasswordCodec::Key>("key");
    QTest::addColumn<PasswordCodec::Block>("plain");
    QTest::addColumn<PasswordCodec::Block>("cipher");
    QTest::addRow("zero key, zero block")
        << PasswordCodec::Key{0, 0, 0, 0} << PasswordCodec::Block{0, 0}
        << PasswordCodec::Block{0xdee9d4d8, 0xf7131ed9};
    QTest::addRow("counting key, ABCDEFGH")
        << PasswordCodec::Key{0x00010203, 0x04050607, 0x08090a0b, 0x0c0d0e0f}
        << PasswordCodec::Block{0x41424344, 0x45464748}
        << PasswordCodec::Block{0x497df3d0, 0x72612cb5};
}

void tst_PasswordCodec::cipherKnownAnswers()
{
    QFETCH(PasswordCodec::Key, key);
    QFETCH(PasswordCodec::Block, plain);
    QFETCH(PasswordCodec::Block, cipher);
    QCOMPARE(PasswordCodec::Encipher(plain, key), cipher);
    QCOMPARE(PasswordCodec::Decipher(cipher, key), plain);
}

void tst_PasswordCodec::storedLength_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("length");
    QTest::addRow("one character") << "x" << 24;
    QTest::addRow("eight characters") << "abcdefgh" << 24;
    QTest::addRow("nine characters") << "abcdefghi" << 36;
    QTest::addRow("sixteen characters") << "abcdefghijklmnop" << 36;
    QTest::addRow("two-byte characters count as bytes") << QString::fromUtf8("ééééé") << 36;
    QTest::addRow("leading blank kept") << " secret" << 24;
}

void tst_PasswordCodec::storedLength()
{
    QFETCH(QString, password);
    QFETCH(int, length);
    const QString stored = PasswordCodec::EncodeStr(password);
    QCOMPARE(stored.size(), length);
    for (QChar c : stored)
        QVERIFY2(c >= u'?' && c <= u'~', qPrintable(stored));
    QCOMPARE(PasswordCodec::DecodeStr(stored), password);
}

void tst_PasswordCodec::randomPasswordsRoundTrip()
{
    // Characters from one to four UTF-8 bytes, but no zero: a zero ends the password.
    const QString alphabet = QString::fromUtf8("aZ9 ~=\"'?é߀中🙂\t");
    QRandomGenerator random(20261208);
    for (int length = 0; length <= 100; ++length) {
        QString password;
        while (password.size() < length) {
            const QChar c = alphabet.at(random.bounded(alphabet.size()));
            if (c.isHighSurrogate())
                password += alphabet.mid(alphabet.indexOf(c), 2);
            else if (!c.isLowSurrogate())
                password += c;
        }
        const QString stored = PasswordCodec::EncodeStr(password);
        if (password.trimmed().isEmpty()) {
            QVERIFY(stored.isEmpty());
            continue;
        }
        QCOMPARE(PasswordCodec::DecodeStr(stored), password);
        for (QChar c : stored)
            QVERIFY2(c >= u'?' && c <= u'~', qPrintable(stored));
        const QString again = PasswordCodec::EncodeStr(password);
        QVERIFY2(again != stored, "two encodings of one password must differ");
        QCOMPARE(PasswordCodec::DecodeStr(again), password);
    }
}

void tst_PasswordCodec::sameVectorSameValue()
{
    // The vector is the value's first group, and it changes every block after it.
    const PasswordCodec::Block vector{0x12345678, 0x9abcdef0};
    const QString a = PasswordCodec::EncodeStr("password", vector);
    QCOMPARE(a, PasswordCodec::EncodeStr("password", vector));
    QCOMPARE(a.left(12), PasswordCodec::EncodeStr("other", vector).left(12));
    const QString b = PasswordCodec::EncodeStr("password", {0x12345678, 0x9abcdef1});
    QVERIFY(a.mid(12) != b.mid(12));
    // CBC: equal plain blocks give different cipher blocks.
    const QString twice = PasswordCodec::EncodeStr("abcdefghabcdefgh", vector);
    QVERIFY(twice.mid(12, 12) != twice.mid(24, 12));
}

void tst_PasswordCodec::blankGivesEmpty_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("empty") << QString();
    QTest::addRow("blanks") << "    ";
    QTest::addRow("tab and blank") << "\t ";
}

void tst_PasswordCodec::blankGivesEmpty()
{
    QFETCH(QString, text);
    QCOMPARE(PasswordCodec::EncodeStr(text), QString());
}

void tst_PasswordCodec::damagedValues_data()
{
    const QString full = PasswordCodec::EncodeStr("abcdefgh12345678");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("decoded");
    QTest::addRow("empty") << QString() << QString();
    QTest::addRow("vector only") << full.left(12) << QString();
    QTest::addRow("less than a group") << full.left(7) << QString();
    QTest::addRow("one block and a part") << full.left(24 + 11) << "abcdefgh";
    QTest::addRow("whole value") << full << "abcdefgh12345678";
}

void tst_PasswordCodec::damagedValues()
{
    QFETCH(QString, stored);
    QFETCH(QString, decoded);
    QCOMPARE(PasswordCodec::DecodeStr(stored), decoded);
}

QTEST_GUILESS_MAIN(tst_PasswordCodec)
#include "tst_passwordcodec.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/HandOverMessage.h"

#include <QtTest>

using HandOverMessage::Status;

Q_DECLARE_METATYPE(HandOverMessage::Status)

class tst_HandOverMessage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void decode_data();
    void decode();
    void everyPrefixIsIncomplete();
    void oversizedTextIsNotEncoded();
    void textEndsAtNul();
};

void tst_HandOverMessage::roundTrip_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("no argument") << quint32(2) << QString();
    QTest::newRow("address") << quint32(2) << QStringLiteral("http://127.0.0.1/a?b=c");
    QTest::newRow("Japanese file name")
        << quint32(2) << QStringLiteral("/tmp/日本語 ファイル.html");
    QTest::newRow("other value") << quint32(7) << QStringLiteral("x");
    QTest::newRow("largest text") << quint32(2)
                                  << QString(HandOverMessage::MaxTextBytes, QLatin1Char('a'));
}

void tst_HandOverMessage::roundTrip()
{
    QFETCH(quint32, value);
    QFETCH(QString, text);
    const HandOverMessage::Parsed parsed =
        HandOverMessage::decode(HandOverMessage::encode(value, text));
    QCOMPARE(parsed.status, Status::Complete);
    QCOMPARE(parsed.value, value);
    QCOMPARE(parsed.text, text);
}

void tst_HandOverMessage::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Status>("status");
    const QByteArray good = HandOverMessage::encode(2, QStringLiteral("abc"));
    QTest::newRow("empty so far") << QByteArray() << Status::Incomplete;
    QTest::newRow("wrong magic") << QByteArray("GET / HTTP/1.0\r\n\r\n") << Status::Malformed;
    QTest::newRow("wrong first byte") << QByteArray("X") << Status::Malformed;
    QTest::newRow("trailing byte") << good + 'x' << Status::Malformed;
    QTest::newRow("length beyond the cap")
        << QByteArray("DRVH\0\0\0\x02\x7f\xff\xff\xff", 12) << Status::Malformed;
    QTest::newRow("length one past the cap")
        << QByteArray("DRVH\0\0\0\x02\0\x04\0\x01", 12) << Status::Malformed;
    QTest::newRow("header only, text missing")
        << QByteArray("DRVH\0\0\0\x02\0\0\0\x05", 12) << Status::Incomplete;
    QTest::newRow("complete") << good << Status::Complete;
}

void tst_HandOverMessage::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Status, status);
    QCOMPARE(HandOverMessage::decode(bytes).status, status);
}

void tst_HandOverMessage::everyPrefixIsIncomplete()
{
    // A message that arrives in pieces is never taken for a malformed one.
    const QByteArray good = HandOverMessage::encode(2, QStringLiteral("http://127.0.0.1/"));
    for (int n = 0; n < good.size(); ++n)
        QCOMPARE(HandOverMessage::decode(good.left(n)).status, Status::Incomplete);
}

void tst_HandOverMessage::oversizedTextIsNotEncoded()
{
    QVERIFY(HandOverMessage::encode(2, QString(HandOverMessage::MaxTextBytes + 1, QLatin1Char('a')))
                .isEmpty());
}

void tst_HandOverMessage::textEndsAtNul()
{
    const HandOverMessage::Parsed parsed =
        HandOverMessage::decode(HandOverMessage::encode(2, QStringLiteral("http://a/\0b\0")));
    QCOMPARE(parsed.status, Status::Complete);
    QCOMPARE(parsed.text, QStringLiteral("http://a/"));
}

QTEST_GUILESS_MAIN(tst_HandOverMessage)
#include "tst_HandOverMessage.moc"

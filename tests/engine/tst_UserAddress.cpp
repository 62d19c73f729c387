// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/DorvuError.h"
#include "engine/TextZoom.h"
#include "engine/UserAddress.h"

#include <QtTest>

class tst_UserAddress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toUrl_data();
    void toUrl();
    void relativeFileInWorkingDirectory();
    void noAddressThrows();
    void textZoomGrowsWithSize();
};

void tst_UserAddress::toUrl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: no address

    QTest::newRow("empty") << ""
                           << "about:blank";
    QTest::newRow("blanks") << "   "
                            << "about:blank";
    QTest::newRow("host name") << "www.example.com"
                               << "http://www.example.com";
    QTest::newRow("host and port") << "127.0.0.1:8080/a"
                                   << "http://127.0.0.1:8080/a";
    QTest::newRow("localhost and port") << "localhost:8080"
                                        << "http://localhost:8080";
    QTest::newRow("surrounding blanks") << "  http://a.example/  "
                                        << "http://a.example/";
    QTest::newRow("absolute path") << "/etc/hosts"
                                   << "file:///etc/hosts";
    QTest::newRow("drive, slash") << "C:/x"
                                  << "file:///C:/x";
    QTest::newRow("drive, backslashes") << "C:\\x\\y.htm"
                                        << "file:///C:/x/y.htm";
    QTest::newRow("drive, lower case") << "d:\\"
                                       << "file:///d:/";
    QTest::newRow("drive alone") << "C:"
                                 << "file:///C:/";
    QTest::newRow("share") << "\\\\server\\share\\f.htm"
                           << "file://server/share/f.htm";
    QTest::newRow("about:blank") << "about:blank"
                                 << "about:blank";
    QTest::newRow("file URL") << "file:///tmp/a.html"
                              << "file:///tmp/a.html";
    QTest::newRow("http URL") << "http://example.com/a?b=c#d"
                              << "http://example.com/a?b=c#d";
    QTest::newRow("https URL") << "https://example.com/"
                               << "https://example.com/";
    QTest::newRow("Japanese host") << "日本.jp"
                                   << "http://日本.jp";
    QTest::newRow("words") << "hello world"
                           << "";
    QTest::newRow("question mark") << "?"
                                   << "";
}

void tst_UserAddress::toUrl()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QUrl url = UserAddress::toUrl(text);
    if (expected.isEmpty()) {
        QVERIFY2(!url.isValid(), qPrintable(url.toString()));
    } else {
        QVERIFY(url.isValid());
        QCOMPARE(url.toString(), expected);
    }
}

void tst_UserAddress::relativeFileInWorkingDirectory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("page.html")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QCOMPARE(UserAddress::toUrl(QStringLiteral("page.html"), dir.path()),
             QUrl::fromLocalFile(file.fileName()));
    // Without the folder the same text is a host name.
    QCOMPARE(UserAddress::toUrl(QStringLiteral("page.html")).scheme(), QStringLiteral("http"));
}

void tst_UserAddress::noAddressThrows()
{
    try {
        UserAddress::toNavigableUrl(QStringLiteral("hello world"));
        QFAIL("no error for text that is no address");
    } catch (const DorvuError &error) {
        QVERIFY(error.message().contains(QStringLiteral("hello world")));
    }
    QCOMPARE(UserAddress::toNavigableUrl(QString()), QUrl(QStringLiteral("about:blank")));
}

void tst_UserAddress::textZoomGrowsWithSize()
{
    QCOMPARE(TextZoom::factor(TextZoom::Medium), 1.0);
    for (int size = TextZoom::Smallest; size < TextZoom::Largest; ++size)
        QVERIFY(TextZoom::factor(size) < TextZoom::factor(size + 1));
    QVERIFY(!TextZoom::isValid(-1));
    QVERIFY(!TextZoom::isValid(5));
}

QTEST_GUILESS_MAIN(tst_UserAddress)
#include "tst_UserAddress.moc"

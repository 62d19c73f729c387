// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// prefs.js line rules: what is read from a file, what is written back, what the engine takes.
#include "common/TextFile.h"
#include "settings/GeckoPrefs.h"

#include <QRandomGenerator>
#include <QTest>

using GeckoPrefs::Values;
using Lines = QList<QByteArray>;
Q_DECLARE_METATYPE(Values)

namespace {

/// The five boxes as 1/0: image, cookie, Java, script, proxy.
QByteArray boxes(const Values &v)
{
    QByteArray text;
    for (bool b : {v.Image, v.Cookie, v.Java, v.Script, v.Proxy})
        text += b ? '1' : '0';
    return text;
}

QByteArray pref(const QByteArray &name, const QByteArray &value)
{
    return "user_pref(\"" + name + "\", " + value + ");";
}

} // namespace

class TestGeckoPrefs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readPrefs_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("switches");
        QTest::addColumn<QString>("http");
        QTest::addColumn<QString>("httpPort");
        QTest::newRow("nothing: features on, proxy off, texts kept")
            << QByteArray() << QByteArray("11110") << "old"
            << "old";
        QTest::newRow("all off, proxy on, CR-only line ends")
            << QByteArray("user_pref(\"network.image.imageBehavior\", 2);\r"
                          "user_pref(\"network.cookie.cookieBehavior\", 2);\r"
                          "user_pref(\"security.enable_java\", false);\r"
                          "user_pref(\"javascript.enabled\", false);\r"
                          "user_pref(\"network.proxy.type\", 1);")
            << QByteArray("00001") << "old"
            << "old";
        QTest::newRow("the http_port 8080 line")
            << pref("network.proxy.http_port", "8080") << QByteArray("11110") << "old"
            << "8080";
        QTest::newRow("two spaces keep the opening quote")
            << QByteArray("user_pref(\"network.proxy.http\",  \"proxy.example\");")
            << QByteArray("11110") << "\"proxy.example"
            << "old";
        QTest::newRow("a later line wins") << QByteArray(pref("network.proxy.http", "\"a\"") +
                                                         '\n' + pref("network.proxy.http", "\"b\""))
                                           << QByteArray("11110") << "b"
                                           << "old";
        QTest::newRow("lines shorter than the positions give empty texts")
            << QByteArray("\"network.proxy.http\", \nx\"network.proxy.http_port\", 1")
            << QByteArray("11110") << ""
            << "";
    }

    void readPrefs()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, switches);
        QFETCH(QString, http);
        QFETCH(QString, httpPort);
        Values v;
        v.Image = false;
        v.Proxy = true;
        v.HTTP = v.HTTP_port = QStringLiteral("old");
        GeckoPrefs::ReadPrefs(TextFile::splitByteLines(file), v);
        QCOMPARE(boxes(v), switches);
        QCOMPARE(v.HTTP, http);
        QCOMPARE(v.HTTP_port, httpPort);
    }

    void buildPrefs_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<Values>("values");
        QTest::addColumn<Lines>("expected");
        const QByteArray foreign = pref("browser.startup.homepage", "\"about:blank\"");
        // Not Shift_JIS, and the second code of a CP932 character: both kept as they are.
        const QByteArray odd("// \x87\x9B \xFF\xFE", 8);
        Lines all13{foreign, odd};
        for (const QByteArray &name : GeckoPrefs::Names())
            all13.append(pref(name, "1"));
        QTest::newRow("ticked, empty: removes all thirteen, adds none")
            << all13 << Values{} << Lines{foreign, odd};
        QTest::newRow("a comment mentioning network.proxy.ftp goes")
            << Lines{"// network.proxy.ftp", foreign} << Values{} << Lines{foreign};

        Values unticked;
        unticked.HTTP = QStringLiteral("proxy.example");
        unticked.HTTP_port = QStringLiteral("8080");
        QTest::newRow("proxy unticked: host and port still written")
            << Lines{} << unticked
            << Lines{pref("network.proxy.http", "\"proxy.example\""),
                     pref("network.proxy.http_port", "8080")};

        Values all;
        all.Image = all.Cookie = all.Java = all.Script = false;
        all.Proxy = true;
        for (QString *t : {&all.HTTP, &all.HTTP_port, &all.FTP, &all.FTP_port, &all.SSL,
                           &all.SSL_port, &all.Gopher, &all.Gopher_port})
            *t = QStringLiteral("x");
        all.SSL_port = QStringLiteral("abc");
        all.Gopher = QStringLiteral("a\"b");
        Lines order{pref("network.image.imageBehavior", "2"),
                    pref("network.cookie.cookieBehavior", "2"),
                    pref("security.enable_java", "false"), pref("javascript.enabled", "false"),
                    pref("network.proxy.type", "1")};
        for (const char *proto : {"http", "ftp", "ssl", "gopher"}) {
            const QByteArray name = QByteArray("network.proxy.") + proto;
            order << pref(name, proto == QByteArray("gopher") ? "\"a\"b\"" : "\"x\"")
                  << pref(name + "_port", proto == QByteArray("ssl") ? "abc" : "x");
        }
        QTest::newRow("append order, texts as typed") << Lines{} << all << order;
    }

    void buildPrefs()
    {
        QFETCH(Lines, lines);
        QFETCH(Values, values);
        QFETCH(Lines, expected);
        QCOMPARE(GeckoPrefs::BuildPrefs(lines, values), expected);
    }

    void engineSettings_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<int>("cookies");
        QTest::addColumn<QByteArray>("http");
        QTest::addColumn<QByteArray>("ssl");
        const Lines proxies{pref("network.proxy.http", "\"proxy.example\""),
                            pref("network.proxy.http_port", "3128"),
                            "user_pref(\"network.proxy.ssl\",  \"quoted\");",
                            pref("network.proxy.ssl_port", "443")};
        QTest::newRow("proxies without type 1 and cookies 1")
            << (proxies + Lines{pref("network.cookie.cookieBehavior", "1")}) << 1 << QByteArray()
            << QByteArray();
        QTest::newRow("type 1: only usable proxies")
            << (proxies + Lines{pref("network.proxy.type", "1")}) << -1
            << QByteArray("http://proxy.example:3128") << QByteArray();
        QTest::newRow("port abc is left out")
            << Lines{pref("network.proxy.type", "1"), pref("network.proxy.http", "\"h\""),
                     pref("network.proxy.http_port", "abc")}
            << -1 << QByteArray() << QByteArray();
    }

    void engineSettings()
    {
        QFETCH(Lines, lines);
        QFETCH(int, cookies);
        QFETCH(QByteArray, http);
        QFETCH(QByteArray, ssl);
        const GeckoPrefs::EngineSettings e = GeckoPrefs::ReadEngineSettings(lines);
        QCOMPARE(e.CookieBehavior, cookies);
        QCOMPARE(e.HttpProxy, http);
        QCOMPARE(e.SslProxy, ssl);
    }

    // 50 MB in one line, then random bytes: read in time, nothing breaks.
    void hugeAndBinaryFiles()
    {
        QByteArray huge(50 * 1024 * 1024, 'a');
        huge.replace(1000, 23, "\"network.proxy.http\", \"");
        Values v;
        GeckoPrefs::ReadPrefs(TextFile::splitByteLines(huge), v);
        QCOMPARE(v.HTTP.size(), huge.size() - 36);

        QByteArray garbage(1024 * 1024, Qt::Uninitialized);
        QRandomGenerator rng(14);
        for (char &c : garbage)
            c = char(rng.bounded(256));
        const Lines lines = TextFile::splitByteLines(garbage);
        GeckoPrefs::ReadEngineSettings(lines);
        QVERIFY(GeckoPrefs::BuildPrefs(lines, Values{}).size() <= lines.size());
    }
};

QTEST_GUILESS_MAIN(TestGeckoPrefs)
#include "tst_GeckoPrefs.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// prefs.js line rules: what the dialog reads from the lines, what it writes back, what the
// engine takes from them; and that no file, however odd, breaks the reading.
#include "GeckoPrefs.h"

#include <QRandomGenerator>
#include <QTest>

using GeckoPrefs::Values;
using Lines = QList<QByteArray>;

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// The five boxes as 1/0 in the order image, cookie, Java, script, proxy.
QByteArray boxes(const Values &v)
{
    QByteArray text;
    for (bool b : {v.Image, v.Cookie, v.Java, v.Script, v.Proxy})
        text += b ? '1' : '0';
    return text;
}

Values allTexts(const QString &suffix)
{
    Values v;
    for (QString *t : {&v.HTTP, &v.HTTP_port, &v.FTP, &v.FTP_port, &v.SSL, &v.SSL_port, &v.Gopher,
                       &v.Gopher_port})
        *t = suffix;
    return v;
}

} // namespace

Q_DECLARE_METATYPE(Values)

class TestGeckoPrefs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readPrefs_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QByteArray>("switches");
        QTest::addColumn<QString>("http");
        QTest::addColumn<QString>("httpPort");
        QTest::addColumn<QString>("ftp");

        QTest::newRow("nothing: features on, proxy off, texts kept")
            << Lines{} << QByteArray("11110") << S("old") << S("old") << S("old");
        QTest::newRow("four features off, proxy on")
            << Lines{"user_pref(\"network.image.imageBehavior\", 2);",
                     "user_pref(\"network.cookie.cookieBehavior\", 2);",
                     "user_pref(\"security.enable_java\", false);",
                     "user_pref(\"javascript.enabled\", false);",
                     "user_pref(\"network.proxy.type\", 1);"}
            << QByteArray("00001") << S("old") << S("old") << S("old");
        QTest::newRow("other values switch nothing")
            << Lines{"user_pref(\"network.image.imageBehavior\", 1);",
                     "user_pref(\"network.proxy.type\", 2);"}
            << QByteArray("11110") << S("old") << S("old") << S("old");
        QTest::newRow("the http_port 8080 line")
            << Lines{"user_pref(\"network.proxy.http_port\", 8080);"} << QByteArray("11110")
            << S("old") << S("8080") << S("old");
        QTest::newRow("host and ftp, http not confused with http_port")
            << Lines{"user_pref(\"network.proxy.http\", \"proxy.example\");",
                     "user_pref(\"network.proxy.ftp\", \"ftp.example\");"}
            << QByteArray("11110") << S("proxy.example") << S("old") << S("ftp.example");
        QTest::newRow("two spaces keep the opening quote")
            << Lines{"user_pref(\"network.proxy.http\",  \"proxy.example\");"}
            << QByteArray("11110") << S("\"proxy.example") << S("old") << S("old");
        QTest::newRow("a later line wins")
            << Lines{"user_pref(\"network.proxy.http\", \"first\");",
                     "user_pref(\"network.proxy.http\", \"second\");"}
            << QByteArray("11110") << S("second") << S("old") << S("old");
        QTest::newRow("lines shorter than the positions give empty texts")
            << Lines{"\"network.proxy.http\", ", "x\"network.proxy.http_port\", 1",
                     "\"network.proxy.ftp\", \"ab\");"}
            << QByteArray("11110") << QString() << QString() << QString();
        QTest::newRow("Shift_JIS host text")
            << Lines{QByteArray("user_pref(\"network.proxy.http\", \"\x83\x76\x83\x8d\");")}
            << QByteArray("11110") << S("プロ") << S("old") << S("old");
    }

    void readPrefs()
    {
        QFETCH(Lines, lines);
        Values v = allTexts(S("old"));
        v.Image = v.Script = false;
        v.Proxy = true;
        GeckoPrefs::ReadPrefs(lines, v);
        QFETCH(QByteArray, switches);
        QCOMPARE(boxes(v), switches);
        QFETCH(QString, http);
        QCOMPARE(v.HTTP, http);
        QFETCH(QString, httpPort);
        QCOMPARE(v.HTTP_port, httpPort);
        QFETCH(QString, ftp);
        QCOMPARE(v.FTP, ftp);
    }

    void buildPrefs_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<Values>("values");
        QTest::addColumn<Lines>("expected");

        const QByteArray foreign = "user_pref(\"browser.startup.homepage\", \"about:blank\");";
        // Not valid Shift_JIS, and a second code of a CP932 character: kept as they are.
        const QByteArray odd = QByteArray("// \x87\x9B \xFF\xFE\x80", 9);
        Lines all13{foreign, odd};
        for (const QByteArray &name : GeckoPrefs::Names())
            all13.append("user_pref(\"" + name + "\", 1);");

        QTest::newRow("ticked, empty: removes all thirteen, adds none")
            << all13 << Values{} << Lines{foreign, odd};
        QTest::newRow("a comment mentioning network.proxy.ftp goes")
            << Lines{"// network.proxy.ftp was here", foreign} << Values{} << Lines{foreign};

        Values unticked;
        unticked.HTTP = S("proxy.example");
        unticked.HTTP_port = S("8080");
        QTest::newRow("proxy unticked: host and port still written")
            << Lines{} << unticked
            << Lines{"user_pref(\"network.proxy.http\", \"proxy.example\");",
                     "user_pref(\"network.proxy.http_port\", 8080);"};

        Values everything = allTexts(S("x"));
        everything.Image = everything.Cookie = everything.Java = everything.Script = false;
        everything.Proxy = true;
        everything.SSL_port = S("abc");
        everything.Gopher = S("a\"b");
        QTest::newRow("append order, texts as typed")
            << Lines{foreign} << everything
            << Lines{foreign,
                     "user_pref(\"network.image.imageBehavior\", 2);",
                     "user_pref(\"network.cookie.cookieBehavior\", 2);",
                     "user_pref(\"security.enable_java\", false);",
                     "user_pref(\"javascript.enabled\", false);",
                     "user_pref(\"network.proxy.type\", 1);",
                     "user_pref(\"network.proxy.http\", \"x\");",
                     "user_pref(\"network.proxy.http_port\", x);",
                     "user_pref(\"network.proxy.ftp\", \"x\");",
                     "user_pref(\"network.proxy.ftp_port\", x);",
                     "user_pref(\"network.proxy.ssl\", \"x\");",
                     "user_pref(\"network.proxy.ssl_port\", abc);",
                     "user_pref(\"network.proxy.gopher\", \"a\"b\");",
                     "user_pref(\"network.proxy.gopher_port\", x);"};
    }

    void buildPrefs()
    {
        QFETCH(Lines, lines);
        QFETCH(Values, values);
        QFETCH(Lines, expected);
        QCOMPARE(GeckoPrefs::BuildPrefs(lines, values), expected);
    }

    // What the dialog writes, the dialog reads back.
    void writtenLinesReadBack()
    {
        Values written = allTexts(S("h"));
        written.HTTP_port = S("3128");
        written.Cookie = false;
        written.Proxy = true;
        Values read;
        GeckoPrefs::ReadPrefs(
            GeckoPrefs::SplitLines(GeckoPrefs::JoinLines(GeckoPrefs::BuildPrefs({}, written))),
            read);
        QCOMPARE(boxes(read), boxes(written));
        QCOMPARE(read.HTTP_port, S("3128"));
        QCOMPARE(read.Gopher, S("h"));
    }

    void splitLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Lines>("lines");
        QTest::newRow("CR only") << QByteArray("a\rb\rc") << Lines{"a", "b", "c"};
        QTest::newRow("mixed, last end adds nothing")
            << QByteArray("a\r\nb\n\rc\r\n") << Lines{"a", "b", "", "c"};
    }

    void splitLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Lines, lines);
        QCOMPARE(GeckoPrefs::SplitLines(bytes), lines);
    }

    void engineSettings_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<int>("cookies");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<QByteArray>("http");
        QTest::addColumn<QByteArray>("ssl");

        QTest::newRow("defaults") << Lines{} << -1 << false << QByteArray() << QByteArray();
        QTest::newRow("cookies 1, then 0")
            << Lines{"user_pref(\"network.cookie.cookieBehavior\", 1);",
                     "user_pref(\"network.cookie.cookieBehavior\", 0);"}
            << 0 << false << QByteArray() << QByteArray();
        const Lines proxies{"user_pref(\"network.proxy.http\", \"proxy.example\");",
                            "user_pref(\"network.proxy.http_port\", 3128);",
                            "user_pref(\"network.proxy.ssl\",  \"quoted.example\");",
                            "user_pref(\"network.proxy.ssl_port\", 443);"};
        QTest::newRow("proxies without type 1: the desktop's")
            << proxies << -1 << false << QByteArray() << QByteArray();
        QTest::newRow("type 1: usable proxies only")
            << (Lines{"user_pref(\"network.proxy.type\", 1);"} + proxies) << -1 << true
            << QByteArray("http://proxy.example:3128") << QByteArray();
        QTest::newRow("port abc is left out")
            << Lines{"user_pref(\"network.proxy.type\", 1);",
                     "user_pref(\"network.proxy.http\", \"proxy.example\");",
                     "user_pref(\"network.proxy.http_port\", abc);"}
            << -1 << true << QByteArray() << QByteArray();
    }

    void engineSettings()
    {
        QFETCH(Lines, lines);
        const GeckoPrefs::EngineSettings e = GeckoPrefs::ReadEngineSettings(lines);
        QFETCH(int, cookies);
        QCOMPARE(e.CookieBehavior, cookies);
        QFETCH(bool, custom);
        QCOMPARE(e.CustomProxy, custom);
        QFETCH(QByteArray, http);
        QCOMPARE(e.HttpProxy, http);
        QFETCH(QByteArray, ssl);
        QCOMPARE(e.SslProxy, ssl);
    }

    // 50 MB without a line end, then 1 MB of random bytes: read in time, nothing breaks.
    void hugeAndBinaryFiles()
    {
        QByteArray huge(50 * 1024 * 1024, 'a');
        huge.replace(1000, 23, "\"network.proxy.http\", \"");
        Values v;
        GeckoPrefs::ReadPrefs(GeckoPrefs::SplitLines(huge), v);
        QCOMPARE(v.HTTP.size(), huge.size() - 36);

        QByteArray garbage(1024 * 1024, Qt::Uninitialized);
        QRandomGenerator rng(14);
        for (char &c : garbage)
            c = char(rng.bounded(256));
        const Lines lines = GeckoPrefs::SplitLines(garbage);
        GeckoPrefs::ReadEngineSettings(lines);
        QCOMPARE(GeckoPrefs::BuildPrefs(lines, Values{}).size() <= lines.size(), true);
    }
};

QTEST_GUILESS_MAIN(TestGeckoPrefs)
#include "tst_GeckoPrefs.moc"

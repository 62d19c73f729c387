// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The page commands' logic without a window: the translation address, the extracted link
// lines, where the help page is, which network settings tool starts, and the version block.
#include "common/DorvuError.h"
#include "tools/HelpPage.h"
#include "tools/LinkList.h"
#include "tools/NetworkSettingsTool.h"
#include "tools/ProductInfo.h"
#include "tools/TOtVersInfo.h"
#include "tools/TranslationUrl.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kTail =
    QStringLiteral("&submit=%83E%83F%83u%83y%81%5B%83W%96%7C%96%F3&wb_lp=ENJA&wb_dis=");

// The parts, each followed by a NUL.
QByteArray nulJoined(const QList<QByteArray> &parts)
{
    QByteArray out;
    for (const QByteArray &part : parts)
        out += part + '\0';
    return out;
}

void writeFile(const QString &path, const QByteArray &bytes, bool executable = false)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

} // namespace

class tst_PageCommandsCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void translationUrl_data();
    void translationUrl();
    void linkLines_data();
    void linkLines();
    void helpPageIndependentOfCurrentFolder();
    void networkToolOrder();
    void versionBlock_data();
    void versionBlock();
    void versionOfBuiltModule();
};

void tst_PageCommandsCore::translationUrl_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("frameMode");
    QTest::addColumn<QString>("expected");
    auto url = [](const QString &rest, const QString &mode,
                  const QString &scheme = QStringLiteral("http")) -> QString {
        return QStringLiteral("http://tr.example/world/url/body/?wb_url=") + scheme +
               QStringLiteral("%3A%2F%2F") + rest + kTail + mode +
               QStringLiteral("&wb_co=lunarbeacon3");
    };
    const QString two = QStringLiteral("2");
    const QString three = QStringLiteral("3");
    QTest::newRow("http, mode 3") << QStringLiteral("http://www.example.com/a?b=1") << false
                                  << url(QStringLiteral("www.example.com/a?b=1"), three);
    QTest::newRow("http, mode 2") << QStringLiteral("http://www.example.com/") << true
                                  << url(QStringLiteral("www.example.com/"), two);
    // The secure scheme goes whole, and the service is told it.
    QTest::newRow("https") << QStringLiteral("https://secure.example/x") << false
                           << url(QStringLiteral("secure.example/x"), three,
                                  QStringLiteral("https"));
    // No page of the web: nothing to translate.
    QTest::newRow("local file") << QStringLiteral("file:///home/u/a.html") << false << QString();
    QTest::newRow("no scheme") << QStringLiteral("abc") << false << QString();
    QTest::newRow("empty") << QString() << true << QString();
    // Not encoded: the rest goes in as it stands.
    QTest::newRow("japanese") << QStringLiteral("http://例え.jp/日本") << false
                              << url(QStringLiteral("例え.jp/日本"), three);
}

void tst_PageCommandsCore::translationUrl()
{
    QFETCH(QString, address);
    QFETCH(bool, frameMode);
    QFETCH(QString, expected);
    QCOMPARE(TranslationUrl::build(QStringLiteral("http://tr.example"), address, frameMode),
             expected);
}

void tst_PageCommandsCore::linkLines_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("none") << QString() << QStringList();
    QTest::newRow("order kept, duplicates dropped")
        << QStringLiteral("http://b.example/\nhttp://a.example/x\nhttp://b.example/\n")
        << QStringList{QStringLiteral("http://b.example/"), QStringLiteral("http://a.example/x")};
    QTest::newRow("script and relative left out")
        << QStringLiteral("javascript:void(0)\nJavaScript:alert(1)\n/relative\nmailto:a@b.example")
        << QStringList{QStringLiteral("mailto:a@b.example")};
    QTest::newRow("japanese path and host encoded")
        << QStringLiteral("http://127.0.0.1:8080/日本語/ページ.html?q=検索#節\nhttp://例え.jp/")
        << QStringList{QStringLiteral("http://127.0.0.1:8080/%E6%97%A5%E6%9C%AC%E8%AA%9E/"
                                      "%E3%83%9A%E3%83%BC%E3%82%B8.html?q=%E6%A4%9C%E7%B4%A2"
                                      "#%E7%AF%80"),
                       QStringLiteral("http://xn--r8jz45g.jp/")};
    // The same address written once encoded and once not is one line.
    QTest::newRow("encoded twin") << QStringLiteral(
                                         "http://h.example/%E6%97%A5\nhttp://h.example/日")
                                  << QStringList{QStringLiteral("http://h.example/%E6%97%A5")};
}

void tst_PageCommandsCore::linkLines()
{
    QFETCH(QString, result);
    QFETCH(QStringList, lines);
    QCOMPARE(LinkList::fromScriptResult(result), lines);
}

void tst_PageCommandsCore::helpPageIndependentOfCurrentFolder()
{
    QTemporaryDir program;
    QTemporaryDir app;
    QVERIFY(QDir(app.path()).mkpath(QStringLiteral("help")));
    writeFile(app.filePath(QStringLiteral("help/index.htm")), "<title>x</title>");
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    // Beside the executable while the program folder has none.
    QCOMPARE(HelpPage::indexPath(program.path() + QStringLiteral("/"), app.path()),
             app.filePath(QStringLiteral("help/index.htm")));
    // The program folder's own copy comes first.
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("help")));
    writeFile(program.filePath(QStringLiteral("help/index.htm")), "<title>y</title>");
    QCOMPARE(HelpPage::indexPath(program.path() + QStringLiteral("/"), app.path()),
             program.filePath(QStringLiteral("help/index.htm")));
    QVERIFY(QDir::setCurrent(previous));
}

void tst_PageCommandsCore::networkToolOrder()
{
    QTemporaryDir bin;
    QCOMPARE(NetworkSettingsTool::find({bin.path()}).program, QString());
    writeFile(bin.filePath(QStringLiteral("nm-connection-editor")), "#!/bin/sh\n", true);
    QCOMPARE(NetworkSettingsTool::find({bin.path()}).program,
             bin.filePath(QStringLiteral("nm-connection-editor")));
    writeFile(bin.filePath(QStringLiteral("systemsettings5")), "#!/bin/sh\n", true);
    QCOMPARE(NetworkSettingsTool::find({bin.path()}).arguments,
             QStringList{QStringLiteral("proxy")});
    writeFile(bin.filePath(QStringLiteral("gnome-control-center")), "#!/bin/sh\n", true);
    const NetworkSettingsTool::Command gnome = NetworkSettingsTool::find({bin.path()});
    QCOMPARE(gnome.program, bin.filePath(QStringLiteral("gnome-control-center")));
    QCOMPARE(gnome.arguments, QStringList{QStringLiteral("network")});
}

void tst_PageCommandsCore::versionBlock_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fileVersion");        // empty: the query fails
    const QByteArray junk(3 * 1024 * 1024 - 5, 'x'); // puts the marker across a read boundary
    const QByteArray block =
        nulJoined({"DORVU-VERSIONINFO", "FileVersion", "1.2.3", "ProductName", "Dorvu", ""});
    QTest::newRow("block") << QByteArray("\x7f"
                                         "ELF" +
                                         junk + block + "tail")
                           << QStringLiteral("1.2.3");
    QTest::newRow("no block") << QByteArray("\x7f"
                                            "ELF" +
                                            junk)
                              << QString();
    QTest::newRow("no FileVersion")
        << nulJoined({"DORVU-VERSIONINFO", "ProductName", "Dorvu", ""}) << QString();
    QTest::newRow("truncated") << nulJoined({"DORVU-VERSIONINFO", "FileVersion"}) + "1.2"
                               << QString();
    QTest::newRow("empty file") << QByteArray() << QString();
}

void tst_PageCommandsCore::versionBlock()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fileVersion);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mozctl.so"));
    writeFile(path, bytes);
    TOtVersInfo info;
    info.FileName = path;
    try {
        const QString value = info.query(TOtVersInfo::FileVersion);
        QVERIFY2(!fileVersion.isEmpty(), qPrintable(value));
        QCOMPARE(value, fileVersion);
    } catch (const DorvuError &e) {
        QVERIFY2(fileVersion.isEmpty(), qPrintable(e.message()));
        QVERIFY(e.message().startsWith(QLatin1String("QueryVersionInfo:")));
    }
}

void tst_PageCommandsCore::versionOfBuiltModule()
{
    TOtVersInfo info;
    info.FileName = qEnvironmentVariable("DORVU_BUILD_DIR") + QStringLiteral("/gecko/mozctl.so");
    QVERIFY(QFileInfo::exists(info.FileName));
    const QString version = info.query(TOtVersInfo::FileVersion);
    QVERIFY2(QRegularExpression(QRegularExpression::escape(ProductInfo::version()) +
                                QStringLiteral(" \\(WebKitGTK \\d+\\.\\d+\\.\\d+\\)"))
                 .match(version)
                 .hasMatch(),
             qPrintable(version));
    // The block is read once: pointing elsewhere afterwards changes nothing.
    info.FileName = QStringLiteral("/nonexistent");
    QCOMPARE(info.query(TOtVersInfo::ProductName), QStringLiteral("Dorvu"));
}

QTEST_GUILESS_MAIN(tst_PageCommandsCore)
#include "tst_PageCommandsCore.moc"

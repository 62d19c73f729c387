// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The registration program against the built module and against folders without one. It
// prints its report (DORVU_REGISTER_PRINT=1) instead of showing its box.
#include "DorvuProcess.h"
#include "TestHome.h"
#include "TestPages.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

struct Outcome
{
    int exitCode = -1;
    QString report;
};

Outcome runRegister(const QString &file, const QString &dataHome)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(S("DORVU_REGISTER_PRINT"), S("1"));
    env.insert(S("XDG_DATA_HOME"), dataHome);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(DorvuProcess::buildDir() + S("/dorvu-gecko-register"), {file});
    if (!process.waitForFinished(kEngineTimeout + 30000))
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()).trimmed()};
}

} // namespace

class TestGeckoRegister : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The engine starts, makes its profile at the first start and says what it is; a prefs.js
    // it cannot make sense of stops nothing.
    void builtModuleRegisters()
    {
        QTemporaryDir data;
        const QString file = TestHome::moduleFolder() + S("/mozctl.so");
        Outcome outcome = runRegister(file, data.path());
        QCOMPARE(outcome.exitCode, 0);
        QVERIFY2(outcome.report.startsWith(S("Geckoエンジンを登録しました")),
                 qPrintable(outcome.report));
        QVERIFY(outcome.report.contains(S("WebKitGTK")));
        QFile prefs(data.filePath(S("dorvu/Mozilla/Profiles/MozillaControl/default/prefs.js")));
        QVERIFY(prefs.exists());
        QCOMPARE(prefs.size(), 0);

        QVERIFY(prefs.open(QIODevice::WriteOnly));
        prefs.write(QByteArray("\0\xff\x80garbage\r", 11) +
                    "user_pref(\"network.proxy.type\", 1);\r"
                    "user_pref(\"network.proxy.http\",  \"quoted\");\r"
                    "user_pref(\"network.proxy.http_port\", abc);\r\"network.proxy.ssl\", ");
        prefs.close();
        outcome = runRegister(file, data.path());
        QCOMPARE(outcome.exitCode, 0);
    }

    void missingModuleFails_data()
    {
        QTest::addColumn<bool>("emptyText");
        QTest::newRow("empty folder text: /mozctl.so") << true;
        QTest::newRow("a folder without the module") << false;
    }

    void missingModuleFails()
    {
        QFETCH(bool, emptyText);
        QTemporaryDir empty;
        const QString file = emptyText ? S("/mozctl.so") : empty.filePath(S("mozctl.so"));
        const Outcome outcome = runRegister(file, empty.path());
        QCOMPARE(outcome.exitCode, 1);
        QCOMPARE(outcome.report,
                 S("Geckoエンジン (%1) を読み込めません: ファイルがありません").arg(file));
    }
};

QTEST_GUILESS_MAIN(TestGeckoRegister)
#include "tst_GeckoRegister.moc"

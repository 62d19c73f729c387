// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Loading the WebKit module: every way it can fail ends in a clear message, never a crash.
// Runs on the offscreen platform, where the module must refuse to start GTK.
#include "HomeTest.h"
#include "common/DorvuError.h"
#include "engine/MozCtlModule.h"
#include "engine/TMozillaBrowser.h"
#include "settings/IniFile.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <dlfcn.h>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString moduleError()
{
    try {
        MozCtlModule::api();
    } catch (const DorvuError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class TestMozCtlModule : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override { MozCtlModule::setFolderOverride(QString()); }

    void cleanupHome() override { MozCtlModule::setFolderOverride(QString()); }

private Q_SLOTS:
    // A page window creating a Gecko engine gets the error, not a half-made browser.
    void missingModuleIsReportedByCreate()
    {
        QTemporaryDir empty;
        IniFile::config().WriteString(QStringLiteral("Option_Main"), QStringLiteral("MozPath"),
                                      empty.path());
        const QString file = empty.path() + QStringLiteral("/mozctl.so");
        try {
            delete TMozillaBrowser::create();
            QFAIL("created without a module");
        } catch (const DorvuError &e) {
            QCOMPARE(e.message(),
                     S("Geckoエンジン (%1) を読み込めません: ファイルがありません").arg(file));
        }
        QVERIFY(!MozCtlModule::isLoaded());
    }

    void emptyMozPathIsReported() { QVERIFY(moduleError().contains(S("MozPath"))); }

    void fileThatIsNoLibraryIsReported()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("mozctl.so")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a shared object");
        file.close();
        MozCtlModule::setFolderOverride(dir.path());
        QVERIFY(moduleError().contains(S("モジュールとして開けません")));
        QVERIFY(!MozCtlModule::isLoaded());
    }

    void libraryWithoutEntryPointIsReported()
    {
        Dl_info info{};
        QVERIFY(dladdr(reinterpret_cast<void *>(static_cast<double (*)(double)>(&::cos)), &info));
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QFile::decodeName(info.dli_fname),
                            dir.filePath(QStringLiteral("mozctl.so"))));
        MozCtlModule::setFolderOverride(dir.path());
        QVERIFY(moduleError().contains(S("入口 mozctl_api がありません")));
        QVERIFY(!MozCtlModule::isLoaded());
    }

    // The views are X11 windows: without X11 the real module refuses before touching GTK.
    void noX11DisplayIsReported()
    {
        MozCtlModule::setFolderOverride(TestHome::moduleFolder());
        const QString error = moduleError();
        QVERIFY2(error.contains(S("X11 の画面がありません")), qPrintable(error));
        QVERIFY(!MozCtlModule::isLoaded());
        QVERIFY_THROWS_EXCEPTION(DorvuError, TMozillaBrowser::create());
    }
};

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestMozCtlModule test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MozCtlModule.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Downloads of both real engines from a loopback server into the folder config.ini names.
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "common/ErrorHandler.h"
#include "downloads/DownloadList.h"
#include "downloads/TDownloads.h"
#include "engine/MozCtlModule.h"
#include "engine/TMozillaBrowser.h"
#include "engine/TUIWebBrowser.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QByteArray body(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char('a' + i % 26);
    return bytes;
}

} // namespace

class tst_EngineDownloads : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override
    {
        m_folder = m_home->file(QStringLiteral("受信"));
        IniFile config = IniFile::config();
        SettingsKeys::write(config, SettingsKeys::Download::Folder, m_folder);
        m_owner = std::make_unique<QWidget>();
        m_downloads = new TDownloads(m_owner.get());
    }
    void cleanupHome() override
    {
        m_server.release();
        m_browser.reset();
        m_owner.reset();
    }

private:
    TestHttpServer m_server;
    QString m_folder;
    std::unique_ptr<QWidget> m_owner;
    TDownloads *m_downloads = nullptr;
    std::unique_ptr<TEngineBrowser> m_browser;

    void navigate(const QString &engine, const QString &path)
    {
        if (engine == QLatin1String("webkit"))
            m_browser.reset(TMozillaBrowser::create());
        else
            m_browser = std::make_unique<TUIWebBrowser>();
        m_browser->resize(400, 300);
        m_browser->show();
        m_browser->Navigate(m_server.url(path).toString());
    }
    QStringList files() const { return QDir(m_folder).entryList(QDir::Files | QDir::Hidden); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        MozCtlModule::setFolderOverride(TestHome::moduleFolder());
        m_server.route(QStringLiteral("/get"), body(300000), "application/octet-stream",
                       "Content-Disposition: attachment; filename=\"report.bin\"\r\n");
        m_server.route(QStringLiteral("/data.xyz"), body(70000), "application/x-dorvu-unknown");
        m_server.route(QStringLiteral("/big"), body(8 * 1024 * 1024), "application/octet-stream",
                       "Content-Disposition: attachment; filename=\"big.bin\"\r\n");
        ErrorHandler::setSink([](const QString &text) { qWarning("%s", qPrintable(text)); });
    }

    void downloadArrivesWhole_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::newRow("chromium attachment") << QStringLiteral("chromium") << QStringLiteral("/get")
                                             << QStringLiteral("report.bin") << 300000;
        QTest::newRow("chromium unknown type")
            << QStringLiteral("chromium") << QStringLiteral("/data.xyz")
            << QStringLiteral("data.xyz") << 70000;
        QTest::newRow("webkit attachment") << QStringLiteral("webkit") << QStringLiteral("/get")
                                           << QStringLiteral("report.bin") << 300000;
        QTest::newRow("webkit unknown type")
            << QStringLiteral("webkit") << QStringLiteral("/data.xyz") << QStringLiteral("data.xyz")
            << 70000;
    }

    void downloadArrivesWhole()
    {
        QFETCH(QString, engine);
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(int, size);
        QSignalSpy message(m_downloads, &TDownloads::message);
        navigate(engine, path);
        const DownloadList &list = m_downloads->list();
        QTRY_COMPARE_WITH_TIMEOUT(list.count(), 1, kEngineTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(list.entry(0).state, DownloadList::State::Done, kEngineTimeout);
        QCOMPARE(files(), QStringList{name});
        QFile file(QDir(m_folder).filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == body(size));
        QCOMPARE(list.entry(0).total, qint64(size));
        QCOMPARE(message.last().at(0).toString(),
                 QString(QStringLiteral("ダウンロード完了: ") + name));
    }

    void cancelLeavesNothing_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::newRow("chromium") << QStringLiteral("chromium");
        QTest::newRow("webkit") << QStringLiteral("webkit");
    }

    void cancelLeavesNothing()
    {
        QFETCH(QString, engine);
        m_server.stall(QStringLiteral("/big"));
        navigate(engine, QStringLiteral("/big"));
        DownloadList &list = m_downloads->list();
        QTRY_COMPARE_WITH_TIMEOUT(list.count(), 1, kEngineTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(list.entry(0).received > 0, kEngineTimeout);
        // Under its partial name (an engine may add a suffix of its own), never the final one.
        const QStringList partial = files();
        QVERIFY(!partial.isEmpty());
        for (const QString &name : partial)
            QVERIFY2(name.startsWith(QLatin1String("big.bin.part")), qPrintable(name));
        list.cancel(0);
        QTRY_COMPARE_WITH_TIMEOUT(list.entry(0).state, DownloadList::State::Cancelled,
                                  kEngineTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(files(), QStringList(), kEngineTimeout);
    }
};

QTEST_MAIN(tst_EngineDownloads)
#include "tst_EngineDownloads.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "common/DorvuError.h"
#include "shell/StartupRules.h"

#include <QtTest>

#include <memory>

class tst_StartupRules : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void lastEngine_data();
    void lastEngine();
    void winSize_data();
    void winSize();
    void winSizeWritten();
    void deferredPlan_data();
    void deferredPlan();
    void winListReplacesRestoreFile();
    void missingWinListLeavesNoRestoreFile();
    void missingWebListFolderIsCreated();
    void undeletableRestoreFileThrows();
    void staleTemporariesRemoved_data();
    void staleTemporariesRemoved();

private:
};

void tst_StartupRules::lastEngine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ie");
    QTest::newRow("IE") << QStringLiteral("IE") << true;
    QTest::newRow("lower case") << QStringLiteral("ie") << false;
    QTest::newRow("blank before") << QStringLiteral(" IE") << false;
    QTest::newRow("Gecko") << QStringLiteral("Gecko") << false;
    QTest::newRow("empty") << QString() << false;
}

void tst_StartupRules::lastEngine()
{
    QFETCH(QString, text);
    QFETCH(bool, ie);
    QCOMPARE(StartupRules::isIeEngine(text), ie);
    QCOMPARE(StartupRules::isIeEngine(StartupRules::lastEngineText(ie)), ie);
}

void tst_StartupRules::winSize_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("state");
    QTest::newRow("0 normal") << 0 << int(Qt::WindowNoState);
    QTest::newRow("1 maximized") << 1 << int(Qt::WindowMaximized);
    QTest::newRow("2 minimized") << 2 << int(Qt::WindowMinimized);
    QTest::newRow("5 normal") << 5 << int(Qt::WindowNoState);
    QTest::newRow("-1 normal") << -1 << int(Qt::WindowNoState);
}

void tst_StartupRules::winSize()
{
    QFETCH(int, setting);
    QFETCH(int, state);
    QCOMPARE(int(StartupRules::childStateFromSetting(setting)), state);
}

void tst_StartupRules::winSizeWritten()
{
    QCOMPARE(StartupRules::settingFromChildState(StartupRules::childStateFromSetting(5)), 0);
    QCOMPARE(StartupRules::settingFromChildState(Qt::WindowMaximized), 1);
    QCOMPARE(StartupRules::settingFromChildState(Qt::WindowMinimized), 2);
    QCOMPARE(StartupRules::settingFromChildState(Qt::WindowFullScreen), 0);
}

void tst_StartupRules::deferredPlan_data()
{
    QTest::addColumn<bool>("arguments");
    QTest::addColumn<bool>("clean");
    QTest::addColumn<bool>("recovery");
    QTest::addColumn<bool>("writeFalse");
    QTest::addColumn<bool>("startPage");
    QTest::addColumn<bool>("checkConfig");
    QTest::newRow("clean exit, no arguments") << false << true << false << true << true << true;
    QTest::newRow("unclean exit, no arguments") << false << false << true << true << false << true;
    QTest::newRow("clean exit, arguments") << true << true << false << true << false << false;
    QTest::newRow("unclean exit, arguments") << true << false << false << true << false << false;
}

void tst_StartupRules::deferredPlan()
{
    QFETCH(bool, arguments);
    QFETCH(bool, clean);
    QFETCH(bool, recovery);
    QFETCH(bool, writeFalse);
    QFETCH(bool, startPage);
    QFETCH(bool, checkConfig);
    const StartupRules::DeferredPlan plan = StartupRules::planDeferredStartup(arguments, clean);
    QCOMPARE(plan.offerRecovery, recovery);
    QCOMPARE(plan.writeShutdownFalse, writeFalse);
    QCOMPARE(plan.openStartPage, startPage);
    QCOMPARE(plan.checkConfigExists, checkConfig);
}

void tst_StartupRules::winListReplacesRestoreFile()
{
    m_home->write(QStringLiteral("winlist"), "http://127.0.0.1/1\r\n");
    m_home->write(StartupRules::restoreFileName(), "http://127.0.0.1/old\r\n");
    StartupRules::MoveWinListToRestoreFile(m_home->path());
    QVERIFY(!QFile::exists(m_home->file(QStringLiteral("winlist"))));
    QCOMPARE(m_home->read(StartupRules::restoreFileName()), QByteArray("http://127.0.0.1/1\r\n"));
}

void tst_StartupRules::missingWinListLeavesNoRestoreFile()
{
    m_home->write(StartupRules::restoreFileName(), "http://127.0.0.1/old\r\n");
    m_home->write(QStringLiteral("WebList/other.wlf"), "x\r\n");
    StartupRules::MoveWinListToRestoreFile(m_home->path());
    QVERIFY(!QFile::exists(m_home->file(StartupRules::restoreFileName())));
    QVERIFY(QFile::exists(m_home->file(QStringLiteral("WebList/other.wlf"))));
}

void tst_StartupRules::missingWebListFolderIsCreated()
{
    // Without the folder the rename would fail and the next title report would overwrite
    // winlist: the last run's windows would be lost.
    m_home->write(QStringLiteral("winlist"), "http://127.0.0.1/1\r\n");
    StartupRules::MoveWinListToRestoreFile(m_home->path());
    QCOMPARE(m_home->read(StartupRules::restoreFileName()), QByteArray("http://127.0.0.1/1\r\n"));
}

void tst_StartupRules::undeletableRestoreFileThrows()
{
    QVERIFY(QDir().mkpath(m_home->file(StartupRules::restoreFileName() + QStringLiteral("/x"))));
    m_home->write(QStringLiteral("winlist"), "http://127.0.0.1/1\r\n");
    QVERIFY_THROWS_EXCEPTION(DorvuError, StartupRules::MoveWinListToRestoreFile(m_home->path()));
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray("http://127.0.0.1/1\r\n"));
}

void tst_StartupRules::staleTemporariesRemoved_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("removed");
    QTest::newRow("winlist") << "winlist.aB3xYz" << true;
    QTest::newRow("config") << "config.ini.Q1w2E3" << true;
    QTest::newRow("bookmarks") << "BookMark.xml.zzzzzz" << true;
    QTest::newRow("close list") << "Close.txt.A1b2C3" << true;
    QTest::newRow("block list") << "CloseURL.txt.000000" << true;
    QTest::newRow("web list") << "WebList/news.wlf.k9Lm0P" << true;
    QTest::newRow("restore file") << QString::fromUtf16(u"WebList/以前の状態を復元.wlf.abcDEF")
                                  << true;
    QTest::newRow("other file") << "notes.txt.aB3xYz" << false;
    QTest::newRow("five letters") << "winlist.aB3xY" << false;
    QTest::newRow("not letters") << "winlist.aB-xYz" << false;
    QTest::newRow("own file") << "winlist" << false;
    QTest::newRow("other web list file") << "WebList/readme.txt.aB3xYz" << false;
}

void tst_StartupRules::staleTemporariesRemoved()
{
    QFETCH(QString, name);
    QFETCH(bool, removed);
    m_home->write(name, "x");
    StartupRules::RemoveStaleTemporaries(m_home->path());
    QCOMPARE(QFile::exists(m_home->file(name)), !removed);
}

QTEST_GUILESS_MAIN(tst_StartupRules)
#include "tst_StartupRules.moc"

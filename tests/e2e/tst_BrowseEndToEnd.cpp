// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "DorvuProcess.h"
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "common/ErrorHandler.h"
#include "engine/TEngineBrowser.h"
#include "shell/TMainForm.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QTreeWidget>
#include <QtTest>

#include <memory>
#include <vector>

/// Pages opened from the command line with the real engines: the built program, and the main
/// window in this process.
class tst_BrowseEndToEnd : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();
    void commandLineOpensTabsAndSecondStartAddsOne();
    void mainWindowTabsCarryThePageTitles();
    void geckoWindowLoadsAPage();

private:
    std::unique_ptr<QProcess> startDorvu(const QStringList &arguments);
    QString page(int n) const
    {
        return m_server.url(QStringLiteral("/p%1.html").arg(n)).toString();
    }
    QByteArray winlistOf(const QList<int> &pages) const;

    TestHttpServer m_server;
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    QStringList m_errors;
    QString m_cwd;
};

void tst_BrowseEndToEnd::initTestCase()
{
    QVERIFY(m_server.start());
    for (int n = 1; n <= 4; ++n) {
        m_server.route(QStringLiteral("/p%1.html").arg(n),
                       QStringLiteral("<html><head><title>Page %1</title></head><body><p>page "
                                      "%1</p></body></html>")
                           .arg(n)
                           .toUtf8());
    }
    QVERIFY(QFile::exists(DorvuProcess::path()));
}

void tst_BrowseEndToEnd::initHome()
{
    m_cwd = QDir::currentPath();
    m_runtime = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/dbe-XXXXXX"));
    QVERIFY(m_runtime->isValid());
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_BrowseEndToEnd::cleanupHome()
{
    for (auto &process : m_processes) {
        if (process->state() != QProcess::NotRunning)
            DorvuProcess::terminate(*process);
    }
    m_processes.clear();
    ErrorHandler::setSink({});
    QDir::setCurrent(m_cwd);
    m_runtime.reset();
}

std::unique_ptr<QProcess> tst_BrowseEndToEnd::startDorvu(const QStringList &arguments)
{
    return DorvuProcess::start(arguments, m_home->path(), m_runtime->path());
}

QByteArray tst_BrowseEndToEnd::winlistOf(const QList<int> &pages) const
{
    QByteArray bytes;
    for (int n : pages)
        bytes += page(n).toUtf8() + "\r\n";
    return bytes;
}

void tst_BrowseEndToEnd::commandLineOpensTabsAndSecondStartAddsOne()
{
    m_processes.push_back(startDorvu({page(1), page(2), page(3)}));
    QProcess *first = m_processes.back().get();
    QVERIFY(first->waitForStarted(20000));
    // The file lists the three addresses in order from the windows' opening on, and the pages
    // load.
    QTRY_COMPARE_WITH_TIMEOUT(m_home->read(QStringLiteral("winlist")), winlistOf({1, 2, 3}), 60000);
    QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/p3.html")), 60000);

    m_processes.push_back(startDorvu({page(4), page(1)}));
    QProcess *second = m_processes.back().get();
    QVERIFY(second->waitForFinished(60000));
    QCOMPARE(second->exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_home->read(QStringLiteral("winlist")), winlistOf({1, 2, 3, 4}),
                              60000);
    QCOMPARE(first->state(), QProcess::Running);
}

void tst_BrowseEndToEnd::mainWindowTabsCarryThePageTitles()
{
    TMainForm form({page(1), page(2), page(3)});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QStringList titles = {QStringLiteral("Page 1"), QStringLiteral("Page 2"),
                                QStringLiteral("Page 3")};
    auto tabTexts = [&form] {
        QStringList list;
        for (int i = 0; i < form.TabControl1->count(); ++i)
            list.append(form.TabControl1->tabText(i));
        return list;
    };
    QTRY_COMPARE_WITH_TIMEOUT(tabTexts(), titles, 60000);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(form.TreeWin->topLevelItem(i)->text(0), titles.at(i));
        QCOMPARE(form.Browser->childAt(i)->windowTitle(), titles.at(i));
        QCOMPARE(form.Browser->childAt(i)->kind(), EngineKind::IE);
    }
    QCOMPARE(form.urlList(), QStringList({page(1), page(2), page(3)}));
    QCOMPARE(form.idList(),
             QStringList({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}));
    // The first window stays in front; the others loaded behind it.
    QCOMPARE(form.Browser->activeChild(), form.Browser->childAt(0));
    QCOMPARE(form.TabControl1->selectedTab(), 0);
    QCOMPARE(m_errors, QStringList());
}

void tst_BrowseEndToEnd::geckoWindowLoadsAPage()
{
    const QString gecko = DorvuProcess::buildDir() + QStringLiteral("/gecko");
    QVERIFY2(QFile::exists(gecko + QStringLiteral("/mozctl.so")), "the WebKit module is not built");
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\nLastEngine=Gecko\r\n[Option_Main]\r\nMozilla=1\r\nMozPath=" +
                      gecko.toLocal8Bit() + "\r\n");
    TMainForm form({page(4)});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.commands().action("Moz_Item")->isChecked());
    QTRY_COMPARE_WITH_TIMEOUT(form.TabControl1->count(), 1, 30000);
    TBrowserChild *child = form.Browser->childAt(0);
    QVERIFY(child);
    QCOMPARE(child->kind(), EngineKind::Gecko);
    QCOMPARE(form.TreeWin->topLevelItem(0)->data(0, Qt::UserRole + 1).toInt(), 14);
    QTRY_COMPARE_WITH_TIMEOUT(form.TabControl1->tabText(0), QStringLiteral("Page 4"), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(m_home->read(QStringLiteral("winlist")), winlistOf({4}), 30000);
    QCOMPARE(QDir::currentPath(), QDir(gecko).canonicalPath());
    QCOMPARE(m_errors, QStringList());
}

QTEST_MAIN(tst_BrowseEndToEnd)
#include "tst_BrowseEndToEnd.moc"

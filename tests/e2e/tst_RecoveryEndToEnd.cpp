// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The built program, ended without its shutdown steps and started again: it asks, and brings
// the last windows back in tab order or opens nothing; after a clean exit with the start page
// "last windows" they come back without a question. xdotool answers the question.
#include "DorvuProcess.h"
#include "TestHome.h"
#include "TestHttpServer.h"
#include "common/SjisCodec.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int kTimeout = 90000;

/// The X window on screen titled exactly \a title, or 0. A window made but not yet mapped is
/// not on screen: it cannot take the focus, and typing into it fails.
QByteArray findWindow(const QString &title)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                   QStringLiteral("--name"), QLatin1Char('^') + title + QLatin1Char('$')});
    if (!xdotool.waitForFinished(10000) || xdotool.exitCode() != 0)
        return QByteArray();
    return xdotool.readAllStandardOutput().split('\n').value(0).trimmed();
}

/// Types \a keys into the window titled \a title once it is on screen.
bool answer(const QString &title, const QString &keys)
{
    QByteArray window;
    if (!QTest::qWaitFor([&] { return !(window = findWindow(title)).isEmpty(); }, kTimeout))
        return false;
    const QString id = QString::fromLatin1(window);
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("windowfocus"), QStringLiteral("--sync"), id,
                              QStringLiteral("key"), QStringLiteral("--window"), id, keys}) == 0;
}

} // namespace

class tst_RecoveryEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void lastWindowsComeBack();

private:
    std::unique_ptr<QProcess> startDorvu(const QStringList &arguments = {});
    QByteArray winlist() const { return m_home->read(QStringLiteral("winlist")); }
    QByteArray listOf(const QStringList &paths) const;

    TestHttpServer m_server;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<QTemporaryDir> m_runtime;
};

void tst_RecoveryEndToEnd::initTestCase()
{
    QVERIFY(m_server.start());
    for (const char *page : {"/1", "/2", "/3", "/marker"}) {
        const QByteArray name(page + 1);
        m_server.route(QString::fromLatin1(page),
                       "<!DOCTYPE html><title>P" + name + "</title><body>" + name + "</body>");
    }
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->isValid());
    m_runtime = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/dre-XXXXXX"));
    QVERIFY(m_runtime->isValid());
    QVERIFY(QFile::exists(DorvuProcess::path()));
}

std::unique_ptr<QProcess> tst_RecoveryEndToEnd::startDorvu(const QStringList &arguments)
{
    auto process = DorvuProcess::start(arguments, m_home->path(), m_runtime->path());
    process->waitForStarted(20000);
    return process;
}

QByteArray tst_RecoveryEndToEnd::listOf(const QStringList &paths) const
{
    QByteArray list;
    for (const QString &path : paths)
        list += m_server.url(path).toEncoded() + "\r\n";
    return list;
}

void tst_RecoveryEndToEnd::lastWindowsComeBack()
{
    const QByteArray three =
        listOf({QStringLiteral("/3"), QStringLiteral("/1"), QStringLiteral("/2")});
    m_home->write(QStringLiteral("WebList/three.wlf"), three);
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\nshutdown=1\r\n[Option_StartUp]\r\nType=2\r\nPath=" +
                      QFile::encodeName(m_home->file(QStringLiteral("WebList/three.wlf"))) +
                      "\r\n");

    // A run with three pages, killed.
    auto run = startDorvu();
    QTRY_COMPARE_WITH_TIMEOUT(winlist(), three, kTimeout);
    run->kill();
    QVERIFY(run->waitForFinished(20000));

    // はい: the three pages come back in their tab order.
    run = startDorvu();
    QVERIFY(answer(QStringLiteral("警告"), QStringLiteral("alt+y")));
    QTRY_COMPARE_WITH_TIMEOUT(winlist(), three, kTimeout);
    run->kill();
    QVERIFY(run->waitForFinished(20000));

    // いいえ: nothing opens; a page handed over afterwards is the only window.
    run = startDorvu();
    QVERIFY(answer(QStringLiteral("警告"), QStringLiteral("alt+n")));
    QTRY_VERIFY_WITH_TIMEOUT(findWindow(QStringLiteral("警告")).isEmpty(), kTimeout);
    auto second = startDorvu({m_server.url(QStringLiteral("/marker")).toString()});
    QVERIFY(second->waitForFinished(kTimeout));
    const QByteArray marker = listOf({QStringLiteral("/marker")});
    QTRY_COMPARE_WITH_TIMEOUT(winlist(), marker, kTimeout);
    // Nothing announces that a page stayed away: a page of the list would have reported its
    // title within this second.
    QTest::qWait(1000);
    QCOMPARE(winlist(), marker);
    DorvuProcess::terminate(*run);
    QCOMPARE(run->exitCode(), 0);

    // A clean exit with the start page "last windows": back without a question.
    QByteArray config = m_home->read(QStringLiteral("config.ini"));
    QVERIFY(config.contains("shutdown=1"));
    config.replace("Type=2", "Type=3");
    m_home->write(QStringLiteral("config.ini"), config);
    run = startDorvu();
    // First the last run's list becomes the restore file, then the window writes it anew.
    QTRY_COMPARE_WITH_TIMEOUT(m_home->read(QString::fromUtf16(u"WebList/以前の状態を復元.wlf")),
                              marker, kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(winlist(), marker, kTimeout);
    QVERIFY(findWindow(QStringLiteral("警告")).isEmpty());
    DorvuProcess::terminate(*run);
}

QTEST_GUILESS_MAIN(tst_RecoveryEndToEnd)
#include "tst_RecoveryEndToEnd.moc"

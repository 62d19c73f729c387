// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The search bar of the built program, driven from the keyboard through the X server: the
// query field is clicked, the query typed and Enter pressed.
#include "DorvuProcess.h"
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "common/SjisCodec.h"
#include "shell/TMainForm.h"

#include <QLineEdit>
#include <QProcess>
#include <QtTest>

#include <memory>

namespace {

constexpr int kTimeout = 60000;

/// Runs xdotool with \a arguments; its output, trimmed.
QString xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(kTimeout))
        return QString();
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

} // namespace

class tst_SearchEndToEnd : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();
    void typedQueryOpensOneEncodedSearch();

private:
    /// Where the query field sits in a main window of the program's own size.
    QPoint searchFieldCentre();

    TestHttpServer m_server;
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QProcess> m_dorvu;
};

void tst_SearchEndToEnd::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is missing (scripts/setup installs it)");
    QVERIFY(m_server.start());
    m_server.route(QStringLiteral("/search"),
                   "<html><head><title>Result</title></head><body>found</body></html>");
    QVERIFY(QFile::exists(DorvuProcess::path()));
}

void tst_SearchEndToEnd::initHome()
{
    m_runtime = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/dse-XXXXXX"));
    QVERIFY(m_runtime->isValid());
    m_home->write(
        QStringLiteral("config.ini"),
        QStringLiteral("[Search]\r\nHost0=127.0.0.1:%1\r\n").arg(m_server.port()).toLatin1());
}

void tst_SearchEndToEnd::cleanupHome()
{
    if (m_dorvu && m_dorvu->state() != QProcess::NotRunning)
        DorvuProcess::terminate(*m_dorvu);
    m_dorvu.reset();
    m_runtime.reset();
}

QPoint tst_SearchEndToEnd::searchFieldCentre()
{
    // The same program folder and screen give the same layout. The form here never exits
    // cleanly, so its settings are put back: the program must not start by asking to recover.
    const QByteArray config = m_home->read(QStringLiteral("config.ini"));
    QPoint centre;
    {
        TMainForm form({});
        form.show();
        if (QTest::qWaitForWindowExposed(&form))
            centre = form.txtSearch->mapTo(&form, form.txtSearch->rect().center());
    }
    m_home->write(QStringLiteral("config.ini"), config);
    return centre;
}

void tst_SearchEndToEnd::typedQueryOpensOneEncodedSearch()
{
    const QPoint field = searchFieldCentre();
    QVERIFY(!field.isNull());

    m_dorvu = DorvuProcess::start({}, m_home->path(), m_runtime->path());
    QVERIFY(m_dorvu->waitForStarted(20000));
    const QString window = xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                                    QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                    QString::number(m_dorvu->processId()), QStringLiteral("--name"),
                                    QStringLiteral("^Dorvu$")})
                               .section(QLatin1Char('\n'), 0, 0);
    QVERIFY(!window.isEmpty());
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"),
             window, QString::number(field.x()), QString::number(field.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("100"),
             QStringLiteral("東京")});
    xdotool({QStringLiteral("key"), QStringLiteral("Return")});

    // One window, on the query, once its title has come; the file holds the address as the
    // engine shows it.
    const QString url = m_server.url(QStringLiteral("/search")).toString() +
                        QStringLiteral("?hl=ja&q=東京&lr=lang_ja\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(m_home->read(QStringLiteral("winlist")), SjisCodec::encode(url),
                              kTimeout);
    QList<QByteArray> searches;
    for (const QByteArray &target : m_server.targets()) {
        if (target.startsWith("/search"))
            searches.append(target);
    }
    QCOMPARE(searches, QList<QByteArray>({"/search?hl=ja&q=%E6%9D%B1%E4%BA%AC&lr=lang_ja"}));
}

QTEST_MAIN(tst_SearchEndToEnd)
#include "tst_SearchEndToEnd.moc"

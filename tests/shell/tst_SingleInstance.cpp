// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Real processes: this test program runs copies of itself as instances (DORVU_TEST_INSTANCE
// set). A first instance prints "READY" once it listens and "GOT <value> <text>" for every
// message it handles (a text over 1000 characters as "<n> characters", so the pipe never holds
// it up); a later one hands its first argument over and ends.
#include "shell/HandOverMessage.h"
#include "shell/SingleInstance.h"

#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

int instanceMain(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SingleInstance instance(SingleInstance::executableKey(QString::fromLocal8Bit(argv[0])));
    if (!instance.CheckSingleInstance(argc, argv))
        return 0;
    if (!instance.listen())
        return 3;
    instance.setPeerTimeout(2000);
    instance.setHandler([](quint32 value, const QString &text) {
        const QString shown =
            text.size() > 1000 ? QStringLiteral("%1 characters").arg(text.size()) : text;
        std::printf("GOT %u %s\n", value, shown.toUtf8().constData());
        std::fflush(stdout);
    });
    std::printf("READY\n");
    std::fflush(stdout);
    return app.exec();
}

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void secondStartHandsOver_data();
    void secondStartHandsOver();
    void crashedInstanceDoesNotBlock();
    void staleSocketFileDoesNotBlock();
    void malformedMessageIsDropped();
    void slowPeerIsDropped();
    void floodOfIdleConnectionsDoesNotShutOut();
    void socketIsPrivate();
    void noRunningInstanceEndsQuietly();

private:
    std::unique_ptr<QProcess> start(const QStringList &arguments);
    std::unique_ptr<QProcess> startFirst();
    QString socketPath() const;
    static QStringList received(QProcess *process);

    std::unique_ptr<QTemporaryDir> m_runtime;
    QString m_previousRuntime;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

void tst_SingleInstance::init()
{
    m_runtime = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/dsi-XXXXXX"));
    QVERIFY(m_runtime->isValid());
    m_previousRuntime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
}

void tst_SingleInstance::cleanup()
{
    for (auto &process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(20000);
        }
    }
    m_processes.clear();
    if (m_previousRuntime.isEmpty())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_previousRuntime));
    m_runtime.reset();
}

std::unique_ptr<QProcess> tst_SingleInstance::start(const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DORVU_TEST_INSTANCE"), QStringLiteral("1"));
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->start(QCoreApplication::applicationFilePath(), arguments);
    return process;
}

std::unique_ptr<QProcess> tst_SingleInstance::startFirst()
{
    auto process = start({});
    if (!process->waitForStarted(20000))
        return nullptr;
    QElapsedTimer timer;
    timer.start();
    while (!process->canReadLine() && timer.elapsed() < 20000)
        process->waitForReadyRead(1000);
    if (process->readLine().trimmed() != "READY")
        return nullptr;
    return process;
}

QString tst_SingleInstance::socketPath() const
{
    return SingleInstance::socketPath(
        QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

QStringList tst_SingleInstance::received(QProcess *process)
{
    QStringList lines;
    while (process->canReadLine())
        lines.append(QString::fromUtf8(process->readLine()).chopped(1));
    return lines;
}

void tst_SingleInstance::secondStartHandsOver_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("delivered");
    QTest::newRow("no argument") << QStringList() << QStringLiteral("GOT 2 ");
    QTest::newRow("one argument") << QStringList{QStringLiteral("http://127.0.0.1/a")}
                                  << QStringLiteral("GOT 2 http://127.0.0.1/a");
    QTest::newRow("three arguments, only the first travels")
        << QStringList{QStringLiteral("/tmp/日本語.html"), QStringLiteral("b"), QStringLiteral("c")}
        << QStringLiteral("GOT 2 /tmp/日本語.html");
}

void tst_SingleInstance::secondStartHandsOver()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, delivered);
    auto first = startFirst();
    QVERIFY(first);
    auto second = start(arguments);
    QVERIFY(second->waitForFinished(60000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    // The second start waited for the acknowledgement: the first has handled it already.
    QTRY_VERIFY_WITH_TIMEOUT(first->canReadLine(), 20000);
    QCOMPARE(received(first.get()), QStringList{delivered});
    QCOMPARE(first->state(), QProcess::Running);
    m_processes.push_back(std::move(first));
}

void tst_SingleInstance::crashedInstanceDoesNotBlock()
{
    auto crashed = startFirst();
    QVERIFY(crashed);
    QVERIFY(QFile::exists(socketPath()));
    crashed->kill();
    QVERIFY(crashed->waitForFinished(20000));
    QVERIFY(QFile::exists(socketPath() + QStringLiteral(".lock")));

    auto next = startFirst();
    QVERIFY2(next, "a start after a crash must become the first instance");
    auto second = start({QStringLiteral("x")});
    QVERIFY(second->waitForFinished(60000));
    QTRY_VERIFY_WITH_TIMEOUT(next->canReadLine(), 20000);
    QCOMPARE(received(next.get()), QStringList{QStringLiteral("GOT 2 x")});
    m_processes.push_back(std::move(next));
}

void tst_SingleInstance::staleSocketFileDoesNotBlock()
{
    QFile stale(socketPath());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("left behind");
    stale.close();
    auto first = startFirst();
    QVERIFY(first);
    m_processes.push_back(std::move(first));
}

void tst_SingleInstance::malformedMessageIsDropped()
{
    auto first = startFirst();
    QVERIFY(first);
    QLocalSocket garbage;
    garbage.connectToServer(socketPath());
    QVERIFY(garbage.waitForConnected(20000));
    garbage.write("GET / HTTP/1.0\r\n\r\n");
    QVERIFY(garbage.waitForBytesWritten(20000));
    // Dropped without an acknowledgement.
    QTRY_VERIFY_WITH_TIMEOUT(garbage.state() == QLocalSocket::UnconnectedState, 20000);
    QCOMPARE(garbage.bytesAvailable(), 0);

    QByteArray oversized("DRVH\0\0\0\x02\x7f\xff\xff\xff", 12);
    QVERIFY(!SingleInstance::sendRaw(socketPath(), oversized, 20000));

    // Still serving: the next hand-over arrives, and only that one was handled.
    QVERIFY(SingleInstance::sendRaw(socketPath(), HandOverMessage::encode(2, QStringLiteral("ok")),
                                    20000));
    QTRY_VERIFY_WITH_TIMEOUT(first->canReadLine(), 20000);
    QCOMPARE(received(first.get()), QStringList{QStringLiteral("GOT 2 ok")});
    m_processes.push_back(std::move(first));
}

void tst_SingleInstance::slowPeerIsDropped()
{
    auto first = startFirst();
    QVERIFY(first);
    QLocalSocket slow;
    slow.connectToServer(socketPath());
    QVERIFY(slow.waitForConnected(20000));
    // Half a header, then nothing: the instance gives up on it (after 2 s here).
    slow.write(HandOverMessage::encode(2, QStringLiteral("never")).left(6));
    QVERIFY(slow.waitForBytesWritten(20000));
    // Meanwhile another start is served at once.
    QVERIFY(SingleInstance::sendRaw(socketPath(),
                                    HandOverMessage::encode(2, QStringLiteral("quick")), 20000));
    QTRY_VERIFY_WITH_TIMEOUT(slow.state() == QLocalSocket::UnconnectedState, 20000);
    QCOMPARE(slow.bytesAvailable(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(first->canReadLine(), 20000);
    QCOMPARE(received(first.get()), QStringList{QStringLiteral("GOT 2 quick")});
    // The longest text allowed leaves the sender in several writes, all of them waited for.
    const QString longest = QString(HandOverMessage::MaxTextBytes - 1, u'a');
    QVERIFY(SingleInstance::sendRaw(socketPath(), HandOverMessage::encode(2, longest), 20000));
    QTRY_VERIFY_WITH_TIMEOUT(first->canReadLine(), 20000);
    QCOMPARE(received(first.get()),
             QStringList{QStringLiteral("GOT 2 %1 characters").arg(longest.size())});
    m_processes.push_back(std::move(first));
}

void tst_SingleInstance::floodOfIdleConnectionsDoesNotShutOut()
{
    auto first = startFirst();
    QVERIFY(first);
    // Twice as many silent connections as the instance keeps waiting, then a real hand-over.
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 2 * SingleInstance::MaxWaitingPeers; ++i) {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(socketPath());
        QVERIFY(socket->waitForConnected(20000));
        socket->write(i % 2 ? QByteArray("D") : QByteArray());
        socket->flush();
        idle.push_back(std::move(socket));
    }
    QVERIFY(SingleInstance::sendRaw(socketPath(),
                                    HandOverMessage::encode(2, QStringLiteral("real")), 20000));
    QTRY_VERIFY_WITH_TIMEOUT(first->canReadLine(), 20000);
    QCOMPARE(received(first.get()), QStringList{QStringLiteral("GOT 2 real")});
    // The oldest idle ones were dropped to make room; the instance keeps at most the limit.
    QTRY_VERIFY_WITH_TIMEOUT(idle.front()->state() == QLocalSocket::UnconnectedState, 20000);
    m_processes.push_back(std::move(first));
}

void tst_SingleInstance::socketIsPrivate()
{
    auto first = startFirst();
    QVERIFY(first);
    const QFileInfo info(socketPath());
    QVERIFY(info.exists());
    QCOMPARE(info.permissions() &
                 (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
             QFileDevice::Permissions());
    m_processes.push_back(std::move(first));
}

void tst_SingleInstance::noRunningInstanceEndsQuietly()
{
    // The lock is held, but nothing listens (the other instance is still starting).
    SingleInstance holder(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    QVERIFY(holder.tryLock());
    auto second = start({QStringLiteral("x")});
    QVERIFY(second->waitForFinished(60000));
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(second->readAllStandardOutput(), QByteArray());
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("DORVU_TEST_INSTANCE"))
        return instanceMain(argc, argv);
    QCoreApplication app(argc, argv);
    tst_SingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SingleInstance.moc"

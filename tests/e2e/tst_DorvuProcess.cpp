// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The real dorvu executable under the test's X server: it starts, shows its window (the
// deferred start-up step writes the shutdown flag only after the first resize), hands a second
// start over, and writes its settings when the session ends it with SIGTERM.
#include "DorvuProcess.h"
#include "HomeTest.h"
#include "common/SjisCodec.h"
#include "shell/SingleInstance.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

class tst_DorvuProcess : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void startsAndEndsCleanlyOnSigterm();
    void secondStartHandsOverAndEnds();
    void sigtermEndsAlsoWhenSettingsCannotBeWritten();

private:
    std::unique_ptr<QProcess> startDorvu(const QStringList &arguments);
    QString config() const;
    static int windowsNamedDorvu(qint64 pid);

    std::unique_ptr<QTemporaryDir> m_runtime;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

void tst_DorvuProcess::initHome()
{
    m_runtime = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/ddp-XXXXXX"));
    QVERIFY(m_runtime->isValid());
    QVERIFY(QFile::exists(DorvuProcess::path()));
}

void tst_DorvuProcess::cleanupHome()
{
    for (auto &process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(20000);
        }
    }
    m_processes.clear();
    m_runtime.reset();
}

std::unique_ptr<QProcess> tst_DorvuProcess::startDorvu(const QStringList &arguments)
{
    return DorvuProcess::start(arguments, m_home->path(), m_runtime->path());
}

int tst_DorvuProcess::windowsNamedDorvu(qint64 pid)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                   QStringLiteral("--pid"), QString::number(pid), QStringLiteral("--name"),
                   QStringLiteral("^Dorvu$")});
    xdotool.waitForFinished(10000);
    return int(xdotool.readAllStandardOutput().count('\n'));
}

QString tst_DorvuProcess::config() const
{
    return SjisCodec::decode(m_home->read(QStringLiteral("config.ini")));
}

void tst_DorvuProcess::startsAndEndsCleanlyOnSigterm()
{
    m_home->write(QStringLiteral("Close.txt"), "http://127.0.0.1/old\r\n");
    QFile::setPermissions(m_home->file(QStringLiteral("Close.txt")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                              QFile::ReadOther);
    auto dorvu = startDorvu({});
    QVERIFY(dorvu->waitForStarted(20000));
    QTRY_VERIFY_WITH_TIMEOUT(config().contains(QStringLiteral("shutdown=0")), 60000);
    dorvu->terminate();
    QVERIFY(dorvu->waitForFinished(60000));
    QCOMPARE(dorvu->exitStatus(), QProcess::NormalExit);
    QCOMPARE(dorvu->exitCode(), 0);
    QVERIFY2(config().contains(QStringLiteral("shutdown=1")), qPrintable(config()));
    QVERIFY(config().contains(QStringLiteral("LastEngine=IE")));
    // What it made is the user's alone, whatever the umask it was started with; a file that
    // was there keeps its mode.
    const auto mode = [this](const char *name) {
        struct stat st;
        return ::stat(QFile::encodeName(m_home->file(QString::fromLatin1(name))).constData(),
                      &st) == 0
                   ? int(st.st_mode & 0777)
                   : -1;
    };
    QCOMPARE(mode("config.ini"), 0600);
    QCOMPARE(mode("Close.txt"), 0644);
}

// config.ini over the size we read whole cannot be rewritten: the start reports that in a box,
// and the close again. A SIGTERM (the session ending) waits on no box: it says so on stderr and
// ends.
void tst_DorvuProcess::sigtermEndsAlsoWhenSettingsCannotBeWritten()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\n" + QByteArray(1024 * 1024 - 2, ';').append("\r\n").repeated(100));
    auto dorvu =
        DorvuProcess::start({}, m_home->path(), m_runtime->path(), QProcess::SeparateChannels);
    QVERIFY(dorvu->waitForStarted(20000));
    // The start's own report is on screen (a box titled "Dorvu" beside the main window).
    QTRY_VERIFY_WITH_TIMEOUT(windowsNamedDorvu(dorvu->processId()) >= 2, 60000);
    dorvu->terminate();
    QVERIFY(dorvu->waitForFinished(20000));
    QCOMPARE(dorvu->exitStatus(), QProcess::NormalExit);
    QVERIFY(dorvu->readAllStandardError().contains("Dorvu: "));
}

void tst_DorvuProcess::secondStartHandsOverAndEnds()
{
    auto first = startDorvu({});
    QVERIFY(first->waitForStarted(20000));
    QTRY_VERIFY_WITH_TIMEOUT(config().contains(QStringLiteral("shutdown=0")), 60000);
    auto second = startDorvu({QStringLiteral("about:blank"), QStringLiteral("b")});
    QVERIFY(second->waitForFinished(60000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    // The first instance opened the handed-over address: its window list file names it.
    QTRY_VERIFY_WITH_TIMEOUT(m_home->read(QStringLiteral("winlist")).contains("about:blank"),
                             60000);
    QVERIFY(!m_home->read(QStringLiteral("winlist")).contains("\r\nb\r\n"));
    // The second start wrote nothing: it handed its address over and never got as far as a
    // window.
    QVERIFY(config().contains(QStringLiteral("shutdown=0")));
    first->terminate();
    QVERIFY(first->waitForFinished(60000));
    QCOMPARE(first->exitCode(), 0);
    QVERIFY(config().contains(QStringLiteral("shutdown=1")));
}

QTEST_GUILESS_MAIN(tst_DorvuProcess)
#include "tst_DorvuProcess.moc"

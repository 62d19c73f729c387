// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The program folder: the executable's folder, DORVU_HOME, the fallback when not writable.
#include "TestHome.h"
#include "common/ProgramFolder.h"
#include "settings/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// Sets or unsets an environment variable for one scope.
class EnvGuard
{
public:
    EnvGuard(const char *name)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {}
    ~EnvGuard()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    void set(const QString &value) { qputenv(m_name, QFile::encodeName(value)); }
    void unset() { qunsetenv(m_name); }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

class TestProgramFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dorvuHome();
    void followsChanges();
    void createsMissingFolder();
    void executableFolder();
    void relativeHomeBecomesAbsolute();
    void fallbackWhenUnderAFile();
    void fallbackForProc();
    void fallbackDefaultsToLocalShare();
    void resolveDecision();
    void writableProbe();
};

void TestProgramFolder::dorvuHome()
{
    TestHome home;
    QVERIFY(home.path().endsWith(QLatin1Char('/')));
    QCOMPARE(ProgramFolder::path(), home.path());
    QCOMPARE(ProgramFolder::file(S("config.ini")), home.path() + S("config.ini"));
    QCOMPARE(ProgramFolder::file(S("WebList/a.wlf")), home.path() + S("WebList/a.wlf"));
    // With a trailing slash already: not doubled.
    EnvGuard env("DORVU_HOME");
    env.set(home.path());
    QCOMPARE(ProgramFolder::path(), home.path());
    QVERIFY(!ProgramFolder::path().endsWith(S("//")));
}

void TestProgramFolder::followsChanges()
{
    QString first;
    {
        TestHome a;
        first = ProgramFolder::path();
        QCOMPARE(first, a.path());
        TestHome b;
        QCOMPARE(ProgramFolder::path(), b.path());
        QCOMPARE(IniFile::config().path(), b.file(S("config.ini")));
    }
    TestHome c;
    QCOMPARE(ProgramFolder::path(), c.path());
}

void TestProgramFolder::createsMissingFolder()
{
    QTemporaryDir dir;
    EnvGuard env("DORVU_HOME");
    const QString folder = dir.path() + S("/new/home");
    env.set(folder);
    QCOMPARE(ProgramFolder::path(), folder + S("/"));
    QVERIFY(QFileInfo(folder).isDir());
}

void TestProgramFolder::executableFolder()
{
    EnvGuard env("DORVU_HOME");
    env.unset();
    // The test runs from the (writable) build folder.
    QCOMPARE(ProgramFolder::path(), QCoreApplication::applicationDirPath() + S("/"));
    env.set(QString());
    QCOMPARE(ProgramFolder::path(), QCoreApplication::applicationDirPath() + S("/"));
    // The probe leaves nothing behind.
    QCOMPARE(QDir(QCoreApplication::applicationDirPath())
                 .entryList(QStringList{S(".dorvu-probe-*")}, QDir::Hidden | QDir::Files),
             QStringList());
}

void TestProgramFolder::relativeHomeBecomesAbsolute()
{
    QTemporaryDir dir;
    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    EnvGuard env("DORVU_HOME");
    env.set(S("rel/home"));
    const QString path = ProgramFolder::path();
    QVERIFY(QDir::setCurrent(saved));
    QCOMPARE(path, QDir(dir.path()).canonicalPath() + S("/rel/home/"));
    // Still the same folder after the current folder changed.
    QCOMPARE(ProgramFolder::path(), path);
}

void TestProgramFolder::fallbackWhenUnderAFile()
{
    QTemporaryDir dir;
    QFile f(dir.path() + S("/plainfile"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    EnvGuard home("DORVU_HOME");
    EnvGuard xdg("XDG_DATA_HOME");
    home.set(dir.path() + S("/plainfile/home"));
    xdg.set(dir.path() + S("/xdg"));
    QCOMPARE(ProgramFolder::path(), dir.path() + S("/xdg/dorvu/"));
    QVERIFY(QFileInfo(dir.path() + S("/xdg/dorvu")).isDir());
    // A write goes there.
    IniFile::config().WriteInteger(S("A"), S("k"), 1);
    QVERIFY(QFileInfo::exists(dir.path() + S("/xdg/dorvu/config.ini")));
    // A change of XDG_DATA_HOME alone is followed too.
    xdg.set(dir.path() + S("/xdg2"));
    QCOMPARE(ProgramFolder::path(), dir.path() + S("/xdg2/dorvu/"));
}

void TestProgramFolder::fallbackForProc()
{
    // /proc takes no new files, even from root.
    QTemporaryDir dir;
    EnvGuard home("DORVU_HOME");
    EnvGuard xdg("XDG_DATA_HOME");
    home.set(S("/proc"));
    xdg.set(dir.path());
    QCOMPARE(ProgramFolder::path(), dir.path() + S("/dorvu/"));
}

void TestProgramFolder::fallbackDefaultsToLocalShare()
{
    QTemporaryDir dir;
    EnvGuard home("DORVU_HOME");
    EnvGuard xdg("XDG_DATA_HOME");
    EnvGuard homeDir("HOME");
    home.set(S("/proc/dorvu"));
    xdg.unset();
    homeDir.set(dir.path());
    QCOMPARE(ProgramFolder::path(), dir.path() + S("/.local/share/dorvu/"));
    QVERIFY(QFileInfo(dir.path() + S("/.local/share/dorvu")).isDir());
    // A relative XDG_DATA_HOME is ignored (XDG rule).
    xdg.set(S("relative/data"));
    QCOMPARE(ProgramFolder::path(), dir.path() + S("/.local/share/dorvu/"));
}

void TestProgramFolder::resolveDecision()
{
    QTemporaryDir dir;
    const auto yes = [](const QString &) {
        return true;
    };
    const auto no = [](const QString &) {
        return false;
    };
    QCOMPARE(ProgramFolder::resolve(S("/opt/d"), S("/usr/bin"), S("/x"), S("/h"), yes),
             S("/opt/d/"));
    QCOMPARE(ProgramFolder::resolve(QString(), S("/opt/d/bin"), S("/x"), S("/h"), yes),
             S("/opt/d/bin/"));
    // Installed: never beside the program, even when root could write there.
    QCOMPARE(ProgramFolder::resolve(QString(), S("/usr/bin/"), dir.path(), S("/h"), yes),
             dir.path() + S("/dorvu/"));
    QCOMPARE(ProgramFolder::resolve(QString(), dir.path(), dir.path() + S("/data"), S("/h"), no),
             dir.path() + S("/data/dorvu/"));
    QVERIFY(QFileInfo(dir.path() + S("/data/dorvu")).isDir());
    QCOMPARE(ProgramFolder::dataHomeFolder(QString(), S("/home/u")),
             S("/home/u/.local/share/dorvu/"));
    QCOMPARE(ProgramFolder::dataHomeFolder(S("/data/"), S("/home/u")), S("/data/dorvu/"));
    QCOMPARE(ProgramFolder::dataHomeFolder(S("rel"), S("/home/u/")),
             S("/home/u/.local/share/dorvu/"));
}

void TestProgramFolder::writableProbe()
{
    QTemporaryDir dir;
    QVERIFY(ProgramFolder::isWritableFolder(dir.path()));
    QVERIFY(QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                .isEmpty());
    QVERIFY(!ProgramFolder::isWritableFolder(S("/proc")));
    QVERIFY(!ProgramFolder::isWritableFolder(QString()));
    QFile f(dir.path() + S("/file"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(!ProgramFolder::isWritableFolder(dir.path() + S("/file")));
    QVERIFY(!ProgramFolder::isWritableFolder(dir.path() + S("/file/sub")));
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_ProgramFolder.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The built program killed with SIGKILL at random moments while it writes: its pages change
// their titles every few milliseconds (each change rewrites winlist) and each start writes
// config.ini and moves winlist to the restore file. Nothing outside the program can make it
// save BookMark.xml or a web list (only its editors' OK buttons do), so a writer process of
// this test calls the same writers on the same folder in a loop and is killed at the same
// moment. After every kill each file reads back whole: the old or the new content, never a
// mix; the history database opens as it is, holding only the pages loaded. DORVU_CRASH_SEED
// replays a run.
#include "DorvuProcess.h"
#include "TestHome.h"
#include "TestHttpServer.h"
#include "bookmarks/BookMarkFile.h"
#include "common/SjisCodec.h"
#include "common/WebListFile.h"
#include "history/HistoryStore.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "shell/StartupRules.h"

#include <QDir>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <optional>

namespace {

constexpr int kKills = 50;
constexpr int kPages = 4;
constexpr int kTimeout = 60000;
const char *const kWriterOption = "--crash-writer";

/// Two bookmark trees and two web lists the writer swaps between; big enough that a write
/// takes a while.
QList<BookMarkNode> tree(int which)
{
    BookMarkNode folder{QStringLiteral("フォルダ%1").arg(which), {}, BookMarkNode::FolderImage, {}};
    for (int i = 0; i < 300 + which * 200; ++i)
        folder.children.append({QStringLiteral("ページ%1").arg(i),
                                QStringLiteral("http://127.0.0.1/%1/%2").arg(which).arg(i),
                                BookMarkNode::EntryImage,
                                {}});
    return {folder};
}

QStringList list(int which)
{
    QStringList lines;
    for (int i = 0; i < 2000 + which * 1500; ++i)
        lines.append(QStringLiteral("http://127.0.0.1/list%1/%2").arg(which).arg(i));
    return lines;
}

QString listPath(const QString &home)
{
    return home + QStringLiteral("WebList/saved.wlf");
}

/// The writer process: saves both files in turns until it is killed.
int runWriter(const QString &home)
{
    QDir().mkpath(home + QStringLiteral("WebList"));
    for (int i = 0;; i = 1 - i) {
        BookMarkFile::save(home + QStringLiteral("BookMark.xml"), tree(i));
        WebListFile::write(listPath(home), list(i));
    }
}

using Content = std::optional<QByteArray>;

/// The bytes of \a path; none when there is no such file.
Content contentOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

/// Temporary files of our own files' writes in \a folder.
QStringList temporaries(const QString &folder)
{
    static const QRegularExpression name(
        QStringLiteral("^(config\\.ini|winlist|BookMark\\.xml|.*\\.wlf)\\.[A-Za-z0-9]{6}$"));
    QStringList found;
    for (const QString &entry : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (name.match(entry).hasMatch())
            found.append(folder + entry);
    return found;
}

/// The addresses in the history database at \a path, read without writing to it (the program
/// may be writing it meanwhile).
QStringList historyUrls(const QString &path)
{
    QStringList urls;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(path);
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("SELECT url FROM urls"))) {
            while (q.next())
                urls.append(q.value(0).toString());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return urls;
}

} // namespace

class tst_CrashSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void killedAtRandomMoments();

private:
    QString file(const QString &name) const { return m_home->file(name); }
    QByteArray configText(bool clean) const;
    void checkFiles(const Content &oldWinlist, const Content &oldRestore);
    void startWriter();

    TestHttpServer m_server;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<QTemporaryDir> m_runtime;
    QStringList m_pages;
    QByteArray m_newConfig;
    QStringList m_leftovers;
    int m_withPages = 0;
    int m_withNewConfig = 0;
    int m_withHistory = 0;
};

void tst_CrashSafety::initTestCase()
{
    QVERIFY(m_server.start());
    for (int i = 0; i < kPages; ++i) {
        const QString path = QStringLiteral("/p%1").arg(i);
        m_server.route(path, "<!DOCTYPE html><title>t</title><body><script>let n = 0;"
                             "setInterval(() => { document.title = 't' + n++; }, 3);"
                             "</script></body>");
        m_pages.append(m_server.url(path).toString());
    }
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->isValid());
    m_runtime = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/dcs-XXXXXX"));
    QVERIFY(m_runtime->isValid());
    QVERIFY(QFile::exists(DorvuProcess::path()));
    IniFile::setCacheEnabled(false);
    m_home->write(QStringLiteral("WebList/start.wlf"), WebListFile::encodeLines(m_pages));
}

QByteArray tst_CrashSafety::configText(bool clean) const
{
    return "[General]\r\nshutdown=" + QByteArray(clean ? "1" : "0") +
           "\r\n[Option_Security]\r\nScript=1\r\n[Option_StartUp]\r\nType=2\r\nPath=" +
           QFile::encodeName(file(QStringLiteral("WebList/start.wlf"))) + "\r\n";
}

void tst_CrashSafety::checkFiles(const Content &oldWinlist, const Content &oldRestore)
{
    // config.ini: as the test wrote it, or with the start's shutdown flag written.
    const QByteArray config = contentOf(file(QStringLiteral("config.ini"))).value_or("(none)");
    if (config != configText(true)) {
        if (m_newConfig.isEmpty()) {
            const IniFile ini(file(QStringLiteral("config.ini")));
            QVERIFY2(!SettingsKeys::read(ini, SettingsKeys::General::shutdown), config);
            QCOMPARE(
                ini.ReadInteger(QStringLiteral("Option_Security"), QStringLiteral("Script"), 0), 1);
            QCOMPARE(ini.ReadInteger(QStringLiteral("Option_StartUp"), QStringLiteral("Type"), 0),
                     2);
            m_newConfig = config;
        }
        QCOMPARE(config, m_newConfig);
        ++m_withNewConfig;
    }

    // winlist: the first pages of the start list in their order, each with CR LF.
    const QString winlistPath = file(QStringLiteral("winlist"));
    const Content winlist = contentOf(winlistPath);
    if (winlist) {
        const QStringList lines = WebListFile::read(winlistPath);
        QVERIFY2(lines == m_pages.mid(0, lines.size()), winlist->constData());
        QVERIFY2(winlist->isEmpty() || winlist->endsWith("\r\n"), winlist->constData());
        m_withPages += lines.isEmpty() ? 0 : 1;
    }

    // The restore file: the last run's winlist, moved in; or still the one before; or gone,
    // when there was no winlist to move or between the two steps of the move, while winlist
    // is still whole.
    const QString restorePath = file(StartupRules::restoreFileName());
    const Content restore = contentOf(restorePath);
    if (restore) {
        QVERIFY2(restore == oldWinlist || restore == oldRestore, restore->constData());
        WebListFile::read(restorePath);
    } else {
        QVERIFY(!oldRestore || !oldWinlist || winlist == oldWinlist);
    }

    // The writer's files: one of its two contents exactly, and readable by the program.
    const QString bookmarks = file(QStringLiteral("BookMark.xml"));
    if (QFile::exists(bookmarks)) {
        const QList<BookMarkNode> nodes = BookMarkFile::load(bookmarks);
        QVERIFY(nodes == tree(0) || nodes == tree(1));
        QCOMPARE(contentOf(bookmarks).value(),
                 SjisCodec::encode(BookMarkFile::fileLines(nodes).join(QLatin1String("\r\n")) +
                                   QLatin1String("\r\n")));
    }
    const QString saved = listPath(m_home->path());
    if (QFile::exists(saved)) {
        const QStringList lines = WebListFile::read(saved);
        QVERIFY(lines == list(0) || lines == list(1));
        QCOMPARE(contentOf(saved).value(), WebListFile::encodeLines(lines));
    }

    // History.db: recorded visits and titles, never damaged.
    if (QFile::exists(file(QStringLiteral("History.db")))) {
        HistoryStore history;
        QCOMPARE(history.open(file(QStringLiteral("History.db")), 90), QString());
        for (const HistoryEntry &entry : history.index().all())
            QVERIFY2(m_pages.contains(entry.url), qPrintable(entry.url));
        m_withHistory += history.index().count() > 0 ? 1 : 0;
    }

    // A kill between linking the new data under a temporary name and the rename leaves that
    // name behind (on file systems without unnamed files, the whole write does): the next
    // start removes it.
    m_leftovers += temporaries(m_home->path()) + temporaries(file(QStringLiteral("WebList/")));
}

void tst_CrashSafety::killedAtRandomMoments()
{
    const QByteArray seedText = qgetenv("DORVU_CRASH_SEED");
    const quint32 seed =
        seedText.isEmpty() ? QRandomGenerator::global()->generate() : seedText.toUInt();
    qInfo("DORVU_CRASH_SEED=%u", seed);
    QRandomGenerator random(seed);

    int survived = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        // Each run starts clean, so it opens the start list without the recovery question.
        m_home->write(QStringLiteral("config.ini"), configText(true));
        const Content oldWinlist = contentOf(file(QStringLiteral("winlist")));
        const Content oldRestore = contentOf(file(StartupRules::restoreFileName()));

        auto dorvu = DorvuProcess::start({}, m_home->path(), m_runtime->path());
        QProcess writer;
        writer.setProcessChannelMode(QProcess::ForwardedChannels);
        writer.start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(kWriterOption), m_home->path()});
        QVERIFY(dorvu->waitForStarted(20000));
        QVERIFY(writer.waitForStarted(20000));
        // The random moment itself: nothing to wait for.
        const int moment = random.bounded(200, 2200);
        QTest::qWait(moment);
        // Never kill(0): a process that has ended has the id 0.
        QCOMPARE(dorvu->state(), QProcess::Running);
        QCOMPARE(writer.state(), QProcess::Running);
        ::kill(pid_t(dorvu->processId()), SIGKILL);
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(dorvu->waitForFinished(20000));
        QVERIFY(writer.waitForFinished(20000));
        QCOMPARE(dorvu->exitStatus(), QProcess::CrashExit);

        checkFiles(oldWinlist, oldRestore);
        if (QTest::currentTestFailed()) {
            qWarning("kill %d at %d ms", kill + 1, moment);
            return;
        }
        ++survived;
    }

    // A run that starts fully removes what the killed runs left behind.
    m_home->write(QStringLiteral("config.ini"), configText(true));
    auto dorvu = DorvuProcess::start({}, m_home->path(), m_runtime->path());
    QTRY_COMPARE_WITH_TIMEOUT(WebListFile::readIfFile(file(QStringLiteral("winlist"))), m_pages,
                              kTimeout);
    for (const QString &leftover : std::as_const(m_leftovers))
        QVERIFY2(!QFile::exists(leftover), qPrintable(leftover));
    // And it records its pages in the history the killed runs left.
    QTRY_VERIFY_WITH_TIMEOUT(!historyUrls(file(QStringLiteral("History.db"))).isEmpty(), kTimeout);
    DorvuProcess::terminate(*dorvu);
    qInfo("%d kills survived; %d of them with pages in winlist, %d with pages in the history, "
          "%d after config.ini was written; temporary files they left, removed at the next "
          "start: %s",
          survived, m_withPages, m_withHistory, m_withNewConfig,
          qPrintable(m_leftovers.join(u' ')));
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], kWriterOption) == 0)
        return runWriter(QString::fromLocal8Bit(argv[2]));
    // A GUI application: the test stays a client of the X server, which would otherwise reset
    // each time a killed program was its last client, and may not come back from that.
    QGuiApplication app(argc, argv);
    tst_CrashSafety test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_CrashSafety.moc"

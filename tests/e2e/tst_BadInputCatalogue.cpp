// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Bad inputs, one row each: every file the program reads or writes, made garbage, huge, empty,
// full of NUL bytes, broken Shift_JIS, a folder, a FIFO, unreadable, in a read-only folder or
// on a full disk, meets the reader or writer that handles it in the real windows. Each row
// names the message the user gets (or none) and whether the file must stay as it was. No
// step may hold the user-interface thread for a second. The built program takes the bad
// command lines and hand-over messages.
#include "DorvuProcess.h"
#include "FakeEngine.h"
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "bookmarks/Tfrm_BMEdit.h"
#include "browser/BlockList.h"
#include "browser/TBrowserHost.h"
#include "common/ErrorHandler.h"
#include "common/WebListFile.h"
#include "settings/IniFile.h"
#include "settings/Tfrm_MZOption.h"
#include "shell/HandOverMessage.h"
#include "shell/SingleInstance.h"
#include "shell/TMainForm.h"
#include "weblist/TWebListOpener.h"
#include "weblist/Tfrm_WebList.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

constexpr qint64 kHangMs = 1000;
const QString kPrefs = QStringLiteral("dorvu/Mozilla/Profiles/MozillaControl/default/prefs.js");

enum class Kind {
    Garbage,
    Huge,
    Empty,
    Nul,
    BadSjis,
    Folder,
    Fifo,
    Unreadable,
    ReadOnlyFolder,
    FullDisk
};
/// What meets the file: the main window's start (FormCreate), its start with the last
/// windows (type 3), a web list from the menu, the web list editor's load and save, the
/// bookmark editor's OK, the main window's close, a block check, the Gecko options dialog.
enum class Step {
    Start,
    RestoreStart,
    OpenList,
    EditorLoad,
    EditorSave,
    BookMarkSave,
    Close,
    BlockCheck,
    GeckoShow,
    GeckoSave
};

QByteArray contentOf(Kind kind)
{
    switch (kind) {
    case Kind::Garbage: {
        QByteArray bytes;
        for (int i = 0; i < 4096; ++i)
            bytes += char((i * 7919 + 13) % 256);
        return bytes;
    }
    case Kind::Huge: // 20 MB in 20 lines
        return QByteArray(1024 * 1024 - 2, 'a').append("\r\n").repeated(20);
    case Kind::Empty:
        return QByteArray();
    case Kind::Nul:
        return QByteArray("http://127.0.0.1/a\r\n\0\0\0[General]\r\n\0http://b\r\n", 44);
    case Kind::BadSjis: // lead bytes without their trail byte, bytes no Shift_JIS has
        return "[\x82]\r\n\x81\r\nhttp://127.0.0.1/\x85\x40\xa0\xfd\xfe\xff\r\n\x9f";
    default: // the file the row turns bad in another way
        return "http://127.0.0.1/kept\r\n";
    }
}

bool asRoot()
{
    return ::geteuid() == 0;
}

/// Root reads and writes whatever the permission bits say: while a row runs that needs them
/// to count, the test acts as "nobody".
class AsNobody
{
public:
    explicit AsNobody(bool on)
        : m_on(on && asRoot())
    {
        if (m_on && ::seteuid(65534) != 0)
            m_on = false;
    }
    ~AsNobody()
    {
        if (m_on)
            (void)::seteuid(0);
    }

private:
    bool m_on;
};

/// Opens a FIFO's other end should a reader block in open() or read() on it, so a hang ends
/// as a failed time check instead of a test that never ends.
class FifoRescue
{
public:
    explicit FifoRescue(const QString &path)
        : m_path(QFile::encodeName(path))
    {
        m_thread = std::thread([this] {
            for (int i = 0; i < 30 && !m_done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (m_done)
                return;
            const int fd = ::open(m_path.constData(), O_RDWR | O_NONBLOCK);
            if (fd >= 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                ::close(fd);
            }
        });
    }
    ~FifoRescue()
    {
        m_done = true;
        m_thread.join();
    }

private:
    QByteArray m_path;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

} // namespace

class tst_BadInputCatalogue : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void badFile_data();
    void badFile();
    void badHandOver_data();
    void badHandOver();
    void badCommandLine_data();
    void badCommandLine();
    void cleanupTestCase();

private:
    bool makeBad(const QString &path, Kind kind);
    void run(Step step, const QString &path);
    void startMainForm(const QByteArray &config);
    void startProgram();
    QStringList programWinlist() const;
    bool send(const QByteArray &bytes, int ackTimeoutMs) const;

    std::unique_ptr<TMainForm> m_form;
    QStringList m_errors;
    QString m_mounted;
    QString m_locked;
    TestHttpServer m_server;
    std::unique_ptr<QTemporaryDir> m_programHome;
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QProcess> m_program;
};

void tst_BadInputCatalogue::initHome()
{
    // The Gecko profile (prefs.js) lives in the test's program folder too.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->path()));
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_BadInputCatalogue::cleanupHome()
{
    m_form.reset();
    ErrorHandler::setSink({});
    if (!m_locked.isEmpty())
        ::chmod(QFile::encodeName(m_locked).constData(), 0700);
    m_locked.clear();
    if (!m_mounted.isEmpty())
        ::umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
    m_mounted.clear();
}

/// Puts the bad kind of file at \a path; false (with the reason given by QSKIP in the row)
/// when this machine cannot make it.
bool tst_BadInputCatalogue::makeBad(const QString &path, Kind kind)
{
    const QString folder = QFileInfo(path).absolutePath();
    QDir().mkpath(folder);
    const QByteArray native = QFile::encodeName(path);
    switch (kind) {
    case Kind::Folder:
        return QDir().mkpath(path + QStringLiteral("/inside"));
    case Kind::Fifo:
        return ::mkfifo(native.constData(), 0600) == 0;
    case Kind::FullDisk: {
        // A small file system of its own, filled up but for a few bytes.
        if (!asRoot() ||
            ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") != 0)
            return false;
        m_mounted = folder;
        m_home->write(path.mid(m_home->path().size()), contentOf(kind));
        QFile filler(folder + QStringLiteral("/filler"));
        filler.open(QIODevice::WriteOnly);
        while (filler.write(QByteArray(512, 'f')) > 0 && filler.flush()) {
        }
        return true;
    }
    default:
        m_home->write(path.mid(m_home->path().size()), contentOf(kind));
        if (kind == Kind::Unreadable) {
            ::chmod(native.constData(), 0);
            m_locked = path;
        }
        if (kind == Kind::ReadOnlyFolder) {
            ::chmod(QFile::encodeName(folder).constData(), 0555);
            m_locked = folder;
        }
        if (kind == Kind::Unreadable || kind == Kind::ReadOnlyFolder) {
            // "nobody" must reach the folder to be refused the file.
            const QString home = QDir::cleanPath(m_home->path());
            for (QString up = folder; up.startsWith(home); up = QFileInfo(up).absolutePath())
                ::chmod(QFile::encodeName(up).constData(),
                        up == folder && kind == Kind::ReadOnlyFolder ? 0555 : 0777);
        }
        return true;
    }
}

/// Ages the files of the row, so they are read as a file that has been there for a while (the
/// settings cache ignores files changed in the last seconds).
static void ageFiles(const QString &folder)
{
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    for (const QFileInfo &info :
         QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (info.isDir()) {
            ageFiles(info.filePath());
        } else {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadWrite))
                file.setFileTime(old, QFileDevice::FileModificationTime);
        }
    }
}

void tst_BadInputCatalogue::startMainForm(const QByteArray &config)
{
    if (!config.isEmpty())
        m_home->write(QStringLiteral("config.ini"), config);
    m_form = std::make_unique<TMainForm>(QStringList());
    m_form->Browser->setFactory(std::make_unique<FakeEngineFactory>());
}

/// Runs \a step on the file at \a path, which the row has made bad.
void tst_BadInputCatalogue::run(Step step, const QString &path)
{
    switch (step) {
    case Step::Start:
        startMainForm(QByteArray());
        break;
    case Step::RestoreStart:
        startMainForm("[General]\r\nshutdown=1\r\n[Option_StartUp]\r\nType=3\r\n");
        m_form->show();
        QCoreApplication::sendPostedEvents(m_form.get(), QEvent::MetaCall);
        break;
    case Step::OpenList:
        ErrorHandler::Run(
            [this, &path] { m_form->WebListOpener->openFile(QFile::encodeName(path), path); });
        break;
    case Step::EditorLoad:
    case Step::EditorSave: {
        Tfrm_WebList editor(m_home->path());
        ErrorHandler::Run([&] {
            if (step == Step::EditorLoad) {
                editor.ReplaceText(path);
            } else {
                editor.ReplaceText(m_home->file(QStringLiteral("source.wlf")));
                editor.SaveText(path);
            }
        });
        break;
    }
    case Step::BookMarkSave: {
        Tfrm_BMEdit editor;
        ErrorHandler::Run([&editor] { editor.btnOKClick(); });
        break;
    }
    case Step::Close:
        m_form->close();
        break;
    case Step::BlockCheck:
        ErrorHandler::Run([] { BlockList::IsBlockedURL(QStringLiteral("http://127.0.0.1/ad")); });
        break;
    case Step::GeckoShow:
    case Step::GeckoSave: {
        Tfrm_MZOption dialog;
        dialog.show();
        if (step == Step::GeckoSave)
            dialog.Button1Click();
        break;
    }
    }
}

void tst_BadInputCatalogue::badFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Step>("step");
    QTest::addColumn<QStringList>("messages"); // %1: the file's full path
    QTest::addColumn<bool>("kept");            // the file as it was afterwards

    const QString config = QStringLiteral("config.ini");
    const QString bookmarks = QStringLiteral("BookMark.xml");
    const QString list = QStringLiteral("WebList/bad.wlf");
    const QString winlist = QStringLiteral("winlist");
    const QString closeTxt = QStringLiteral("Close.txt");
    const QString closeUrl = QStringLiteral("CloseURL.txt");
    const QStringList cannotOpen{QStringLiteral("ファイル %1 は開けません")};
    const QStringList cannotWrite{QStringLiteral("%1 に書き込めません")};
    const QStringList cannotCreate{QStringLiteral("ファイル %1 を作成できません")};
    const auto row = [](const char *name, const QString &file, Kind kind, Step step,
                        const QStringList &messages, bool kept = true) {
        QTest::newRow(name) << file << kind << step << messages << kept;
    };

    // config.ini: every read falls back to its default; nothing is reported or rewritten.
    row("config garbage", config, Kind::Garbage, Step::Start, {});
    row("config huge", config, Kind::Huge, Step::Start, {});
    row("config empty", config, Kind::Empty, Step::Start, {});
    row("config NUL", config, Kind::Nul, Step::Start, {});
    row("config bad Shift_JIS", config, Kind::BadSjis, Step::Start, {});
    row("config folder", config, Kind::Folder, Step::Start, {});
    row("config FIFO", config, Kind::Fifo, Step::Start, {});
    row("config unreadable", config, Kind::Unreadable, Step::Start, {});
    // ... and when the settings are written at the close, a failure is reported.
    row("config folder at close", config, Kind::Folder, Step::Close, cannotWrite);
    row("config unreadable at close", config, Kind::Unreadable, Step::Close, cannotWrite);
    row("config full disk at close", config, Kind::FullDisk, Step::Close, cannotWrite);

    // BookMark.xml: read line by line, whatever it holds; a file that cannot be read is said.
    row("bookmarks garbage", bookmarks, Kind::Garbage, Step::Start, {});
    row("bookmarks huge", bookmarks, Kind::Huge, Step::Start, {});
    row("bookmarks empty", bookmarks, Kind::Empty, Step::Start, {});
    row("bookmarks NUL", bookmarks, Kind::Nul, Step::Start, {});
    row("bookmarks bad Shift_JIS", bookmarks, Kind::BadSjis, Step::Start, {});
    row("bookmarks folder", bookmarks, Kind::Folder, Step::Start, cannotOpen);
    row("bookmarks FIFO", bookmarks, Kind::Fifo, Step::Start, cannotOpen);
    row("bookmarks unreadable", bookmarks, Kind::Unreadable, Step::Start, cannotOpen);
    // A file the editor could not read is not written over: the editor says so at OK.
    row("bookmarks folder at save", bookmarks, Kind::Folder, Step::BookMarkSave,
        {cannotOpen.first() + QStringLiteral("\nファイルは書き換えません")});
    row("bookmarks full disk at save", bookmarks, Kind::FullDisk, Step::BookMarkSave, cannotWrite);

    // A web list from the menu opens what it can read; anything but a file is said.
    row("list garbage", list, Kind::Garbage, Step::OpenList, {});
    row("list huge", list, Kind::Huge, Step::OpenList, {});
    row("list empty", list, Kind::Empty, Step::OpenList, {});
    row("list NUL", list, Kind::Nul, Step::OpenList, {});
    row("list bad Shift_JIS", list, Kind::BadSjis, Step::OpenList, {});
    row("list folder", list, Kind::Folder, Step::OpenList, cannotOpen);
    row("list FIFO", list, Kind::Fifo, Step::OpenList, cannotOpen);
    row("list unreadable", list, Kind::Unreadable, Step::OpenList, cannotOpen);
    // The web list editor.
    row("editor huge", list, Kind::Huge, Step::EditorLoad,
        {QStringLiteral("文字列の大きさが メモ の制限を越えました")});
    row("editor NUL", list, Kind::Nul, Step::EditorLoad, {});
    row("editor bad Shift_JIS", list, Kind::BadSjis, Step::EditorLoad, {});
    row("editor folder", list, Kind::Folder, Step::EditorLoad, cannotOpen);
    row("editor FIFO", list, Kind::Fifo, Step::EditorLoad, cannotOpen);
    row("editor save into folder", list, Kind::Folder, Step::EditorSave, cannotCreate);
    row("editor save read-only folder", list, Kind::ReadOnlyFolder, Step::EditorSave, cannotCreate);
    row("editor save full disk", list, Kind::FullDisk, Step::EditorSave, cannotCreate);

    // winlist moves to the restore file at the start, whatever it holds, and opens from there;
    // what is not a file stays where it is.
    row("winlist garbage", winlist, Kind::Garbage, Step::RestoreStart, {}, false);
    row("winlist huge", winlist, Kind::Huge, Step::RestoreStart, {}, false);
    row("winlist NUL", winlist, Kind::Nul, Step::RestoreStart, {}, false);
    row("winlist folder", winlist, Kind::Folder, Step::RestoreStart, {});
    row("winlist FIFO", winlist, Kind::Fifo, Step::RestoreStart, {});
    row("restore file folder", QStringLiteral("WebList/以前の状態を復元.wlf"), Kind::Folder,
        Step::Start, {QStringLiteral("ファイル %1 を削除できません")});

    // Close.txt is written at the close.
    row("closed list folder", closeTxt, Kind::Folder, Step::Close, cannotWrite);

    // CloseURL.txt, read at every check while blocking is on.
    row("block list garbage", closeUrl, Kind::Garbage, Step::BlockCheck, {});
    row("block list huge", closeUrl, Kind::Huge, Step::BlockCheck, {});
    row("block list empty", closeUrl, Kind::Empty, Step::BlockCheck, {});
    row("block list NUL", closeUrl, Kind::Nul, Step::BlockCheck, {});
    row("block list folder", closeUrl, Kind::Folder, Step::BlockCheck, cannotOpen);
    row("block list FIFO", closeUrl, Kind::Fifo, Step::BlockCheck, cannotOpen);
    row("block list unreadable", closeUrl, Kind::Unreadable, Step::BlockCheck, cannotOpen);

    // prefs.js of the Gecko profile, in the Gecko options dialog.
    row("prefs garbage", kPrefs, Kind::Garbage, Step::GeckoShow, {});
    row("prefs huge", kPrefs, Kind::Huge, Step::GeckoShow, {});
    row("prefs NUL", kPrefs, Kind::Nul, Step::GeckoShow, {});
    row("prefs folder", kPrefs, Kind::Folder, Step::GeckoShow, cannotOpen);
    row("prefs FIFO", kPrefs, Kind::Fifo, Step::GeckoShow, cannotOpen);
    row("prefs unreadable", kPrefs, Kind::Unreadable, Step::GeckoShow, cannotOpen);
    row("prefs full disk at save", kPrefs, Kind::FullDisk, Step::GeckoSave, cannotCreate);
}

void tst_BadInputCatalogue::badFile()
{
    QFETCH(QString, file);
    QFETCH(Kind, kind);
    QFETCH(Step, step);
    QFETCH(QStringList, messages);
    QFETCH(bool, kept);

    const QString path = m_home->file(file);
    if (step == Step::BlockCheck)
        m_home->write(QStringLiteral("config.ini"), "[Option_advertisemen]\r\nCloseURL=1\r\n");
    if (step == Step::EditorSave)
        m_home->write(QStringLiteral("source.wlf"), QByteArray(100 * 1024, 'a'));
    if (!makeBad(path, kind))
        QSKIP("a small file system cannot be mounted here (needs root)");
    ageFiles(m_home->path());
    // The settings cache trusts no file changed (ctime included) within its racy window: a
    // config.ini of 20 MB would be parsed at every read, which only happens right after it
    // was written.
    if (file == QLatin1String("config.ini") && kind == Kind::Huge)
        QTest::qWait(int(IniFile::RacyWindowMs) + 200);
    // The main window the step acts in is made before the file turns unreadable.
    if (step == Step::OpenList || step == Step::Close)
        startMainForm(QByteArray());
    const QByteArray before =
        kind == Kind::Folder || kind == Kind::Fifo ? QByteArray() : contentOf(kind);
    m_errors.clear();

    QElapsedTimer timer;
    {
        const AsNobody nobody(kind == Kind::Unreadable || kind == Kind::ReadOnlyFolder);
        std::unique_ptr<FifoRescue> rescue;
        if (kind == Kind::Fifo)
            rescue = std::make_unique<FifoRescue>(path);
        timer.start();
        run(step, path);
    }
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed < kHangMs, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));

    const QString full = QFileInfo(path).absoluteFilePath();
    for (QString &message : messages)
        if (message.contains(QLatin1String("%1")))
            message = message.arg(full);
    QCOMPARE(m_errors, messages);
    const QFileInfo info(path);
    if (kind == Kind::Folder)
        QVERIFY(info.isDir() && QFileInfo::exists(path + QStringLiteral("/inside")));
    else if (kind == Kind::Fifo)
        QVERIFY(!info.isFile() && info.exists());
    else if (kept)
        QCOMPARE(m_home->read(file), before);
    else // moved whole into the restore file
        QCOMPARE(m_home->read(QStringLiteral("WebList/以前の状態を復元.wlf")), before);
}

/// The built program, started once for the hand-over rows; each row's bad message is
/// followed by a good one, which must open its page at once.
void tst_BadInputCatalogue::startProgram()
{
    if (m_program)
        return;
    QVERIFY(m_server.start());
    m_server.route(QStringLiteral("/page"), "<!DOCTYPE html><title>page</title>");
    m_programHome = std::make_unique<QTemporaryDir>();
    m_runtime = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/dbi-XXXXXX"));
    m_program = DorvuProcess::start({m_server.url(QStringLiteral("/page")).toString()},
                                    m_programHome->path() + QLatin1Char('/'), m_runtime->path());
    QTRY_VERIFY_WITH_TIMEOUT(!programWinlist().isEmpty(), 60000);
}

QStringList tst_BadInputCatalogue::programWinlist() const
{
    return WebListFile::readIfFile(m_programHome->path() + QStringLiteral("/winlist"));
}

/// Sends \a bytes on a connection of its own; true when the program acknowledged them.
bool tst_BadInputCatalogue::send(const QByteArray &bytes, int ackTimeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_runtime->path() + QStringLiteral("/dorvu-") +
                           QString::number(::getuid()));
    if (!socket.waitForConnected(5000))
        return false;
    socket.write(bytes);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(5000)) {
    }
    QDeadlineTimer deadline(ackTimeoutMs);
    while (socket.bytesAvailable() == 0 && socket.state() == QLocalSocket::ConnectedState &&
           !deadline.hasExpired())
        socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    return socket.read(1) == QByteArray(1, HandOverMessage::Ack);
}

void tst_BadInputCatalogue::badHandOver_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("acknowledged");
    QTest::addColumn<int>("opened"); // windows the message adds

    const QByteArray page = HandOverMessage::encode(2, QStringLiteral("http://127.0.0.1:1/x"));
    QByteArray tooLong = page.left(8);
    tooLong += QByteArray::fromHex("01400000"); // 20 MiB announced
    // Bytes no UTF-8 has inside an address (a text the engine cannot take as an address is
    // a message box of its own, which holds the acknowledgement until it is answered).
    const QByteArray badText = "http://127.0.0.1:1/\xff\xfe\x82\x80";
    const QByteArray badUtf8 = page.left(8) + QByteArray::fromHex("00000017") + badText;
    QTest::newRow("garbage") << contentOf(Kind::Garbage) << false << 0;
    QTest::newRow("20 MB garbage") << QByteArray(20 * 1024 * 1024, 'g') << false << 0;
    QTest::newRow("20 MB announced") << tooLong + QByteArray(1024, 'a') << false << 0;
    QTest::newRow("nothing") << QByteArray() << false << 0;
    QTest::newRow("header only") << page.left(HandOverMessage::HeaderBytes) << false << 0;
    QTest::newRow("wrong magic") << QByteArray("XXXX") + page.mid(4) << false << 0;
    QTest::newRow("trailing bytes") << page + "more" << false << 0;
    QTest::newRow("value 1") << HandOverMessage::encode(1, QStringLiteral("http://x/")) << true
                             << 0;
    QTest::newRow("NUL bytes") << HandOverMessage::encode(2, QStringLiteral("a\0b\0")) << true << 1;
    QTest::newRow("invalid UTF-8") << badUtf8 << true << 1;
    QTest::newRow("100 KB text") << HandOverMessage::encode(2,
                                                            QStringLiteral("http://127.0.0.1:1/") +
                                                                QString(100 * 1024, u'a'))
                                 << true << 1;
}

void tst_BadInputCatalogue::badHandOver()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, acknowledged);
    QFETCH(int, opened);
    startProgram();
    if (QTest::currentTestFailed())
        return;
    const qsizetype before = programWinlist().size();

    QCOMPARE(send(bytes, acknowledged ? 10000 : 500), acknowledged);
    const QString mark = m_server.url(QStringLiteral("/page")).toString() +
                         QStringLiteral("?%1").arg(QLatin1String(QTest::currentDataTag()));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(send(HandOverMessage::encode(2, mark), 10000));
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed < kHangMs, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
    QTRY_COMPARE_WITH_TIMEOUT(programWinlist().value(before + opened), mark, 10000);
    QCOMPARE(m_program->state(), QProcess::Running);
}

void tst_BadInputCatalogue::badCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("windows");
    QTest::addColumn<QString>("first"); // the first window's address as recorded; empty: any

    QStringList many;
    for (int i = 0; i < 60; ++i)
        many.append(QStringLiteral("http://127.0.0.1:1/%1").arg(i));
    const QString longest(100 * 1024, u'a');
    QTest::newRow("empty argument") << QStringList{QString()} << 1 << QString();
    QTest::newRow("100 KB argument") << QStringList{longest} << 1 << longest;
    QTest::newRow("invalid UTF-8")
        << QStringList{QStringLiteral("(made by the shell)")} << 1 << QString();
    QTest::newRow("a folder") << QStringList{QStringLiteral("/tmp")} << 1 << QString();
    QTest::newRow("60 arguments") << many << 60 << many.first();
}

void tst_BadInputCatalogue::badCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, windows);
    QFETCH(QString, first);
    QTemporaryDir home;
    QTemporaryDir runtime(QStringLiteral("/tmp/dbc-XXXXXX"));
    // Bytes that are no UTF-8 reach the program through the shell's printf.
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DORVU_HOME"), home.path() + QLatin1Char('/'));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList shell{QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$@\""),
                      DorvuProcess::path()};
    shell += arguments;
    if (QLatin1String(QTest::currentDataTag()) == QLatin1String("invalid UTF-8"))
        shell[1] = QStringLiteral("exec \"$0\" \"$(printf '\\202\\377abc')\"");
    program.start(QStringLiteral("/bin/sh"), shell);
    QVERIFY(program.waitForStarted(20000));
    const QString winlist = home.path() + QStringLiteral("/winlist");
    QTRY_COMPARE_WITH_TIMEOUT(WebListFile::readIfFile(winlist).size(), windows, 60000);
    if (!first.isEmpty())
        QCOMPARE(WebListFile::readIfFile(winlist).value(0), first);
    DorvuProcess::terminate(program);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void tst_BadInputCatalogue::cleanupTestCase()
{
    if (m_program)
        DorvuProcess::terminate(*m_program);
}

QTEST_MAIN(tst_BadInputCatalogue)
#include "tst_BadInputCatalogue.moc"

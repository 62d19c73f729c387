// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The parse cache of IniFile is invisible: every read sees every earlier write, by this
// process or another, by rename or in place, whatever the file's size and time stamps.
#include "TestHome.h"
#include "settings/IniFile.h"

#include <QFile>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// Overwrites the file in place (same inode), as an editor without backup would.
void writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.resize(0));
    QCOMPARE(f.write(bytes), bytes.size());
    f.close();
}

struct stat statOf(const QString &path)
{
    struct stat st
    {
    };
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

void setMtime(const QString &path, const timespec &mtime)
{
    const timespec times[2] = {mtime, mtime};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

} // namespace

class TestIniCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { IniFile::setCacheEnabled(m_cache); }
    void cleanupTestCase() { IniFile::setCacheEnabled(true); }
    void coherence_data();
    void coherence();
    void oldFileChangedBehindOurBack();

private:
    bool m_cache = true;
};

void TestIniCache::coherence_data()
{
    QTest::addColumn<bool>("cache");
    QTest::newRow("cache on") << true;
    QTest::newRow("cache off") << false;
}

void TestIniCache::coherence()
{
    QFETCH(bool, cache);
    IniFile::setCacheEnabled(cache);
    TestHome home;
    const QString path = home.file(S("config.ini"));
    home.write(S("config.ini"), "[Option_Tab]\r\nMaxSize=10\r\n");
    const IniFile reader(path);
    IniFile writer(path);
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 10);
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 10);

    // A write through another object.
    writer.WriteInteger(S("Option_Tab"), S("MaxSize"), 20);
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 20);
    // Same size, same second: still seen.
    writer.WriteInteger(S("Option_Tab"), S("MaxSize"), 21);
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 21);

    // An external change of a different size, in place.
    writeInPlace(path, "[Option_Tab]\r\nMaxSize=300\r\n");
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 300);

    // An external change of the same size with a later time stamp.
    const struct stat before = statOf(path);
    writeInPlace(path, "[Option_Tab]\r\nMaxSize=301\r\n");
    timespec later = before.st_mtim;
    later.tv_sec += 5;
    setMtime(path, later);
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 301);

    // The same size and the very same modification time (restored by hand).
    const struct stat again = statOf(path);
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 301);
    writeInPlace(path, "[Option_Tab]\r\nMaxSize=302\r\n");
    setMtime(path, again.st_mtim);
    QCOMPARE(statOf(path).st_size, again.st_size);
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 302);

    // The same size in the same clock tick of the file system (a few milliseconds), so that
    // no time stamp changes at all: many quick rounds make sure some fall into one tick.
    for (int i = 400; i < 500; ++i) {
        writeInPlace(path, "[Option_Tab]\r\nMaxSize=" + QByteArray::number(i) + "\r\n");
        QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), i);
    }
    writeInPlace(path, "[Option_Tab]\r\nMaxSize=304\r\n");
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 304);

    // Replaced by rename with the same size and time stamps (another writer's temp file).
    const struct stat cur = statOf(path);
    home.write(S("other.tmp"), "[Option_Tab]\r\nMaxSize=305\r\n");
    setMtime(home.file(S("other.tmp")), cur.st_mtim);
    QVERIFY(::rename(QFile::encodeName(home.file(S("other.tmp"))).constData(),
                     QFile::encodeName(path).constData()) == 0);
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 305);

    // Deleted, then created again.
    QVERIFY(QFile::remove(path));
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 75);
    home.write(S("config.ini"), "[Option_Tab]\r\nMaxSize=306\r\n");
    QCOMPARE(reader.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 306);

    // Another path to the same file (a link) sees writes through the first.
    QVERIFY(QFile::link(path, home.file(S("link.ini"))));
    const IniFile viaLink(home.file(S("link.ini")));
    QCOMPARE(viaLink.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 306);
    writer.WriteInteger(S("Option_Tab"), S("MaxSize"), 307);
    QCOMPARE(viaLink.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 307);
}

void TestIniCache::oldFileChangedBehindOurBack()
{
    // A file last changed long ago is served from the cache without rereading; a change in
    // place that even restores the old modification time is still seen (the change time moves).
    TestHome home;
    const QString path = home.file(S("config.ini"));
    home.write(S("config.ini"), "[General]\r\nLastEngine=IE\r\n");
    timespec old{};
    clock_gettime(CLOCK_REALTIME, &old);
    old.tv_sec -= 3600;
    setMtime(path, old);
    // Past the window in which time stamps are not trusted (setting the time moved ctime).
    QThread::msleep(IniFile::RacyWindowMs + 200);
    const IniFile ini(path);
    QCOMPARE(ini.ReadString(S("General"), S("LastEngine"), QString()), S("IE"));
    QCOMPARE(ini.ReadString(S("General"), S("LastEngine"), QString()), S("IE"));
    writeInPlace(path, "[General]\r\nLastEngine=GK\r\n");
    setMtime(path, old);
    QCOMPARE(ini.ReadString(S("General"), S("LastEngine"), QString()), S("GK"));
}

QTEST_GUILESS_MAIN(TestIniCache)
#include "tst_IniCache.moc"

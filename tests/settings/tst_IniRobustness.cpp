// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Reading config.ini never fails hard: garbage, huge files, odd file types give defaults fast.
#include "TestHome.h"
#include "common/DorvuError.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <sys/stat.h>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class TestIniRobustness : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void binaryGarbage();
    void manyLines();
    void longLines();
    void invalidShiftJis();
    void missingFile();
    void folderInstead();
    void fifoInstead();
    void emptyAndOddNames();
    void writeIntoGarbage();

private:
    bool m_cache = true;
};

void TestIniRobustness::initTestCase()
{
    m_cache = IniFile::cacheEnabled();
}

void TestIniRobustness::cleanupTestCase()
{
    IniFile::setCacheEnabled(m_cache);
}

void TestIniRobustness::binaryGarbage()
{
    QRandomGenerator rng(12345);
    for (int round = 0; round < 50; ++round) {
        TestHome home;
        QByteArray bytes(int(rng.bounded(1, 100000)), Qt::Uninitialized);
        for (char &b : bytes)
            b = char(rng.bounded(256));
        home.write(S("config.ini"), bytes);
        const IniFile ini = IniFile::config();
        QCOMPARE(ini.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 75);
        QCOMPARE(ini.ReadString(S("General"), S("LastEngine"), S("IE")), S("IE"));
        QCOMPARE(ini.ReadBool(S("Bar"), S("JBar"), true), true);
    }
    // Garbage with a real section inside still answers that section.
    TestHome home;
    home.write(S("config.ini"), QByteArray("\x00\xff\xfe\x01[\x80]=\r\n\x00\x00", 12) +
                                    "\r\n[Option_Tab]\r\nMaxSize=120\r\n\xff\xff\x00junk");
    QCOMPARE(IniFile::config().ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 120);
}

void TestIniRobustness::manyLines()
{
    TestHome home;
    QByteArray bytes;
    bytes.reserve(3 * 1024 * 1024);
    for (int s = 0; s < 1000; ++s) {
        bytes += "[Section" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 99; ++k)
            bytes += "Key" + QByteArray::number(k) + "=" + QByteArray::number(s * 100 + k) + "\r\n";
    }
    bytes += "[Option_Tab]\r\nMaxSize=99\r\n";
    home.write(S("config.ini"), bytes); // 100,002 lines
    IniFile ini = IniFile::config();
    for (const bool cache : {true, false}) {
        IniFile::setCacheEnabled(cache);
        QElapsedTimer t;
        t.start();
        QCOMPARE(ini.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 99);
        QCOMPARE(ini.ReadInteger(S("Section999"), S("Key98"), -1), 99998);
        QCOMPARE(ini.ReadInteger(S("section0"), S("key0"), -1), 0);
        QVERIFY2(t.elapsed() < 5000, "too slow");
        qInfo("100,000 lines, cache %s: 3 reads in %lld ms", cache ? "on" : "off", t.elapsed());
    }
    IniFile::setCacheEnabled(true);
    // A write into the big file keeps every other line.
    QElapsedTimer t;
    t.start();
    ini.WriteInteger(S("Section500"), S("Key50"), -7);
    ini.WriteInteger(S("Section500"), S("NewKey"), 8);
    qInfo("2 writes into 100,000 lines in %lld ms", t.elapsed());
    QCOMPARE(ini.ReadInteger(S("Section500"), S("Key50"), 0), -7);
    QCOMPARE(ini.ReadInteger(S("Section500"), S("NewKey"), 0), 8);
    QCOMPARE(ini.ReadInteger(S("Section501"), S("Key0"), 0), 50100);
    QByteArray expected = bytes;
    expected.replace("Key50=50050\r\n", "Key50=-7\r\n");
    expected.replace("Key98=50098\r\n", "Key98=50098\r\nNewKey=8\r\n");
    QVERIFY(home.read(S("config.ini")) == expected);
}

void TestIniRobustness::longLines()
{
    TestHome home;
    const QByteArray mb(1024 * 1024, 'x');
    QByteArray bytes = "[A]\r\n" + mb + "\r\nlong=" + mb + "\r\n=" + mb + "\r\n[" + mb +
                       "]\r\nq=\"" + mb + "\"\r\n[B]\r\nk=1\r\n" + mb;
    home.write(S("config.ini"), bytes);
    IniFile ini = IniFile::config();
    QElapsedTimer t;
    t.start();
    QCOMPARE(ini.ReadString(S("A"), S("long"), QString()), QString(2047, QLatin1Char('x')));
    QCOMPARE(ini.ReadString(S("A"), S("q"), S("d")), S("d"));
    QCOMPARE(ini.ReadString(QString::fromLatin1(mb), S("q"), QString()),
             QString(2047, QLatin1Char('x')));
    QCOMPARE(ini.ReadInteger(S("B"), S("k"), 0), 1);
    QCOMPARE(ini.ReadInteger(S("A"), S("long"), 5), 5);
    qInfo("1 MB lines: 5 reads in %lld ms", t.elapsed());
    QVERIFY(t.elapsed() < 5000);
    // A long value written and read back.
    const QString longValue(100000, QLatin1Char('y'));
    ini.WriteString(S("B"), S("v"), longValue);
    QCOMPARE(ini.ReadString(S("B"), S("v"), QString()), longValue.left(2047));
    QCOMPARE(ini.ReadInteger(S("B"), S("k"), 0), 1);
}

void TestIniRobustness::invalidShiftJis()
{
    TestHome home;
    home.write(S("config.ini"), "[A\x80]\r\nk\x81=1\r\n[A]\r\nk=\x82\r\nj=\x93\r\nm=\xfc\xfc\r\n");
    IniFile ini = IniFile::config();
    QCOMPARE(ini.ReadString(S("A"), S("k"), S("d")).size(), 1);
    QCOMPARE(ini.ReadInteger(S("A"), S("k"), 3), 3);
    QCOMPARE(ini.ReadInteger(S("A"), S("j"), 3), 3);
    QCOMPARE(ini.ReadInteger(S("A"), S("m"), 3), 3);
    QCOMPARE(ini.ReadInteger(S("A"), S("missing"), 3), 3);
}

void TestIniRobustness::missingFile()
{
    TestHome home;
    IniFile ini(home.file(S("no/such/folder/config.ini")));
    QCOMPARE(ini.ReadString(S("A"), S("k"), S("d")), S("d"));
    IniFile empty{QString()};
    QCOMPARE(empty.ReadInteger(S("A"), S("k"), 9), 9);
    QVERIFY_THROWS_EXCEPTION(DorvuError, empty.WriteInteger(S("A"), S("k"), 9));
}

void TestIniRobustness::folderInstead()
{
    TestHome home;
    QVERIFY(QDir().mkpath(home.file(S("config.ini"))));
    IniFile ini = IniFile::config();
    for (const bool cache : {true, false}) {
        IniFile::setCacheEnabled(cache);
        QCOMPARE(ini.ReadString(S("A"), S("k"), S("d")), S("d"));
        QCOMPARE(ini.ReadBool(S("A"), S("k"), true), true);
    }
    IniFile::setCacheEnabled(true);
}

void TestIniRobustness::fifoInstead()
{
    TestHome home;
    const QString path = home.file(S("config.ini"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    IniFile ini(path);
    QElapsedTimer t;
    t.start();
    for (const bool cache : {true, false}) {
        IniFile::setCacheEnabled(cache);
        QCOMPARE(ini.ReadInteger(S("A"), S("k"), 4), 4); // does not hang
    }
    IniFile::setCacheEnabled(true);
    QVERIFY(t.elapsed() < 2000);
    QVERIFY_THROWS_EXCEPTION(DorvuError, ini.WriteInteger(S("A"), S("k"), 1));
}

void TestIniRobustness::emptyAndOddNames()
{
    TestHome home;
    home.write(S("config.ini"), "[A]\r\nk=1\r\n");
    IniFile ini = IniFile::config();
    QCOMPARE(ini.ReadString(QString(), QString(), S("d")), S("d"));
    QCOMPARE(ini.ReadString(S("A"), QString(), S("d")), S("d"));
    QCOMPARE(ini.ReadString(S("[A]"), S("k"), S("d")), S("d"));
}

void TestIniRobustness::writeIntoGarbage()
{
    TestHome home;
    QByteArray bytes(4096, Qt::Uninitialized);
    QRandomGenerator rng(99);
    for (char &b : bytes)
        b = char(rng.bounded(256));
    bytes.replace('[', 'x'); // no sections in the garbage
    home.write(S("config.ini"), bytes);
    IniFile ini = IniFile::config();
    ini.WriteInteger(S("Option_Tab"), S("MaxSize"), 123);
    QCOMPARE(ini.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 123);
    // The garbage is still there byte for byte, with CR LF line ends, then the new section.
    QByteArray normal = bytes;
    normal.replace("\r\n", "\n").replace('\r', '\n');
    QList<QByteArray> lines = normal.split('\n');
    if (normal.endsWith('\n'))
        lines.removeLast();
    QByteArray expected = lines.join("\r\n") + "\r\n";
    if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
        expected += "\r\n";
    expected += "[Option_Tab]\r\nMaxSize=123\r\n";
    QVERIFY(home.read(S("config.ini")) == expected);
}

QTEST_GUILESS_MAIN(TestIniRobustness)
#include "tst_IniRobustness.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The semantics of config.ini: reading, conversions, writing, the bytes on disk.
#include "TestHome.h"
#include "common/DorvuError.h"
#include "common/ProgramFolder.h"
#include "settings/IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private:
    /// A config.ini with \a bytes in a fresh folder.
    struct Fixture
    {
        TestHome home;
        IniFile ini{home.file(QStringLiteral("config.ini"))};
        explicit Fixture(const QByteArray &bytes, bool create = true)
        {
            if (create)
                home.write(QStringLiteral("config.ini"), bytes);
        }
        QByteArray bytes() const { return home.read(QStringLiteral("config.ini")); }
    };

private Q_SLOTS:
    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void parseInteger_data();
    void parseInteger();
    void write_data();
    void write();
    void writeCreatesFile();
    void writeIntegerAndBool();
    void japaneseRoundTrip();
    void foreignBytesSurviveWrite();
    void writeSameValueKeepsFile();
    void writeFailsWithPath();
    void writeNeverTouchesUnreadableFile();
    void writeSequence();
    void configIsInProgramFolder();
    void defaultsWithoutFile();
    void edgeCasesOfPart61();
};

void TestIniFile::readString_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString def = QStringLiteral("<def>");
    auto row = [](const char *name, const QByteArray &c, const char *s, const char *k,
                  const QString &e) {
        QTest::newRow(name) << c << QString::fromUtf8(s) << QString::fromUtf8(k) << e;
    };
    row("plain", "[A]\r\nk=v\r\n", "A", "k", QStringLiteral("v"));
    row("missing key", "[A]\r\nk=v\r\n", "A", "x", def);
    row("missing section", "[A]\r\nk=v\r\n", "B", "k", def);
    row("empty file", "", "A", "k", def);
    row("empty value is not the default", "[A]\r\nk=\r\n", "A", "k", QString());
    row("section case", "[OPTION_tab]\r\nk=v\r\n", "Option_Tab", "k", QStringLiteral("v"));
    row("key case", "[A]\r\nMAXsize=9\r\n", "A", "maxSIZE", QStringLiteral("9"));
    row("blanks trimmed", "[A]\r\n  k \t=  \tv w \t \r\n", "A", "k", QStringLiteral("v w"));
    row("blanks in header", "  [ A ]  \r\nk=v\r\n", "A", "k", QStringLiteral("v"));
    row("first =", "[A]\r\nk=a=b\r\n", "A", "k", QStringLiteral("a=b"));
    row("double quotes", "[A]\r\nk=\" x \"\r\n", "A", "k", QStringLiteral(" x "));
    row("single quotes", "[A]\r\nk='x'\r\n", "A", "k", QStringLiteral("x"));
    row("quotes after blanks", "[A]\r\nk=  'x'  \r\n", "A", "k", QStringLiteral("x"));
    row("unmatched quotes", "[A]\r\nk=\"x'\r\n", "A", "k", QStringLiteral("\"x'"));
    row("one quote", "[A]\r\nk=\"\r\n", "A", "k", QStringLiteral("\""));
    row("empty quotes", "[A]\r\nk=\"\"\r\n", "A", "k", QString());
    row("one pair only", "[A]\r\nk=\"\"x\"\"\r\n", "A", "k", QStringLiteral("\"x\""));
    row("inner quotes kept", "[A]\r\nk=a\"b\"\r\n", "A", "k", QStringLiteral("a\"b\""));
    row("duplicate key", "[A]\r\nk=1\r\nK=2\r\n", "A", "k", QStringLiteral("1"));
    row("duplicate section", "[A]\r\nk=1\r\n[B]\r\n[a]\r\nk=2\r\nj=3\r\n", "A", "k",
        QStringLiteral("1"));
    row("duplicate section is not read", "[A]\r\nk=1\r\n[a]\r\nj=3\r\n", "A", "j", def);
    row("key in other section", "[A]\r\nk=1\r\n[B]\r\nx=2\r\n", "B", "k", def);
    row("key before any section", "k=1\r\n[A]\r\n", "A", "k", def);
    row("LF only", "[A]\nk=v\nj=w\n", "A", "j", QStringLiteral("w"));
    row("CR only", "[A]\rk=v\rj=w\r", "A", "j", QStringLiteral("w"));
    row("mixed line ends", "[A]\r\nk=v\rj=w\nl=x", "A", "l", QStringLiteral("x"));
    row("no final line end", "[A]\r\nk=v", "A", "k", QStringLiteral("v"));
    row("comment line", "[A]\r\n;k=1\r\nk=2\r\n", "A", "k", QStringLiteral("2"));
    row("garbage around", "junk\r\n[A]\r\nnonsense\r\n=x\r\nk=v\r\n[broken\r\n", "A", "k",
        QStringLiteral("v"));
    row("header with comment", "[A] ; the A section\r\nk=v\r\n", "A", "k", QStringLiteral("v"));
    row("shift_jis value", QByteArray("[A]\r\nk=\x93\xfa\x96\x7b\x8c\xea\r\n"), "A", "k",
        S("日本語"));
    row("shift_jis trail byte 0x5C", QByteArray("[A]\r\nk=\x95\x5c\r\n"), "A", "k", S("表"));
    row("shift_jis names", QByteArray("[\x93\xfa\x96\x7b]\r\n\x8c\xea=1\r\n"), "日本", "語",
        QStringLiteral("1"));
    row("ideographic space is no blank", QByteArray("[A]\r\nk=\x81\x40x\x81\x40\r\n"), "A", "k",
        S("\u3000x\u3000"));
    row("2047 characters", "[A]\r\nk=" + QByteArray(2047, 'x') + "\r\n", "A", "k",
        QString(2047, QLatin1Char('x')));
    row("2048 cut to 2047", "[A]\r\nk=" + QByteArray(2048, 'x') + "\r\n", "A", "k",
        QString(2047, QLatin1Char('x')));
    row("quotes stripped before cut", "[A]\r\nk=\"" + QByteArray(3000, 'y') + "\"\r\n", "A", "k",
        QString(2047, QLatin1Char('y')));
    row("2047 Japanese characters", "[A]\r\nk=" + QByteArray("\x82\xa0").repeated(2100) + "\r\n",
        "A", "k", S("あ").repeated(2047));
}

void TestIniFile::readString()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    Fixture f(content);
    QCOMPARE(f.ini.ReadString(section, key, QStringLiteral("<def>")), expected);
    // A second read (from the cache) answers the same.
    QCOMPARE(f.ini.ReadString(section, key, QStringLiteral("<def>")), expected);
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");

    const int def = 75;
    QTest::newRow("decimal") << QByteArray("120") << 120;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("negative") << QByteArray("-5") << -5;
    QTest::newRow("plus sign") << QByteArray("+5") << 5;
    QTest::newRow("leading zeros") << QByteArray("0075") << 75;
    QTest::newRow("0x4B") << QByteArray("0x4B") << 75;
    QTest::newRow("0X4b") << QByteArray("0X4b") << 75;
    QTest::newRow("$4B") << QByteArray("$4B") << 75;
    QTest::newRow("$4b") << QByteArray("$4b") << 75;
    QTest::newRow("0x alone") << QByteArray("0x") << def;
    QTest::newRow("$ alone") << QByteArray("$") << def;
    QTest::newRow("0xG") << QByteArray("0xG") << def;
    QTest::newRow("hex without prefix") << QByteArray("4B") << def;
    QTest::newRow("letters") << QByteArray("abc") << def;
    QTest::newRow("yes") << QByteArray("yes") << def;
    QTest::newRow("empty") << QByteArray("") << def;
    QTest::newRow("sign only") << QByteArray("-") << def;
    QTest::newRow("double sign") << QByteArray("--5") << def;
    QTest::newRow("trailing text") << QByteArray("12px") << def;
    QTest::newRow("inner blank") << QByteArray("1 2") << def;
    QTest::newRow("blanks trimmed") << QByteArray("  42  ") << 42;
    QTest::newRow("quoted") << QByteArray("\"42\"") << 42;
    QTest::newRow("decimal point") << QByteArray("1.5") << def;
    QTest::newRow("full-width digits") << QByteArray("\x82\x50\x82\x51") << def;
    QTest::newRow("INT_MAX") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("INT_MIN") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("overflow") << QByteArray("2147483648") << def;
    QTest::newRow("negative overflow") << QByteArray("-2147483649") << def;
    QTest::newRow("huge") << QByteArray("99999999999999999999999") << def;
    QTest::newRow("hex 32 bits") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("hex 0x80000000") << QByteArray("$80000000") << int(-2147483647 - 1);
    QTest::newRow("hex overflow") << QByteArray("0x100000000") << def;
    QTest::newRow("hex leading zeros") << QByteArray("$0000000000FF") << 255;
    QTest::newRow("negative hex") << QByteArray("-$10") << -16;
    QTest::newRow("negative 0x") << QByteArray("-0x10") << -16;
}

void TestIniFile::readInteger()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    Fixture f("[Option_Tab]\r\nMaxSize=" + value + "\r\n");
    QCOMPARE(f.ini.ReadInteger(QStringLiteral("Option_Tab"), QStringLiteral("MaxSize"), 75),
             expected);
}

void TestIniFile::readBool_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("def");
    QTest::addColumn<bool>("expected");
    QTest::newRow("1") << QByteArray("Java=1") << false << true;
    QTest::newRow("0") << QByteArray("Java=0") << true << false;
    QTest::newRow("2") << QByteArray("Java=2") << false << true;
    QTest::newRow("-1") << QByteArray("Java=-1") << false << true;
    QTest::newRow("0x0") << QByteArray("Java=0x0") << true << false;
    QTest::newRow("yes, default false") << QByteArray("Java=yes") << false << false;
    QTest::newRow("yes, default true") << QByteArray("Java=yes") << true << true;
    QTest::newRow("true is no integer") << QByteArray("Java=true") << false << false;
    QTest::newRow("empty") << QByteArray("Java=") << true << true;
    QTest::newRow("missing, false") << QByteArray("") << false << false;
    QTest::newRow("missing, true") << QByteArray("") << true << true;
}

void TestIniFile::readBool()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, def);
    QFETCH(bool, expected);
    Fixture f("[Option_Security]\r\n" + content + "\r\n");
    QCOMPARE(f.ini.ReadBool(QStringLiteral("Option_Security"), QStringLiteral("Java"), def),
             expected);
}

void TestIniFile::parseInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("leading blanks") << QStringLiteral("  7") << true << 7;
    QTest::newRow("trailing blank") << QStringLiteral("7 ") << false << 0;
    QTest::newRow("-$FFFFFFFF") << QStringLiteral("-$FFFFFFFF") << true << 1;
    QTest::newRow("+$10") << QStringLiteral("+$10") << true << 16;
    QTest::newRow("$-10") << QStringLiteral("$-10") << false << 0;
    QTest::newRow("0x-1") << QStringLiteral("0x-1") << false << 0;
}

void TestIniFile::parseInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    int result = 12345;
    QCOMPARE(IniFile::parseInteger(text, &result), ok);
    QCOMPARE(result, ok ? value : 12345);
}

void TestIniFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    auto row = [](const char *name, const QByteArray &b, const char *s, const char *k,
                  const char *v, const QByteArray &a) {
        QTest::newRow(name) << b << QString::fromUtf8(s) << QString::fromUtf8(k)
                            << QString::fromUtf8(v) << a;
    };
    row("replace in place", "[A]\r\nx=1\r\nk=old\r\ny=2\r\n", "A", "k", "new",
        "[A]\r\nx=1\r\nk=new\r\ny=2\r\n");
    row("replace keeps the key's spelling", "[A]\r\n  MaxSize = 1 \r\n", "a", "MAXSIZE", "2",
        "[A]\r\nMaxSize=2\r\n");
    row("replace the first of two", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "3",
        "[A]\r\nk=3\r\nk=2\r\n");
    row("replace in the first section only", "[A]\r\nk=1\r\n[A]\r\nk=2\r\n", "A", "k", "3",
        "[A]\r\nk=3\r\n[A]\r\nk=2\r\n");
    row("new key after the section's last key", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "k", "v",
        "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\ny=2\r\n");
    row("new key before a comment of the next section", "[A]\r\nx=1\r\n; about B\r\n[B]\r\n", "A",
        "k", "v", "[A]\r\nx=1\r\nk=v\r\n; about B\r\n[B]\r\n");
    row("new key after foreign lines between keys", "[A]\r\nx=1\r\njunk\r\ny=2\r\n\r\n", "A", "k",
        "v", "[A]\r\nx=1\r\njunk\r\ny=2\r\nk=v\r\n\r\n");
    row("new key in an empty section", "[A]\r\n\r\n[B]\r\n", "A", "k", "v",
        "[A]\r\nk=v\r\n\r\n[B]\r\n");
    row("new key in the last section", "[A]\r\nx=1", "A", "k", "v", "[A]\r\nx=1\r\nk=v\r\n");
    row("new section at the end", "[A]\r\nx=1\r\n", "B", "k", "v",
        "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n");
    row("new section after a blank line", "[A]\r\nx=1\r\n\r\n", "B", "k", "v",
        "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n");
    row("new section in an empty file", "", "B", "k", "v", "[B]\r\nk=v\r\n");
    row("foreign lines untouched", ";comment\r\n\t garbage  \r\n[A]\r\n==\r\nx=1\r\n", "A", "x",
        "2", ";comment\r\n\t garbage  \r\n[A]\r\n==\r\nx=2\r\n");
    // A section without keys gets its first key right behind its header.
    row("comment is no key", "[A]\r\n;k=1\r\n", "A", "k", "2", "[A]\r\nk=2\r\n;k=1\r\n");
    row("LF becomes CR LF", "[A]\nx=1\n", "A", "x", "2", "[A]\r\nx=2\r\n");
    row("CR becomes CR LF", "[A]\rx=1\r", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n");
    row("empty value", "[A]\r\nx=1\r\n", "A", "x", "", "[A]\r\nx=\r\n");
    row("line breaks in a value stay on the line", "", "A", "k", "a\r\n[B]\nb",
        "[A]\r\nk=a  [B] b\r\n");
    row("Japanese value", "", "A", "k", "日本語", "[A]\r\nk=\x93\xfa\x96\x7b\x8c\xea\r\n");
}

void TestIniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    Fixture f(before);
    f.ini.WriteString(section, key, value);
    QCOMPARE(f.bytes(), after);
}

void TestIniFile::writeCreatesFile()
{
    Fixture f(QByteArray(), false);
    QVERIFY(!QFileInfo::exists(f.ini.path()));
    QCOMPARE(f.ini.ReadBool(QStringLiteral("General"), QStringLiteral("shutdown"), true), true);
    f.ini.WriteBool(QStringLiteral("General"), QStringLiteral("shutdown"), false);
    QVERIFY(QFileInfo::exists(f.ini.path()));
    QCOMPARE(f.bytes(), QByteArray("[General]\r\nshutdown=0\r\n"));
    QCOMPARE(f.ini.ReadBool(QStringLiteral("General"), QStringLiteral("shutdown"), true), false);
    // No temporary file is left behind.
    QCOMPARE(QDir(f.home.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("config.ini")});
}

void TestIniFile::writeIntegerAndBool()
{
    Fixture f(QByteArray(), false);
    f.ini.WriteInteger(QStringLiteral("Option_Tab"), QStringLiteral("MaxSize"), -300);
    f.ini.WriteInteger(QStringLiteral("Option_Tab"), QStringLiteral("MaxLen"), 2147483647);
    f.ini.WriteBool(QStringLiteral("Option_Tab"), QStringLiteral("fix"), true);
    f.ini.WriteBool(QStringLiteral("Option_Tab"), QStringLiteral("Len"), false);
    QCOMPARE(f.bytes(),
             QByteArray("[Option_Tab]\r\nMaxSize=-300\r\nMaxLen=2147483647\r\nfix=1\r\nLen=0\r\n"));
    QCOMPARE(f.ini.ReadInteger(QStringLiteral("Option_Tab"), QStringLiteral("MaxSize"), 75), -300);
    QCOMPARE(f.ini.ReadInteger(QStringLiteral("option_tab"), QStringLiteral("maxlen"), 0),
             2147483647);
    QCOMPARE(f.ini.ReadBool(QStringLiteral("Option_Tab"), QStringLiteral("fix"), false), true);
    QCOMPARE(f.ini.ReadBool(QStringLiteral("Option_Tab"), QStringLiteral("Len"), true), false);
}

void TestIniFile::japaneseRoundTrip()
{
    Fixture f(QByteArray(), false);
    const QString value = S("C:\\Program Files\\表示\\ソフト ①髙﨑");
    f.ini.WriteString(S("Option_StartUp"), S("Path"), value);
    QCOMPARE(f.ini.ReadString(S("Option_StartUp"), S("Path"), QString()), value);
    // On disk: Shift_JIS, CR LF.
    const QByteArray bytes = f.bytes();
    QVERIFY(bytes.endsWith("\r\n"));
    QVERIFY(bytes.contains("\x95\x5c\x8e\xa6")); // 表示
    QVERIFY(!bytes.contains("\xe8\xa1\xa8"));    // not UTF-8
    // A character CP932 cannot hold is written as "?".
    f.ini.WriteString(S("A"), S("k"), S("€x"));
    QCOMPARE(f.ini.ReadString(S("A"), S("k"), QString()), S("?x"));
}

void TestIniFile::foreignBytesSurviveWrite()
{
    // Invalid Shift_JIS, a truncated lead byte and control characters in foreign lines and in
    // other values come back byte for byte.
    // "\x87\x9b" and "\xed\x40" are second codes of characters that encode elsewhere
    // ("\x81\xbe", "\xfa\x5c"): untouched lines keep them.
    const QByteArray before("\xff\xfe garbage \x80\x87\x9b\r\n[A]\r\nj=\x82\xed\x40\r\nx=1\r\n"
                            "\x01\x02\r\n");
    Fixture f(before);
    f.ini.WriteString(S("A"), S("x"), S("2"));
    QByteArray expected = before;
    expected.replace("x=1", "x=2");
    QCOMPARE(f.bytes(), expected);
}

void TestIniFile::writeSameValueKeepsFile()
{
    Fixture f("[A]\r\nk=v\r\n");
    const QFileInfo before(f.ini.path());
    const QDateTime mtime = before.fileTime(QFileDevice::FileModificationTime);
    // A rewrite must be able to show as a later modification time.
    QTest::qWait(20);
    f.ini.WriteString(S("A"), S("k"), S("v"));
    QCOMPARE(f.bytes(), QByteArray("[A]\r\nk=v\r\n"));
    QCOMPARE(QFileInfo(f.ini.path()).fileTime(QFileDevice::FileModificationTime), mtime);
}

void TestIniFile::writeFailsWithPath()
{
    TestHome home;
    // A folder that cannot exist: its parent is a file.
    home.write(S("file"), "x");
    const QString path = home.file(S("file/config.ini"));
    IniFile ini(path);
    try {
        ini.WriteString(S("A"), S("k"), S("v"));
        QFAIL("no error");
    } catch (const DorvuError &e) {
        QCOMPARE(e.message(), path + S(" に書き込めません"));
    }
    // Reads are still fine.
    QCOMPARE(ini.ReadString(S("A"), S("k"), S("d")), S("d"));

    // A relative path is reported in full.
    IniFile relative(S("no-such-folder-dorvu/config.ini"));
    try {
        relative.WriteString(S("A"), S("k"), S("v"));
        QFAIL("no error");
    } catch (const DorvuError &e) {
        QCOMPARE(e.message(),
                 QDir::currentPath() + S("/no-such-folder-dorvu/config.ini に書き込めません"));
    }
}

void TestIniFile::writeNeverTouchesUnreadableFile()
{
    // A folder in place of config.ini: reads give defaults, writes fail, nothing is replaced.
    TestHome home;
    QVERIFY(QDir().mkpath(home.file(S("config.ini"))));
    IniFile ini(home.file(S("config.ini")));
    QCOMPARE(ini.ReadInteger(S("A"), S("k"), 7), 7);
    QVERIFY_THROWS_EXCEPTION(DorvuError, ini.WriteInteger(S("A"), S("k"), 1));
    QVERIFY(QFileInfo(home.file(S("config.ini"))).isDir());
}

void TestIniFile::writeSequence()
{
    // Keys written one after another in a fresh file land in order, sections in order.
    Fixture f(QByteArray(), false);
    f.ini.WriteString(S("General"), S("LastEngine"), S("IE"));
    f.ini.WriteInteger(S("General"), S("WinSize"), 1);
    f.ini.WriteBool(S("Bar"), S("ToolBar"), true);
    f.ini.WriteInteger(S("General"), S("LastMojiSize"), 2);
    f.ini.WriteString(S("general"), S("lastengine"), S("Gecko"));
    QCOMPARE(f.bytes(),
             QByteArray("[General]\r\nLastEngine=Gecko\r\nWinSize=1\r\nLastMojiSize=2\r\n"
                        "\r\n[Bar]\r\nToolBar=1\r\n"));
}

void TestIniFile::configIsInProgramFolder()
{
    TestHome home;
    QCOMPARE(IniFile::config().path(), home.file(S("config.ini")));
    IniFile::config().WriteInteger(S("Option_Tab"), S("MaxSize"), 100);
    QCOMPARE(home.read(S("config.ini")), QByteArray("[Option_Tab]\r\nMaxSize=100\r\n"));
    QCOMPARE(IniFile::config().ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 100);
}

void TestIniFile::defaultsWithoutFile()
{
    TestHome home;
    const IniFile ini = IniFile::config();
    QCOMPARE(ini.ReadString(S("General"), S("LastEngine"), S("IE")), S("IE"));
    QCOMPARE(ini.ReadInteger(S("Option_Main"), S("Mozilla"), 0), 0);
    QCOMPARE(ini.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 75);
    QCOMPARE(ini.ReadBool(S("Bar"), S("JBar"), true), true);
    QCOMPARE(ini.ReadInteger(S("Bar"), S("JBarSize"), 153), 153);
    QVERIFY(!QFileInfo::exists(home.file(S("config.ini"))));
}

void TestIniFile::edgeCasesOfPart61()
{
    Fixture f("[Option_Tab]\r\nfix=2\r\nMaxSize=$4B\r\n[Option_Window]\r\nBookMark=2\r\n"
              "[Option_Security]\r\nJava=yes\r\nScript=-1\r\n[General]\r\nLastEngine=ie\r\n"
              "[Option_StartUp]\r\nType=7\r\n");
    // The dialog reads fix as a boolean, the main window as an integer tested for 1.
    QCOMPARE(f.ini.ReadBool(S("Option_Tab"), S("fix"), false), true);
    QCOMPARE(f.ini.ReadInteger(S("Option_Tab"), S("fix"), 0), 2);
    QCOMPARE(f.ini.ReadInteger(S("Option_Tab"), S("MaxSize"), 75), 75);
    QCOMPARE(f.ini.ReadBool(S("Option_Window"), S("BookMark"), false), true);
    QCOMPARE(f.ini.ReadBool(S("Option_Security"), S("Java"), false), false);
    QCOMPARE(f.ini.ReadBool(S("Option_Security"), S("Script"), false), true);
    QCOMPARE(f.ini.ReadString(S("General"), S("LastEngine"), S("IE")), S("ie"));
    QCOMPARE(f.ini.ReadInteger(S("Option_StartUp"), S("Type"), 0), 7);
    f.ini.WriteInteger(S("Option_Tab"), S("MaxSize"), 0x4B);
    QCOMPARE(f.ini.ReadString(S("Option_Tab"), S("MaxSize"), QString()), S("75"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_IniFile.moc"

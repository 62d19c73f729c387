// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BookMarkDescribe.h"
#include "TestHome.h"
#include "bookmarks/BookMarkFile.h"
#include "common/DorvuError.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

BookMarkNode entry(const QString &name, const QString &url)
{
    return BookMarkNode{name, url, BookMarkNode::EntryImage, {}};
}

BookMarkNode folder(const QString &name, const QList<BookMarkNode> &children)
{
    return BookMarkNode{name, QString(), BookMarkNode::FolderImage, children};
}

QByteArray crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

const QString Head = QStringLiteral(R"(<?xml version="1.0" encoding="Shift_JIS"?>)");

} // namespace

class tst_BookMarkFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exampleByteForByte();
    void emptyTreeIsThreeLines();
    void read_data();
    void read();
    void roundTrip_data();
    void roundTrip();
    void invalidShiftJisBytesSurvive();
    void missingFileIsEmptyButUnreadableFails();
    void hugeAndDeepFiles();
};

void tst_BookMarkFile::exampleByteForByte()
{
    TestHome home;
    const QList<BookMarkNode> tree{
        folder(QStringLiteral("News"),
               {entry(QStringLiteral("Site A"), QStringLiteral("http://a.example/"))}),
        entry(QStringLiteral("Site B"), QStringLiteral("http://b.example/"))};
    BookMarkFile::save(home.file(QStringLiteral("BookMark.xml")), tree);
    const QByteArray expected =
        crlf({Head, QStringLiteral("<bookmark>"), QStringLiteral("  <directory>"),
              QStringLiteral("    <name>News</name>"), QStringLiteral("    <file>"),
              QStringLiteral("      <name>Site A</name>"),
              QStringLiteral("      <url>http://a.example/</url>"), QStringLiteral("    </file>"),
              QStringLiteral("  </directory>"), QStringLiteral("  <file>"),
              QStringLiteral("    <name>Site B</name>"),
              QStringLiteral("    <url>http://b.example/</url>"), QStringLiteral("  </file>"),
              QStringLiteral("</bookmark>")});
    QCOMPARE(home.read(QStringLiteral("BookMark.xml")), expected);
    QCOMPARE(BookMarkFile::load(home.file(QStringLiteral("BookMark.xml"))), tree);
}

void tst_BookMarkFile::emptyTreeIsThreeLines()
{
    QCOMPARE(BookMarkFile::fileLines({}),
             QStringList({Head, QStringLiteral("<bookmark>"), QStringLiteral("</bookmark>")}));
}

void tst_BookMarkFile::read_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("tree");
    QTest::newRow("empty folder reads as plain node")
        << QStringList{QStringLiteral("<file>"), QStringLiteral("<name>F</name>"),
                       QStringLiteral("</file>")}
        << QStringLiteral("F");
    QTest::newRow("</name> cuts the name")
        << QStringList{QStringLiteral("<name>a</name>b</name>"), QStringLiteral("<url>u</url>")}
        << QStringLiteral("a=u");
    QTest::newRow("no closing marker gives empty values")
        << QStringList{QStringLiteral("<name>a"), QStringLiteral("<url>u")} << QStringLiteral("=");
    QTest::newRow("url and name on one line: url goes to the node before")
        << QStringList{QStringLiteral("<name>A</name>"), QStringLiteral("</file>"),
                       QStringLiteral("<url>x</url><name>B</name>")}
        << QStringLiteral("A=x,B");
    QTest::newRow("indentation, blank and unknown lines ignored")
        << QStringList{QString(),
                       QStringLiteral("<directory>"),
                       QStringLiteral("        <name>D</name>"),
                       QStringLiteral("junk"),
                       QStringLiteral("<name>E</name>"),
                       QString(),
                       QStringLiteral("\t<url>e</url>  "),
                       QStringLiteral("</file>"),
                       QStringLiteral("</directory>"),
                       QStringLiteral("<name>F</name>"),
                       QStringLiteral("<url>f</url>"),
                       QStringLiteral("</file>")}
        << QStringLiteral("D/(E=e),F=f");
    QTest::newRow("text after </bookmark> is still read")
        << QStringList{QStringLiteral("</bookmark>"), QStringLiteral("<name>late</name>")}
        << QStringLiteral("late");
    QTest::newRow("two levels close at once")
        << QStringList{QStringLiteral("<name>A</name>"), QStringLiteral("<name>B</name>"),
                       QStringLiteral("<name>C</name>"), QStringLiteral("<url>c</url>"),
                       QStringLiteral("</file>"),        QStringLiteral("</directory>"),
                       QStringLiteral("</directory>"),   QStringLiteral("<name>D</name>")}
        << QStringLiteral("A/(B/(C=c)),D");
    QTest::newRow("</directory> with nothing open is ignored")
        << QStringList{QStringLiteral("</directory>"),   QStringLiteral("</directory>"),
                       QStringLiteral("<name>A</name>"), QStringLiteral("</file>"),
                       QStringLiteral("</directory>"),   QStringLiteral("</directory>"),
                       QStringLiteral("<name>B</name>")}
        << QStringLiteral("A,B");
    QTest::newRow("<url> before any <name> is ignored")
        << QStringList{QStringLiteral("<url>lost</url>"), QStringLiteral("<name>A</name>")}
        << QStringLiteral("A");
    QTest::newRow("NUL characters are text")
        << QStringList{QStringLiteral("<name>a") + QChar(0) + QStringLiteral("b</name>"),
                       QChar(0) + QStringLiteral("<url>u</url>")}
        << QStringLiteral("a") + QChar(0) + QStringLiteral("b=u");
}

void tst_BookMarkFile::read()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, tree);
    QCOMPARE(describe(BookMarkFile::read(lines)), tree);
}

void tst_BookMarkFile::roundTrip_data()
{
    QTest::addColumn<QList<BookMarkNode>>("tree");
    QTest::newRow("ampersand and angle brackets unchanged") << QList<BookMarkNode>{
        entry(QStringLiteral("A & B <c> \"q\""), QStringLiteral("http://x/?a=1&b=<2>"))};
    QTest::newRow("Japanese names") << QList<BookMarkNode>{folder(
        QStringLiteral("ニュース"), {entry(QStringLiteral("表示"), QStringLiteral("http://j/"))})};
    QTest::newRow("order kept at every level") << QList<BookMarkNode>{
        folder(QStringLiteral("z"),
               {entry(QStringLiteral("3"), QStringLiteral("u3")),
                entry(QStringLiteral("1"), QStringLiteral("u1")),
                folder(QStringLiteral("2"), {entry(QStringLiteral("b"), QString()),
                                             entry(QStringLiteral("a"), QString())})}),
        entry(QStringLiteral("a"), QStringLiteral("ua")),
        folder(QStringLiteral("m"), {entry(QStringLiteral("x"), QStringLiteral("ux"))})};
    QTest::newRow("folder holding a folder last") << QList<BookMarkNode>{
        entry(QStringLiteral("a"), QStringLiteral("ua")),
        folder(QStringLiteral("f"),
               {folder(QStringLiteral("g"), {entry(QStringLiteral("h"), QStringLiteral("uh"))})})};
}

void tst_BookMarkFile::roundTrip()
{
    QFETCH(QList<BookMarkNode>, tree);
    TestHome home;
    const QString path = home.file(QStringLiteral("BookMark.xml"));
    BookMarkFile::save(path, tree);
    QCOMPARE(describe(BookMarkFile::load(path)), describe(tree));
    QCOMPARE(BookMarkFile::load(path), tree);
}

void tst_BookMarkFile::invalidShiftJisBytesSurvive()
{
    TestHome home;
    // A lone lead byte, a byte CP932 never uses and a half-width katakana; LF and lone CR ends.
    const QByteArray bytes = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<bookmark>\n"
                             "  <file>\r    <name>\x81 \xA0\xB1 \x82\xA0</name>\r\n"
                             "    <url>http://x/\xFF\xFD</url>\r\n  </file>\r\n</bookmark>\r\n";
    home.write(QStringLiteral("in.xml"), bytes);
    const QList<BookMarkNode> tree = BookMarkFile::load(home.file(QStringLiteral("in.xml")));
    QCOMPARE(tree.size(), 1);
    BookMarkFile::save(home.file(QStringLiteral("out.xml")), tree);
    const QByteArray out = home.read(QStringLiteral("out.xml"));
    QVERIFY(out.contains("    <name>\x81 \xA0\xB1 \x82\xA0</name>\r\n"));
    QVERIFY(out.contains("    <url>http://x/\xFF\xFD</url>\r\n"));
}

void tst_BookMarkFile::missingFileIsEmptyButUnreadableFails()
{
    TestHome home;
    QVERIFY(BookMarkFile::load(home.file(QStringLiteral("BookMark.xml"))).isEmpty());
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("BookMark.xml")));
    QVERIFY_THROWS_EXCEPTION(DorvuError,
                             BookMarkFile::load(home.file(QStringLiteral("BookMark.xml"))));
    // A failed save leaves the old file whole.
    home.write(QStringLiteral("ro/BookMark.xml"), "old");
    QFile::setPermissions(home.file(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(home.file(QStringLiteral("ro"))).isWritable())
        QSKIP("running as a user who may write anywhere");
    QVERIFY_THROWS_EXCEPTION(DorvuError,
                             BookMarkFile::save(home.file(QStringLiteral("ro/BookMark.xml")),
                                                {entry(QStringLiteral("a"), QStringLiteral("b"))}));
    QCOMPARE(home.read(QStringLiteral("ro/BookMark.xml")), QByteArray("old"));
}

void tst_BookMarkFile::hugeAndDeepFiles()
{
    // Names each opening a level below the one before: the deepest nesting kept is read whole,
    // one level more stops the reader there.
    const auto depthOf = [](const QList<BookMarkNode> &tree) {
        int depth = 0;
        for (const QList<BookMarkNode> *level = &tree; !level->isEmpty();
             level = &level->first().children)
            ++depth;
        return depth;
    };
    QStringList deep(BookMarkNode::MaxDepth, QStringLiteral("<name>n</name>"));
    bool complete = false;
    QCOMPARE(depthOf(BookMarkFile::read(deep, &complete)), BookMarkNode::MaxDepth);
    QVERIFY(complete);
    deep.append(QStringLiteral("<name>n</name>"));
    QCOMPARE(depthOf(BookMarkFile::read(deep, &complete)), BookMarkNode::MaxDepth);
    QVERIFY(!complete);

    // 100,000 nested folders: refused with a message, the file left as it is.
    TestHome home;
    QByteArray nested = "<bookmark>\r\n";
    for (int i = 0; i < 100000; ++i)
        nested += "<directory>\r\n<name>d</name>\r\n";
    home.write(QStringLiteral("BookMark.xml"), nested);
    try {
        BookMarkFile::load(home.file(QStringLiteral("BookMark.xml")));
        QFAIL("a file nested too deep was read");
    } catch (const DorvuError &error) {
        QVERIFY2(error.message().contains(QString::number(BookMarkNode::MaxDepth)),
                 qPrintable(error.message()));
    }
    QCOMPARE(home.read(QStringLiteral("BookMark.xml")), nested);

    // About 50 MB of entries.
    QByteArray big;
    big.reserve(52 * 1024 * 1024);
    const QByteArray block = "  <file>\r\n    <name>\x95\x5C\x8E\xA6 entry</name>\r\n"
                             "    <url>http://example.com/some/long/path</url>\r\n  </file>\r\n";
    while (big.size() < 50 * 1024 * 1024)
        big += block;
    home.write(QStringLiteral("BookMark.xml"), big);
    QElapsedTimer timer;
    timer.start();
    const QList<BookMarkNode> many = BookMarkFile::load(home.file(QStringLiteral("BookMark.xml")));
    QCOMPARE(many.size(), int(big.size() / block.size()));
    QCOMPARE(many.last().text, QStringLiteral("表示 entry"));
    qInfo("50 MB read in %lld ms", timer.elapsed());
}

QTEST_GUILESS_MAIN(tst_BookMarkFile)
#include "tst_BookMarkFile.moc"

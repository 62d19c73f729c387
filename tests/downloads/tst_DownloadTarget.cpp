// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Where a download is written: its name, a free name beside other files, its partial file.
#include "downloads/DownloadTarget.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class tst_DownloadTarget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileName_data();
    void fileName();
    void freePath_data();
    void freePath();
    void partialPathSkipsLeftovers();
    void folderIsTheConfiguredOneOrTheUsers();
};

void tst_DownloadTarget::fileName_data()
{
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");
    QTest::newRow("suggestion") << S("report.pdf") << S("http://h/x") << S("report.pdf");
    QTest::newRow("japanese") << S("資料 1.zip") << S("http://h/x") << S("資料 1.zip");
    QTest::newRow("from address") << S("") << S("http://h/dir/a%20b.tar.gz?q=1") << S("a b.tar.gz");
    QTest::newRow("separators") << S("../../etc/passwd") << S("http://h/") << S(".._.._etc_passwd");
    QTest::newRow("control") << S("a\nb") << S("http://h/") << S("a_b");
    QTest::newRow("nothing") << S("") << S("http://h/") << S("download");
    QTest::newRow("dots") << S("..") << S("http://h/") << S("download");
}

void tst_DownloadTarget::fileName()
{
    QFETCH(QString, suggested);
    QFETCH(QString, url);
    QFETCH(QString, name);
    QCOMPARE(DownloadTarget::fileName(suggested, QUrl(url)), name);
}

void tst_DownloadTarget::freePath_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("free") << QStringList() << QStringList() << S("a.txt") << S("a.txt");
    QTest::newRow("exists") << QStringList{S("a.txt")} << QStringList() << S("a.txt")
                            << S("a (1).txt");
    QTest::newRow("twice") << QStringList{S("a.txt"), S("a (1).txt")} << QStringList() << S("a.txt")
                           << S("a (2).txt");
    QTest::newRow("partial left") << QStringList{S("a.txt.part")} << QStringList() << S("a.txt")
                                  << S("a (1).txt");
    QTest::newRow("running") << QStringList() << QStringList{S("a.txt")} << S("a.txt")
                             << S("a (1).txt");
    QTest::newRow("archive") << QStringList{S("x.tar.gz")} << QStringList() << S("x.tar.gz")
                             << S("x (1).tar.gz");
    QTest::newRow("no suffix") << QStringList{S("README")} << QStringList() << S("README")
                               << S("README (1)");
    QTest::newRow("hidden") << QStringList{S(".profile")} << QStringList() << S(".profile")
                            << S(".profile (1)");
}

void tst_DownloadTarget::freePath()
{
    QFETCH(QStringList, present);
    QFETCH(QStringList, taken);
    QFETCH(QString, name);
    QFETCH(QString, chosen);
    QTemporaryDir dir;
    for (const QString &file : present) {
        QFile f(dir.filePath(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    for (QString &path : taken)
        path = dir.filePath(path);
    QCOMPARE(DownloadTarget::freePath(dir.path(), name, taken), dir.filePath(chosen));
}

void tst_DownloadTarget::partialPathSkipsLeftovers()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("a.bin"));
    QCOMPARE(DownloadTarget::partialPath(target), QString(target + QStringLiteral(".part")));
    QFile left(target + QStringLiteral(".part"));
    QVERIFY(left.open(QIODevice::WriteOnly));
    QCOMPARE(DownloadTarget::partialPath(target), QString(target + QStringLiteral(".1.part")));
}

void tst_DownloadTarget::folderIsTheConfiguredOneOrTheUsers()
{
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    QCOMPARE(DownloadTarget::folder(QStringLiteral("/srv/x/")), QStringLiteral("/srv/x"));
    // The user's folder even before it exists: the download makes it.
    QCOMPARE(DownloadTarget::folder(QString()), home.filePath(QStringLiteral("Downloads")));
}

QTEST_GUILESS_MAIN(tst_DownloadTarget)
#include "tst_DownloadTarget.moc"

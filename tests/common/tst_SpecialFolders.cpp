// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The folder browser's well-known folders on this desktop, and its fallbacks.
#include "common/SpecialFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace SpecialFolders;

class tst_SpecialFolders : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void userDirs_data();
    void userDirs();
    void places_data();
    void places();
    void resolveFallsBack_data();
    void resolveFallsBack();
};

void tst_SpecialFolders::userDirs_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("desktop");
    QTest::newRow("home relative") << QByteArray("XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n")
                                   << QStringLiteral("/h/デスクトップ");
    QTest::newRow("absolute, blanks")
        << QByteArray("  XDG_DESKTOP_DIR=\"/data/desk/\"  \n") << QStringLiteral("/data/desk");
    QTest::newRow("first counts")
        << QByteArray("XDG_DESKTOP_DIR=\"$HOME/a\"\nXDG_DESKTOP_DIR=\"$HOME/b\"\n")
        << QStringLiteral("/h/a");
    QTest::newRow("comment") << QByteArray("# XDG_DESKTOP_DIR=\"/x\"\n") << QStringLiteral("/fb");
    QTest::newRow("relative") << QByteArray("XDG_DESKTOP_DIR=\"desk\"\n") << QStringLiteral("/fb");
    QTest::newRow("other key") << QByteArray("XDG_DESKTOP_DIRX=\"/x\"\n") << QStringLiteral("/fb");
    QTest::newRow("home itself") << QByteArray("XDG_DESKTOP_DIR=\"$HOME\"") << QStringLiteral("/h");
}

void tst_SpecialFolders::userDirs()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, desktop);
    QCOMPARE(userDir(text, "XDG_DESKTOP_DIR", QStringLiteral("/h"), QStringLiteral("/fb")),
             desktop);
}

void tst_SpecialFolders::places_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("csidl");
    QTest::addColumn<QString>("path");
    QTest::newRow("desktop") << 0 << 0 << "/h/Desk";
    QTest::newRow("manual") << 1 << 0 << "/h/Desk";
    QTest::newRow("drives") << 2 << 17 << "/";
    QTest::newRow("desktop dir") << 3 << 16 << "/h/Desk";
    QTest::newRow("favourites") << 4 << 6 << "/h/Favorites";
    QTest::newRow("programs") << 5 << 2 << "/d/applications";
    QTest::newRow("recent") << 6 << 8 << "";
    QTest::newRow("send to") << 7 << 9 << "";
    QTest::newRow("start menu") << 8 << 11 << "/d/applications";
    QTest::newRow("startup") << 9 << 7 << "/c/autostart";
    QTest::newRow("templates") << 10 << 21 << "/h/Vorlagen";
    QTest::newRow("out of range") << 11 << 0 << "/h/Desk";
}

void tst_SpecialFolders::places()
{
    QFETCH(int, position);
    QFETCH(int, csidl);
    QFETCH(QString, path);
    const Places p{QStringLiteral("/h"), QStringLiteral("/h/Desk"), QStringLiteral("/h/Vorlagen"),
                   QStringLiteral("/d"), QStringLiteral("/c")};
    QCOMPARE(int(csidlAt(position)), csidl);
    QCOMPARE(SpecialFolders::path(csidlAt(position), p), path);
}

void tst_SpecialFolders::resolveFallsBack_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("manual");
    QTest::addColumn<bool>("asRoot");
    QTest::addColumn<QString>("folder"); // "<tmp>" stands for the temporary folder
    QTest::newRow("manual folder") << 1 << "<tmp>/sub" << false << "<tmp>/sub";
    QTest::newRow("manual missing") << 1 << "<tmp>/none" << false << "<tmp>/Desk";
    QTest::newRow("manual is a file") << 1 << "<tmp>/file" << false << "<tmp>/Desk";
    QTest::newRow("manual missing, root") << 1 << "<tmp>/none" << true << "";
    QTest::newRow("desktop root is the top") << 0 << "" << true << "";
    QTest::newRow("recent selects desktop") << 6 << "" << false << "<tmp>/Desk";
    QTest::newRow("send-to root is the top") << 7 << "" << true << "";
    QTest::newRow("missing favourites") << 4 << "" << false << "<tmp>/Desk";
    QTest::newRow("drives root") << 2 << "" << true << "/";
}

void tst_SpecialFolders::resolveFallsBack()
{
    QFETCH(int, position);
    QFETCH(QString, manual);
    QFETCH(bool, asRoot);
    QFETCH(QString, folder);
    QTemporaryDir tmp;
    QVERIFY(QDir(tmp.path()).mkpath(QStringLiteral("sub")));
    QVERIFY(QDir(tmp.path()).mkpath(QStringLiteral("Desk")));
    QFile file(tmp.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const Places p{tmp.path(), tmp.path() + QStringLiteral("/Desk"), QString(), tmp.path(),
                   tmp.path()};
    manual.replace(QStringLiteral("<tmp>"), tmp.path());
    folder.replace(QStringLiteral("<tmp>"), tmp.path());
    QCOMPARE(resolve(position, manual, p, asRoot), folder);
}

QTEST_GUILESS_MAIN(tst_SpecialFolders)
#include "tst_SpecialFolders.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Where our file dialogs start: never the folder the program happened to be started in.
#include "common/DialogFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class tst_DialogFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsInDownloadsThenWhereTheUserWent();
};

void tst_DialogFolder::startsInDownloadsThenWhereTheUserWent()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    DialogFolder::reset();
    // No download folder: home.
    QCOMPARE(DialogFolder::start(), home.path());
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Downloads")));
    QCOMPARE(DialogFolder::suggest(QStringLiteral("a.html")),
             home.filePath(QStringLiteral("Downloads/a.html")));
    // A cancelled dialog changes nothing; a chosen file's folder is next.
    DialogFolder::remember(QString());
    QCOMPARE(DialogFolder::start(), home.filePath(QStringLiteral("Downloads")));
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("docs")));
    DialogFolder::remember(home.filePath(QStringLiteral("docs/b.txt")));
    QCOMPARE(DialogFolder::start(), home.filePath(QStringLiteral("docs")));
    // A folder that has gone since falls back.
    QVERIFY(QDir(home.filePath(QStringLiteral("docs"))).removeRecursively());
    QCOMPARE(DialogFolder::start(), home.filePath(QStringLiteral("Downloads")));
}

QTEST_GUILESS_MAIN(tst_DialogFolder)
#include "tst_DialogFolder.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "browser/ClosedUrlList.h"
#include "common/DorvuError.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>

class tst_ClosedUrlList : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:

    void elevenAppendsKeepTheLastTen();
    void duplicatesAndEmptyTextsAreKept();
    void saveWritesShiftJisWithCrLf();
    void saveOfEmptyListWritesEmptyFile();
    void saveFailureIsReportedAndKeepsOldFile();

private:
};

void tst_ClosedUrlList::elevenAppendsKeepTheLastTen()
{
    ClosedUrlList list;
    QStringList expected;
    for (int i = 1; i <= 11; ++i) {
        list.append(QStringLiteral("http://h/%1").arg(i));
        if (i > 1)
            expected.append(QStringLiteral("http://h/%1").arg(i));
    }
    QCOMPARE(list.entries(), expected);
}

void tst_ClosedUrlList::duplicatesAndEmptyTextsAreKept()
{
    ClosedUrlList list;
    list.append(QStringLiteral("http://same/"));
    list.append(QString());
    list.append(QStringLiteral("http://same/"));
    QCOMPARE(list.entries(), QStringList({QStringLiteral("http://same/"), QString(),
                                          QStringLiteral("http://same/")}));
}

void tst_ClosedUrlList::saveWritesShiftJisWithCrLf()
{
    ClosedUrlList list;
    list.append(QStringLiteral("http://a/"));
    list.append(QStringLiteral("C:/ページ.html"));
    list.save();
    QCOMPARE(m_home->read(QStringLiteral("Close.txt")),
             QByteArray("http://a/\r\nC:/\x83\x79\x81\x5B\x83\x57.html\r\n"));
}

void tst_ClosedUrlList::saveOfEmptyListWritesEmptyFile()
{
    m_home->write(QStringLiteral("Close.txt"), "old\r\n");
    ClosedUrlList().save();
    QCOMPARE(m_home->read(QStringLiteral("Close.txt")), QByteArray());
}

void tst_ClosedUrlList::saveFailureIsReportedAndKeepsOldFile()
{
    // A folder in the way of Close.txt cannot be replaced by the rename.
    QVERIFY(QDir(m_home->path()).mkpath(QStringLiteral("Close.txt/inner")));
    ClosedUrlList list;
    list.append(QStringLiteral("http://a/"));
    try {
        list.save();
        QFAIL("a failed write was not reported");
    } catch (const DorvuError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("に書き込めません")), qPrintable(e.message()));
    }
    QVERIFY(QFileInfo(m_home->file(QStringLiteral("Close.txt"))).isDir());
}

QTEST_GUILESS_MAIN(tst_ClosedUrlList)
#include "tst_ClosedUrlList.moc"

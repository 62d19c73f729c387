// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "history/HistoryRules.h"
#include "history/HistoryStore.h"

#include <QDateTime>
#include <QDir>
#include <QSqlDatabase>
#include <QtTest>

namespace {

constexpr qint64 Day = 86400000;

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class tst_HistoryStore : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void visitsSurviveReopen();
    void notRecorded_data();
    void notRecorded();
    void expiredEntriesDropped();
    void deletionsSurviveReopen();
    void searchFoldsText_data();
    void searchFoldsText();
    void damagedFileSetAside_data();
    void damagedFileSetAside();

private:
    QString dbPath() const { return m_home->file(QStringLiteral("History.db")); }
};

void tst_HistoryStore::visitsSurviveReopen()
{
    {
        HistoryStore store;
        QVERIFY(store.open(dbPath(), 90).isEmpty());
        store.recordVisit(S("http://a.test/"), S("A"));
        store.recordVisit(S("http://a.test/"), QString());
        store.updateTitle(S("http://a.test/"), S("A2"));
        store.recordVisit(S("http://b.test/"), S("B"));
        // Written by the batch timer, without an explicit flush.
        QTRY_COMPARE(store.pendingCount(), 0);
    }
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther;
    QCOMPARE(QFile::permissions(dbPath()) & others, QFileDevice::Permissions());
    HistoryStore store;
    QVERIFY(store.open(dbPath(), 90).isEmpty());
    QCOMPARE(store.index().count(), 2);
    const HistoryEntry *a = store.index().find(S("http://a.test/"));
    QVERIFY(a);
    QCOMPARE(a->visits, 2);
    QCOMPARE(a->title, S("A2"));
}

void tst_HistoryStore::notRecorded_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("about:blank") << S("about:blank") << true;
    QTest::newRow("data") << S("data:text/html,x") << true;
    QTest::newRow("javascript") << S("javascript:void(0)") << true;
    QTest::newRow("switched off") << S("http://a.test/") << false;
}

void tst_HistoryStore::notRecorded()
{
    QFETCH(QString, url);
    QFETCH(bool, enabled);
    HistoryStore store;
    store.open(dbPath(), 90);
    store.setEnabled(enabled);
    store.recordVisit(url, S("t"));
    store.flush();
    QCOMPARE(store.index().count(), 0);
}

void tst_HistoryStore::expiredEntriesDropped()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    {
        HistoryStore store;
        store.open(dbPath(), 90);
        store.setClock([now] { return now - 100 * Day; });
        store.recordVisit(S("http://old.test/"), S("old"));
        store.setClock([now] { return now - 10 * Day; });
        store.recordVisit(S("http://recent.test/"), S("recent"));
    }
    HistoryStore store;
    store.open(dbPath(), 90);
    QCOMPARE(store.index().count(), 1);
    QVERIFY(store.index().find(S("http://recent.test/")));
    store.open(dbPath(), 5);
    QCOMPARE(store.index().count(), 0);
}

void tst_HistoryStore::deletionsSurviveReopen()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    {
        HistoryStore store;
        store.open(dbPath(), 90);
        for (const char *url : {"http://a.test/", "http://b.test/", "http://c.test/"})
            store.recordVisit(S(url), QString());
        store.setClock([now] { return now - 3 * Day; });
        store.recordVisit(S("http://d.test/"), QString());
        store.remove(S("http://a.test/"));
        store.removeDay(HistoryRules::dayOf(now));
    }
    HistoryStore store;
    store.open(dbPath(), 90);
    QCOMPARE(store.index().count(), 1);
    QVERIFY(store.index().find(S("http://d.test/")));
    store.clear();
    store.open(dbPath(), 90);
    QCOMPARE(store.index().count(), 0);
}

void tst_HistoryStore::searchFoldsText_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("typed");
    QTest::newRow("kanji") << S("日本語のページ") << S("日本語");
    QTest::newRow("case") << S("Example Domain") << S("eXAMPLE");
    QTest::newRow("full-width typed") << S("abc news") << S("ＡＢＣ");
    QTest::newRow("full-width title") << S("ＡＢＣニュース") << S("abc");
    QTest::newRow("half-width kana") << S("テスト") << S("ﾃｽﾄ");
}

void tst_HistoryStore::searchFoldsText()
{
    QFETCH(QString, title);
    QFETCH(QString, typed);
    HistoryStore store;
    store.open(dbPath(), 90);
    store.recordVisit(S("http://hit.test/"), title);
    store.recordVisit(S("http://miss.test/"), S("other"));
    const QList<HistoryEntry> found = store.index().search(typed);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().url, S("http://hit.test/"));
}

void tst_HistoryStore::damagedFileSetAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("keep");
    QTest::newRow("garbage") << QByteArray(8192, '\x5a') << -1;
    QTest::newRow("text") << QByteArray("not a database\r\n") << -1;
    QTest::newRow("first page only") << QByteArray() << 6000;
    QTest::newRow("truncated") << QByteArray() << 40000;
}

void tst_HistoryStore::damagedFileSetAside()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, keep);
    if (keep >= 0) {
        // A real database of many pages, cut short.
        {
            HistoryStore store;
            store.open(dbPath(), 90);
            for (int i = 0; i < 400; ++i)
                store.recordVisit(S("http://p.test/%1/").arg(i), QString(200, QLatin1Char('t')));
        }
        QFile::remove(dbPath() + S("-wal"));
        QFile::remove(dbPath() + S("-shm"));
        QFile f(dbPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        bytes = f.read(keep);
    }
    m_home->write(S("History.db"), bytes);

    HistoryStore store;
    const QString message = store.open(dbPath(), 90);
    QVERIFY2(message.contains(S("壊れて")), qPrintable(message));
    const QStringList aside =
        QDir(m_home->path()).entryList({S("History.db.corrupt-*")}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(m_home->read(aside.first()), bytes);
    // The new database works.
    store.recordVisit(S("http://new.test/"), S("n"));
    store.flush();
    HistoryStore again;
    QVERIFY(again.open(dbPath(), 90).isEmpty());
    QCOMPARE(again.index().count(), 1);
}

QTEST_GUILESS_MAIN(tst_HistoryStore)
#include "tst_HistoryStore.moc"

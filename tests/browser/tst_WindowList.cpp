// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "browser/WindowList.h"
#include "common/DorvuError.h"

#include <QFile>
#include <QtTest>

#include <memory>

class tst_WindowList : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void findWindowPosition();
    void removeFromTheMiddle();
    void selectionStaysWithItsWindow();
    void updateOfUnknownIdTouchesNothing();
    void manyWindows();
    void writeFailureKeepsTheChange();
    void titleReportsAreWrittenTogether();
    void privateWindowsAreNeverWritten();

private:
};

void tst_WindowList::findWindowPosition()
{
    WindowList list;
    QCOMPARE(list.FindWindowPosition(7), 0); // empty list
    list.append(0, EngineKind::IE);
    list.append(3, EngineKind::Gecko);
    list.append(5, EngineKind::IE);
    QCOMPARE(list.FindWindowPosition(5), 2);
    QCOMPARE(list.FindWindowPosition(3), 1);
    QCOMPARE(list.FindWindowPosition(4), 0);
    QCOMPARE(list.positionOf(4), -1);
    QCOMPARE(list.tabText(1), QStringLiteral("loading"));
    QCOMPARE(list.url(1), QStringLiteral("about:blank"));
    // Adding an entry does not write the file.
    QVERIFY(!QFile::exists(m_home->file(QStringLiteral("winlist"))));
}

void tst_WindowList::removeFromTheMiddle()
{
    WindowList list;
    QSignalSpy removed(&list, &WindowList::entryRemoved);
    for (int id = 0; id < 3; ++id)
        list.append(id, EngineKind::IE);
    list.UpdateWindowEntry(0, QStringLiteral("A"), QStringLiteral("http://a.example/"));
    list.UpdateWindowEntry(1, QStringLiteral("B"), QStringLiteral("http://b.example/"));
    list.UpdateWindowEntry(2, QString::fromUtf8("しー"), QStringLiteral("http://c.example/"));
    list.RemoveWindowEntry(1);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(0).toInt(), 1);
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.tabText(0), QStringLiteral("A"));
    QCOMPARE(list.nodeText(1), QString::fromUtf8("しー"));
    QCOMPARE(list.idText(0), QStringLiteral("0"));
    QCOMPARE(list.idText(1), QStringLiteral("2"));
    QCOMPARE(list.urls(), QStringList({QStringLiteral("http://a.example/"),
                                       QStringLiteral("http://c.example/")}));
    QCOMPARE(m_home->read(QStringLiteral("winlist")),
             QByteArray("http://a.example/\r\nhttp://c.example/\r\n"));
}

void tst_WindowList::selectionStaysWithItsWindow()
{
    WindowList list;
    for (int id = 0; id < 3; ++id)
        list.append(id, EngineKind::IE);
    list.setSelected(2);
    list.RemoveWindowEntry(0);
    // The window that was selected is still the selected one, now at position 1.
    QCOMPARE(list.selected(), 1);
    QCOMPARE(list.id(list.selected()), 2);
    list.RemoveWindowEntry(2);
    QCOMPARE(list.selected(), -1);
}

void tst_WindowList::updateOfUnknownIdTouchesNothing()
{
    WindowList list;
    list.append(0, EngineKind::IE);
    list.UpdateWindowEntry(9, QStringLiteral("X"), QStringLiteral("http://x.example/"));
    QCOMPARE(list.tabText(0), QStringLiteral("loading"));
    QCOMPARE(list.url(0), QStringLiteral("about:blank"));
    list.RemoveWindowEntry(9);
    QCOMPARE(list.count(), 1);
}

void tst_WindowList::manyWindows()
{
    WindowList list;
    for (int id = 0; id < 300; ++id)
        list.append(id, EngineKind::IE);
    // IDs above 255 compared in full.
    list.UpdateWindowEntry(299, QStringLiteral("last"), QStringLiteral("http://299.example/"));
    list.UpdateWindowEntry(43, QStringLiteral("43"), QStringLiteral("http://43.example/"));
    QCOMPARE(list.FindWindowPosition(299), 299);
    QCOMPARE(list.tabText(299), QStringLiteral("last"));
    QCOMPARE(list.tabText(43), QStringLiteral("43"));
    QCOMPARE(list.tabText(299 - 256), QStringLiteral("43"));
    list.RemoveWindowEntry(256);
    QCOMPARE(list.count(), 299);
    QCOMPARE(list.id(256), 257);
}

void tst_WindowList::writeFailureKeepsTheChange()
{
    WindowList list;
    list.append(0, EngineKind::IE);
    list.append(1, EngineKind::IE);
    // A folder in the way of winlist: the file cannot be written.
    QVERIFY(QDir().mkpath(m_home->file(QStringLiteral("winlist"))));
    bool thrown = false;
    try {
        list.RemoveWindowEntry(0);
    } catch (const DorvuError &e) {
        thrown = true;
        QVERIFY(e.message().contains(QStringLiteral("winlist")));
    }
    QVERIFY(thrown);
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.id(0), 1);
}

void tst_WindowList::titleReportsAreWrittenTogether()
{
    const QString path = m_home->file(QStringLiteral("winlist"));
    auto list = std::make_unique<WindowList>();
    list->append(0, EngineKind::IE, QStringLiteral("http://a.example/"));
    list->saveWinList();
    for (int i = 0; i < 1000; ++i)
        list->UpdateWindowEntry(0, QStringLiteral("t"),
                                QStringLiteral("http://a.example/%1").arg(i));
    // A burst is one write, a moment later.
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray("http://a.example/\r\n"));
    QTRY_COMPARE(m_home->read(QStringLiteral("winlist")), QByteArray("http://a.example/999\r\n"));
    // The last report reaches the file when the list ends before the delay is over.
    list->UpdateWindowEntry(0, QStringLiteral("t"), QStringLiteral("http://b.example/"));
    list.reset();
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray("http://b.example/\r\n"));
    // A delayed write that fails says so.
    WindowList failing;
    failing.append(0, EngineKind::IE);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path));
    QSignalSpy failed(&failing, &WindowList::saveFailed);
    failing.UpdateWindowEntry(0, QStringLiteral("t"), QStringLiteral("http://c.example/"));
    QVERIFY(failed.wait());
    QVERIFY(failed.at(0).at(0).toString().contains(QStringLiteral("winlist")));
}

void tst_WindowList::privateWindowsAreNeverWritten()
{
    WindowList list;
    list.append(0, EngineKind::IE, QStringLiteral("http://a.example/"));
    list.insert(1, 1, EngineKind::Gecko, QStringLiteral("http://p.example/"), 0, QString(), true);
    list.append(2, EngineKind::IE, QStringLiteral("http://c.example/"));
    QVERIFY(list.isPrivate(1) && !list.isPrivate(2));
    list.saveWinList();
    const QByteArray ordinary("http://a.example/\r\nhttp://c.example/\r\n");
    QCOMPARE(m_home->read(QStringLiteral("winlist")), ordinary);
    // A private window's report is shown and starts no write.
    list.UpdateWindowEntry(1, QStringLiteral("P"), QStringLiteral("http://p.example/2"));
    QVERIFY(!list.saveWaiting());
    QCOMPARE(list.tabText(1), QStringLiteral("P"));
    list.RemoveWindowEntry(1);
    QCOMPARE(m_home->read(QStringLiteral("winlist")), ordinary);
}

QTEST_GUILESS_MAIN(tst_WindowList)
#include "tst_WindowList.moc"

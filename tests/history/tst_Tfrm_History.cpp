// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "history/HistoryStore.h"
#include "history/Tfrm_History.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// Types \a text into \a edit: key by key, or as an input method commits Japanese text.
void type(QLineEdit *edit, const QString &text)
{
    if (text == QString::fromLatin1(text.toLatin1())) {
        QTest::keyClicks(edit, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(edit, &commit);
}

} // namespace

class tst_Tfrm_History : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void searchOpenDelete();

private:
    void initHome() override;

    HistoryStore m_store;
};

void tst_Tfrm_History::initHome()
{
    m_store.open(m_home->file(S("History.db")), 90);
    m_store.recordVisit(S("http://example.test/"), S("Example"));
    m_store.recordVisit(S("http://example.test/docs"), S("Docs"));
    m_store.recordVisit(S("http://other.test/"), S("日本語のページ"));
}

void tst_Tfrm_History::searchOpenDelete()
{
    QStringList opened;
    Tfrm_History window(&m_store, [&](const QString &url) { opened.append(url); });
    window.confirmDeleteAll = [](QWidget *) {
        return true;
    };
    window.show();
    QTreeWidget *list = window.lstHistory;
    QCOMPARE(list->topLevelItemCount(), 1); // today
    QTRY_COMPARE(list->topLevelItem(0)->childCount(), 3);

    type(window.txtSearch, S("日本語"));
    QCOMPARE(list->topLevelItem(0)->childCount(), 1);
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(0)->child(0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(opened, QStringList{S("http://other.test/")});

    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(!m_store.index().find(S("http://other.test/")));
    QCOMPARE(list->topLevelItemCount(), 0);

    window.txtSearch->clear();
    window.btnDeleteAll->click();
    QCOMPARE(m_store.index().count(), 0);
}

QTEST_MAIN(tst_Tfrm_History)
#include "tst_Tfrm_History.moc"

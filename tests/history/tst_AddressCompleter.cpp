// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "history/AddressCompleter.h"
#include "history/HistoryStore.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
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

class tst_AddressCompleter : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void keysChooseOrKeepTyped_data();
    void keysChooseOrKeepTyped();
    void clickOpens();

private:
    void initHome() override;
    void cleanupHome() override;

    std::unique_ptr<HistoryStore> m_store;
    std::unique_ptr<QLineEdit> m_edit;
    AddressCompleter *m_completer = nullptr;
    int m_accepted = 0;
};

void tst_AddressCompleter::initHome()
{
    m_store = std::make_unique<HistoryStore>();
    m_store->open(m_home->file(S("History.db")), 90);
    m_store->recordVisit(S("http://example.test/"), S("Example"));
    m_store->recordVisit(S("http://example.test/"), S("Example"));
    m_store->recordVisit(S("http://example.test/docs"), S("Docs"));
    m_store->recordVisit(S("http://other.test/"), S("日本語のページ"));
    m_edit = std::make_unique<QLineEdit>();
    m_accepted = 0;
    m_completer = new AddressCompleter(
        m_edit.get(), m_store.get(), [this] { ++m_accepted; }, m_edit.get());
    m_edit->show();
    m_edit->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_edit.get()));
}

void tst_AddressCompleter::cleanupHome()
{
    m_edit.reset();
    m_store.reset();
}

void tst_AddressCompleter::keysChooseOrKeepTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("entered");
    QTest::newRow("typed text wins") << S("exam") << QList<int>{} << S("exam");
    QTest::newRow("down chooses the best")
        << S("exam") << QList<int>{Qt::Key_Down} << S("http://example.test/");
    QTest::newRow("second line") << S("exam") << QList<int>{Qt::Key_Down, Qt::Key_Down}
                                 << S("http://example.test/docs");
    QTest::newRow("up from none is the last")
        << S("exam") << QList<int>{Qt::Key_Up} << S("http://example.test/docs");
    QTest::newRow("escape puts typed back")
        << S("exam") << QList<int>{Qt::Key_Down, Qt::Key_Escape} << S("exam");
    QTest::newRow("title in Japanese")
        << S("日本") << QList<int>{Qt::Key_Down} << S("http://other.test/");
}

void tst_AddressCompleter::keysChooseOrKeepTyped()
{
    QFETCH(QString, typed);
    QFETCH(QList<int>, keys);
    QFETCH(QString, entered);
    type(m_edit.get(), typed);
    QVERIFY(m_completer->isShown());
    QVERIFY(m_completer->popup()->topLevelItemCount() >= 1);
    for (const int key : keys)
        QTest::keyClick(m_edit.get(), Qt::Key(key));
    QSignalSpy returned(m_edit.get(), &QLineEdit::returnPressed);
    QTest::keyClick(m_edit.get(), Qt::Key_Return);
    QCOMPARE(returned.size(), 1);
    QCOMPARE(m_edit->text(), entered);
    QVERIFY(!m_completer->isShown());
}

void tst_AddressCompleter::clickOpens()
{
    type(m_edit.get(), S("docs"));
    QTRY_VERIFY(m_completer->popup()->isVisible());
    QTreeWidget *list = m_completer->popup();
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(m_accepted, 1);
    QCOMPARE(m_edit->text(), S("http://example.test/docs"));
    QVERIFY(m_edit->hasFocus());
}

QTEST_MAIN(tst_AddressCompleter)
#include "tst_AddressCompleter.moc"

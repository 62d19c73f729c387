// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The main window's bookmarks with the real engines: the tree and menu at start-up, where a
// chosen bookmark opens, and the editor's OK reaching the menu.
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "bookmarks/BookMarkFile.h"
#include "bookmarks/BookMarkTree.h"
#include "bookmarks/TBMEditTree.h"
#include "bookmarks/Tfrm_BMEdit.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "common/ErrorHandler.h"
#include "shell/TMainForm.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

class tst_MainFormBookMarks : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();
    void optionWindowDecidesWhereBookmarksOpen_data();
    void optionWindowDecidesWhereBookmarksOpen();
    void editorFilledFromTheActivePageAndOkRebuildsTheMenu();

private:
    QString page(const QString &name) const
    {
        return m_server.url(QLatin1Char('/') + name).toString();
    }
    void writeBookMarks();
    /// The menu's items are made when it is about to show, as when the user opens it.
    static QList<QAction *> menuItems(TMainForm *form)
    {
        Q_EMIT form->commands().menu("mnuBookMark")->aboutToShow();
        return form->commands().menu("mnuBookMark")->actions();
    }
    QAction *menuItem(TMainForm *form, int index) const { return menuItems(form).at(2 + index); }

    TestHttpServer m_server;
    QStringList m_errors;
};

void tst_MainFormBookMarks::initTestCase()
{
    QVERIFY(m_server.start());
    for (const char *name : {"a", "b"}) {
        m_server.route(QLatin1Char('/') + QLatin1String(name),
                       "<title>" + QByteArray(name).toUpper() + "</title>" + name);
    }
}

void tst_MainFormBookMarks::initHome()
{
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_MainFormBookMarks::cleanupHome()
{
    ErrorHandler::setSink({});
    QCOMPARE(m_errors, QStringList());
}

void tst_MainFormBookMarks::writeBookMarks()
{
    BookMarkFile::save(BookMarkFile::path(),
                       {BookMarkNode{QStringLiteral("A"), page(QStringLiteral("a")), 12, {}},
                        BookMarkNode{QStringLiteral("B"), page(QStringLiteral("b")), 12, {}}});
}

void tst_MainFormBookMarks::optionWindowDecidesWhereBookmarksOpen_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("windows");
    QTest::newRow("0: active window") << 0 << 1;
    QTest::newRow("1: new window") << 1 << 2;
    QTest::newRow("2: active window") << 2 << 1;
}

void tst_MainFormBookMarks::optionWindowDecidesWhereBookmarksOpen()
{
    QFETCH(int, setting);
    QFETCH(int, windows);
    m_home->write(QStringLiteral("config.ini"),
                  "[Option_Window]\r\nBookMark=" + QByteArray::number(setting) + "\r\n");
    writeBookMarks();
    TMainForm form({});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.TreeView1->topLevelItemCount(), 2);
    QCOMPARE(menuItems(&form).size(), 4);
    // With no window open, every setting opens a new one.
    menuItem(&form, 0)->trigger();
    QCOMPARE(form.Browser->childCount(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/a")), kEngineTimeout);
    // The tree opens the same way as the menu.
    form.TreeView1->setCurrentItem(form.TreeView1->topLevelItem(1));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/b")), kEngineTimeout);
    QCOMPARE(form.Browser->childCount(), windows);
    // A new window opens behind the active one.
    QTRY_COMPARE_WITH_TIMEOUT(form.Browser->childAt(windows - 1)->windowTitle(),
                              QStringLiteral("B"), kEngineTimeout);
}

void tst_MainFormBookMarks::editorFilledFromTheActivePageAndOkRebuildsTheMenu()
{
    writeBookMarks();
    TMainForm form({});
    form.frm_BMEdit = new Tfrm_BMEdit(&form);
    form.frm_BMEdit->setAfterSave([&form] {
        form.LoadBookMarkTree();
        form.BuildBookMarkMenu();
    });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.frm_BMEdit->txtName->setText(QStringLiteral("kept"));
    form.commands().action("mnuBMEdit")->trigger(); // no page: the name stays
    QVERIFY(form.frm_BMEdit->isVisible());
    QCOMPARE(form.frm_BMEdit->txtName->text(), QStringLiteral("kept"));
    form.frm_BMEdit->hide();

    form.TreeView1->setCurrentItem(form.TreeView1->topLevelItem(1));
    QTRY_COMPARE_WITH_TIMEOUT(form.Browser->activeChild()->windowTitle(), QStringLiteral("B"),
                              kEngineTimeout);
    QVERIFY(form.TreeView1->currentItem());
    form.commands().action("popAddBookMark")->trigger();
    QCOMPARE(form.TreeView1->currentItem(), nullptr);
    QCOMPARE(form.frm_BMEdit->txtName->text(), QStringLiteral("B"));
    QCOMPARE(form.frm_BMEdit->txtURL->text(), page(QStringLiteral("b")));

    // Delete "A", add the page, OK: the menu follows the file.
    form.frm_BMEdit->TreeView1->setCurrentItem(form.frm_BMEdit->TreeView1->topLevelItem(0));
    form.frm_BMEdit->btnDel->click();
    form.frm_BMEdit->btnAdd->click();
    form.frm_BMEdit->btnOK->click();
    QVERIFY(!form.frm_BMEdit->isVisible());
    QStringList captions;
    const QList<QAction *> items = menuItems(&form);
    for (int i = 2; i < items.size(); ++i)
        captions.append(items.at(i)->text());
    QCOMPARE(captions, QStringList({QStringLiteral("&B"), QStringLiteral("&B")}));
    QCOMPARE(form.TreeView1->topLevelItemCount(), 2);
}

QTEST_MAIN(tst_MainFormBookMarks)
#include "tst_MainFormBookMarks.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The main window's close commands with real pages: the tab pop-up menu, the recently-closed
// submenu, and Close.txt written at a clean exit.
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "common/ErrorHandler.h"
#include "shell/TMainForm.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <memory>

namespace {

constexpr int kTimeout = kEngineTimeout;

} // namespace

class tst_MainFormClosing : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();

    void closedPagesReachSubmenuAndCloseTxt();
    void addToCloseUrlWithoutFileKeepsTheWindow();

private:
    /// Opens \a titles (pages of the server, path = "/" + title) and waits for their tabs.
    void openPages(TMainForm *form, const QStringList &titles);
    QStringList tabTexts(TMainForm *form) const;
    QString url(const QString &title) const
    {
        return m_server.url(QLatin1Char('/') + title).toString();
    }

    TestHttpServer m_server;
    QStringList m_errors;
};

void tst_MainFormClosing::initTestCase()
{
    QVERIFY(m_server.start());
    for (const char *title : {"A", "B", "C", "D"})
        m_server.route(QLatin1Char('/') + QLatin1String(title),
                       TestPages::page(title, "<p>" + QByteArray(title) + "</p>"));
}

void tst_MainFormClosing::initHome()
{
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_MainFormClosing::cleanupHome()
{
    ErrorHandler::setSink({});
}

QStringList tst_MainFormClosing::tabTexts(TMainForm *form) const
{
    QStringList list;
    for (int i = 0; i < form->TabControl1->count(); ++i)
        list.append(form->TabControl1->tabText(i));
    return list;
}

void tst_MainFormClosing::openPages(TMainForm *form, const QStringList &titles)
{
    for (const QString &title : titles)
        ErrorHandler::Run([&] { form->OpenPage(QStringLiteral("londing"), url(title)); });
    QTRY_COMPARE_WITH_TIMEOUT(tabTexts(form), titles, kTimeout);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
}

void tst_MainFormClosing::closedPagesReachSubmenuAndCloseTxt()
{
    auto form = std::make_unique<TMainForm>(QStringList());
    form->show();
    openPages(form.get(),
              {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});

    // "これ以外を全て閉じる(&M)" on C closes A, B and D, in that order.
    form->Browser->setPopupPosition(2);
    form->commands().action("mnu_AllCloseNotMe")->trigger();
    QCOMPARE(tabTexts(form.get()), QStringList(QStringLiteral("C")));
    QCOMPARE(form->closedUrls().entries(),
             QStringList(
                 {url(QStringLiteral("A")), url(QStringLiteral("B")), url(QStringLiteral("D"))}));

    // The submenu, built when it opens: numbered from the oldest, the empty item last.
    Q_EMIT form->commands().menu("mnuLeastURL")->aboutToShow();
    QStringList captions;
    for (QAction *item : form->commands().menu("mnuLeastURL")->actions())
        captions.append(item->text());
    QCOMPARE(captions, QStringList({QStringLiteral("&1．") + url(QStringLiteral("A")),
                                    QStringLiteral("&2．") + url(QStringLiteral("B")),
                                    QStringLiteral("&3．") + url(QStringLiteral("D")), QString()}));
    QCOMPARE(form->commands().menu("mnuLeastURL")->actions().last(),
             form->commands().action("mnuLeastURL_Child"));

    // An item opens its address again; the entry stays.
    form->commands().menu("mnuLeastURL")->actions().at(1)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(tabTexts(form.get()),
                              QStringList({QStringLiteral("C"), QStringLiteral("B")}), kTimeout);
    QCOMPARE(form->closedUrls().entries().size(), 3);

    // "閉じる(&C)" on B.
    form->Browser->setPopupPosition(1);
    form->commands().action("popTabClose")->trigger();
    QCOMPARE(tabTexts(form.get()), QStringList(QStringLiteral("C")));

    // A clean exit writes the list; C is still open and goes with the main window unrecorded.
    form->close();
    const QByteArray expected =
        (url(QStringLiteral("A")) + QStringLiteral("\r\n") + url(QStringLiteral("B")) +
         QStringLiteral("\r\n") + url(QStringLiteral("D")) + QStringLiteral("\r\n") +
         url(QStringLiteral("B")) + QStringLiteral("\r\n"))
            .toLatin1();
    QCOMPARE(m_home->read(QStringLiteral("Close.txt")), expected);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
}

void tst_MainFormClosing::addToCloseUrlWithoutFileKeepsTheWindow()
{
    auto form = std::make_unique<TMainForm>(QStringList());
    form->show();
    openPages(form.get(), {QStringLiteral("A"), QStringLiteral("B")});
    form->Browser->setPopupPosition(0);
    form->commands().action("popAddClose")->trigger();
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.first().contains(QStringLiteral("CloseURL.txt")) &&
                 m_errors.first().contains(QStringLiteral("は開けません")),
             qPrintable(m_errors.first()));
    QCOMPARE(tabTexts(form.get()), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    QVERIFY(form->closedUrls().entries().isEmpty());

    // With the file there, the address becomes its last line and the window closes.
    m_errors.clear();
    m_home->write(QStringLiteral("CloseURL.txt"), "*ad*\r\n");
    form->commands().action("popAddClose")->trigger();
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(m_home->read(QStringLiteral("CloseURL.txt")),
             QByteArray("*ad*\r\n") + url(QStringLiteral("A")).toLatin1() + "\r\n");
    QCOMPARE(tabTexts(form.get()), QStringList(QStringLiteral("B")));
    form->close();
}

QTEST_MAIN(tst_MainFormClosing)
#include "tst_MainFormClosing.moc"

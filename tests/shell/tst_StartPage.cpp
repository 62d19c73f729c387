// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The start page, the Home button and the recovery question in the real main window, whose
// page windows get the light engine.
#include "FakeEngine.h"
#include "HomeTest.h"
#include "ModalAnswer.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "common/ErrorHandler.h"
#include "shell/StartupRules.h"
#include "shell/TMainForm.h"
#include "weblist/TWebListOpener.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QtTest>

#include <memory>

class tst_StartPage : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void homeButtonOpensTheStartPage_data();
    void homeButtonOpensTheStartPage();
    void longStartListAsksFirst();
    void recoveryAnswered_data();
    void recoveryAnswered();

private:
    void start(const QByteArray &config);
    QStringList openedUrls() const;

    std::unique_ptr<TMainForm> m_form;
    QStringList m_errors;
};

void tst_StartPage::initHome()
{
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_StartPage::cleanupHome()
{
    m_form.reset();
    ErrorHandler::setSink({});
}

void tst_StartPage::start(const QByteArray &config)
{
    m_home->write(QStringLiteral("config.ini"), config);
    m_form = std::make_unique<TMainForm>(QStringList());
    m_form->Browser->setFactory(std::make_unique<FakeEngineFactory>());
    m_form->show();
    // The deferred start-up step is posted by the first resize.
    QCoreApplication::sendPostedEvents(m_form.get(), QEvent::MetaCall);
}

QStringList tst_StartPage::openedUrls() const
{
    QStringList urls;
    for (int i = 0; i < m_form->Browser->windowList().count(); ++i) {
        const TBrowserChild *child = m_form->Browser->childAt(i);
        if (!child) { // a tab that waits for its window
            urls.append(m_form->Browser->windowList().url(i));
            continue;
        }
        auto *engine = qobject_cast<FakeEngine *>(child->engine());
        // Windows of a long list beyond the first few load when first looked at.
        if (child->hasDeferredNavigation())
            urls.append(child->pageAddress());
        else
            urls.append(engine ? engine->navigated.value(0) : QStringLiteral("(other engine)"));
    }
    return urls;
}

void tst_StartPage::homeButtonOpensTheStartPage_data()
{
    QTest::addColumn<QByteArray>("startUp");
    QTest::addColumn<QStringList>("atStart");
    const QStringList two{QStringLiteral("http://h/1"), QStringLiteral("http://h/2")};
    QTest::newRow("0 nothing") << QByteArray("Type=0\r\nPath=http://h/x\r\n") << QStringList();
    QTest::newRow("7 nothing") << QByteArray("Type=7\r\nPath=http://h/x\r\n") << QStringList();
    QTest::newRow("1 address") << QByteArray("Type=1\r\nPath=http://h/x\r\n")
                               << QStringList{QStringLiteral("http://h/x")};
    QTest::newRow("1 empty address") << QByteArray("Type=1\r\n") << QStringList{QString()};
    QTest::newRow("2 web list") << QByteArray("Type=2\r\nPath=@/WebList/a.wlf\r\n") << two;
    QTest::newRow("2 missing list")
        << QByteArray("Type=2\r\nPath=@/WebList/none.wlf\r\n") << QStringList();
    QTest::newRow("2 folder") << QByteArray("Type=2\r\nPath=@/WebList\r\n") << QStringList();
    QTest::newRow("3 last windows") << QByteArray("Type=3\r\n") << two;
    // 300 lines open without a question, in line order.
    QStringList manyUrls;
    for (int i = 0; i < 300; ++i)
        manyUrls.append(QStringLiteral("http://h/%1").arg(i));
    QTest::newRow("2 list of 300")
        << QByteArray("Type=2\r\nPath=@/WebList/many.wlf\r\n") << manyUrls;
}

void tst_StartPage::homeButtonOpensTheStartPage()
{
    QFETCH(QByteArray, startUp);
    QFETCH(QStringList, atStart);
    m_home->write(QStringLiteral("WebList/a.wlf"), "http://h/1\r\nhttp://h/2\r\n");
    QByteArray many;
    for (int i = 0; i < 300; ++i)
        many += "http://h/" + QByteArray::number(i) + "\r\n";
    m_home->write(QStringLiteral("WebList/many.wlf"), many);
    // The last run's windows, moved to the restore file at start.
    m_home->write(QStringLiteral("winlist"), "http://h/1\r\nhttp://h/2\r\n");
    startUp.replace('@', QFile::encodeName(QDir::cleanPath(m_home->path())));
    start("[General]\r\nshutdown=1\r\n[Option_StartUp]\r\n" + startUp);
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->WebListOpener->isRunning(), 60000);
    QCOMPARE(openedUrls(), atStart);
    if (atStart.size() == 1)
        QCOMPARE(m_form->Browser->windowList().count(), 1);
    if (atStart.size() > 2)
        return;
    // Home opens the start page again, beside what is open.
    m_form->commands().action("HomeCtrl")->trigger();
    QTRY_VERIFY(!m_form->WebListOpener->isRunning());
    QCOMPARE(openedUrls(), atStart + atStart);
    QCOMPARE(m_errors, QStringList());
}

void tst_StartPage::longStartListAsksFirst()
{
    QByteArray many;
    for (int i = 0; i < 501; ++i)
        many += "http://h/" + QByteArray::number(i) + "\r\n";
    m_home->write(QStringLiteral("WebList/many.wlf"), many);
    QString seen;
    ModalAnswer::press(QStringLiteral("いいえ(&N)"), &seen);
    start("[General]\r\nshutdown=1\r\n[Option_StartUp]\r\nType=2\r\nPath=" +
          QFile::encodeName(m_home->file(QStringLiteral("WebList/many.wlf"))) + "\r\n");
    QCOMPARE(seen, QStringLiteral("Dorvu|501 個のウィンドウを開きます。よろしいですか？"));
    QCOMPARE(m_form->Browser->windowList().count(), 0);
}

void tst_StartPage::recoveryAnswered_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("winlist");
    QTest::addColumn<QStringList>("opened");
    const QStringList three{QStringLiteral("http://h/1"), QStringLiteral("http://h/2"),
                            QStringLiteral("http://h/1")};
    const QByteArray list = "http://h/1\r\nhttp://h/2\r\nhttp://h/1\r\n";
    QTest::newRow("はい") << QStringLiteral("はい(&Y)") << list << three;
    QTest::newRow("いいえ") << QStringLiteral("いいえ(&N)") << list << QStringList();
    QTest::newRow("はい, no restore file")
        << QStringLiteral("はい(&Y)") << QByteArray() << QStringList();
}

void tst_StartPage::recoveryAnswered()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, winlist);
    QFETCH(QStringList, opened);
    if (!winlist.isEmpty())
        m_home->write(QStringLiteral("winlist"), winlist);
    QString seen;
    ModalAnswer::press(answer, &seen);
    // The start page is not opened after the question, whatever the answer.
    start("[General]\r\nshutdown=0\r\n[Option_StartUp]\r\nType=1\r\nPath=http://h/home\r\n");
    QCOMPARE(seen, QStringLiteral("警告|前回、正常に終了されなかった疑いがあります。\n"
                                  "前回終了時の場所から続行しますか？"));
    QTRY_VERIFY(!m_form->WebListOpener->isRunning());
    QCOMPARE(openedUrls(), opened);
    QCOMPARE(m_errors, QStringList());
    // The restore file stays in the menu, to be opened by hand.
    const QList<QAction *> items = m_form->commands().menu("mnuWebList")->actions();
    const bool listed = std::any_of(items.begin(), items.end(), [](QAction *item) {
        return item->text() == QStringLiteral("&以前の状態を復元");
    });
    QCOMPARE(listed, !winlist.isEmpty());
}

QTEST_MAIN(tst_StartPage)
#include "tst_StartPage.moc"

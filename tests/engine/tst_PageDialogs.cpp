// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Script dialogs of both engines: a page that opens them in a loop can be stopped.
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "engine/MozCtlModule.h"
#include "engine/PageDialogs.h"
#include "engine/TMozillaBrowser.h"
#include "engine/TUIWebBrowser.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

class tst_PageDialogs : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();
    void loopStopsWhenTheBoxSaysSo_data();
    void loopStopsWhenTheBoxSaysSo();
    // Last: no page shows a box after this.
    void closeForASignalAnswersEveryBox();

private:
    TEngineBrowser *makeBrowser(const QString &engine);

    TestHttpServer m_server;
    std::unique_ptr<TEngineBrowser> m_browser;
    QStringList m_boxes; // for each box answered: "plain" or "offers"
    QTimer m_answerer;
    bool m_tick = false;
};

void tst_PageDialogs::initTestCase()
{
    QVERIFY(m_server.start());
    MozCtlModule::setFolderOverride(TestHome::moduleFolder());
    m_server.route(QStringLiteral("/loop"),
                   TestPages::page("Loop", "<script>onload = () => { let n = 0;"
                                           " for (; n < 1000; ++n) alert(n);"
                                           " document.title = 'done ' + n; };</script>"));
    // Answers whatever box is open, ticking "no more" when asked to.
    m_answerer.setInterval(20);
    connect(&m_answerer, &QTimer::timeout, this, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        QCheckBox *more = box->checkBox();
        m_boxes.append(more ? QStringLiteral("offers") : QStringLiteral("plain"));
        if (more) {
            QCOMPARE(more->text(), PageDialogs::suppressCaption());
            more->setChecked(m_tick);
        }
        box->accept();
    });
}

void tst_PageDialogs::initHome()
{
    m_boxes.clear();
}

void tst_PageDialogs::cleanupHome()
{
    m_answerer.stop();
    m_browser.reset();
}

TEngineBrowser *tst_PageDialogs::makeBrowser(const QString &engine)
{
    if (engine == QLatin1String("webkit"))
        m_browser.reset(TMozillaBrowser::create());
    else
        m_browser = std::make_unique<TUIWebBrowser>();
    m_browser->resize(400, 300);
    m_browser->show();
    return m_browser.get();
}

void tst_PageDialogs::loopStopsWhenTheBoxSaysSo_data()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("chromium") << QStringLiteral("ie");
    QTest::newRow("webkit") << QStringLiteral("webkit");
}

void tst_PageDialogs::loopStopsWhenTheBoxSaysSo()
{
    QFETCH(QString, engine);
    TEngineBrowser *browser = makeBrowser(engine);
    QSignalSpy titles(browser, &TEngineBrowser::OnTitleChange);
    m_tick = true;
    m_answerer.start();
    browser->Navigate(m_server.url(QStringLiteral("/loop")).toString());
    QTRY_VERIFY_WITH_TIMEOUT(!titles.isEmpty() &&
                                 titles.last().at(0).toString() == QLatin1String("done 1000"),
                             kEngineTimeout);
    // The first box is plain; the second offers to stop, and nothing more is shown.
    QCOMPARE(m_boxes, (QStringList{QStringLiteral("plain"), QStringLiteral("offers")}));
}

void tst_PageDialogs::closeForASignalAnswersEveryBox()
{
    TEngineBrowser *browser = makeBrowser(QStringLiteral("webkit"));
    QSignalSpy titles(browser, &TEngineBrowser::OnTitleChange);
    // The box runs a loop of its own: the close comes from inside it, as a signal's would.
    QTimer close;
    close.setInterval(20);
    connect(&close, &QTimer::timeout, this, [&close] {
        if (qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            close.stop();
            PageDialogs::refuseAll();
        }
    });
    close.start();
    browser->Navigate(m_server.url(QStringLiteral("/loop")).toString());
    QTRY_VERIFY_WITH_TIMEOUT(!titles.isEmpty() &&
                                 titles.last().at(0).toString() == QLatin1String("done 1000"),
                             kEngineTimeout);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(tst_PageDialogs)
#include "tst_PageDialogs.moc"

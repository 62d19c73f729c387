// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Commands by name: what the list registers, and handlers run under the common error handler.
#include "common/CommandList.h"
#include "common/DorvuError.h"
#include "common/ErrorHandler.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include <memory>

class tst_CommandList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void registersByName();
    void handlersRunUnderTheErrorHandler();

private:
    QStringList m_errors;
};

void tst_CommandList::init()
{
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_CommandList::cleanup()
{
    ErrorHandler::setSink({});
}

void tst_CommandList::registersByName()
{
    CommandList list;
    QAction *back = list.add(
        {"BackCtrl", QString(), {}, 1, CommandList::Tick::None, false, QStringLiteral("戻る")});
    QAction *java = list.add({"mnuJava", QStringLiteral("Java"), {}, -1, CommandList::Tick::On});
    QMenu menu(QStringLiteral("セキュリティ"));
    menu.setObjectName(QStringLiteral("mnuSC"));
    list.add(&menu);

    QCOMPARE(list.find("BackCtrl"), back);
    QCOMPARE(back->objectName(), QStringLiteral("BackCtrl"));
    QVERIFY(!back->isEnabled());
    QCOMPARE(back->toolTip(), QStringLiteral("戻る"));
    QCOMPARE(back->property("ImageIndex").toInt(), 1);
    QVERIFY(java->isCheckable() && java->isChecked());
    QCOMPARE(list.menu("mnuSC"), &menu);
    QCOMPARE(list.find("mnuSC"), menu.menuAction());
    QVERIFY(!list.menu("mnuJava"));
    QVERIFY(!list.find("nothing"));
    QCOMPARE(list.actions(), (QList<QAction *>{back, java, menu.menuAction()}));
}

void tst_CommandList::handlersRunUnderTheErrorHandler()
{
    CommandList list;
    int ran = 0;
    list.add({"FileNew1",
              QStringLiteral("新規作成(&N)"),
              {},
              -1,
              CommandList::Tick::None,
              true,
              {},
              {},
              {},
              [&] {
                  ++ran;
                  throw DorvuError(QStringLiteral("開けません"));
              }});
    auto context = std::make_unique<QObject>();
    int later = 0;
    list.onTriggered("FileNew1", context.get(), [&] { ++later; });
    list.onTriggered("nothing", context.get(), [&] { ++later; }); // connects nothing

    list.action("FileNew1")->trigger();
    QCOMPARE(ran, 1);
    QCOMPARE(later, 1);
    QCOMPARE(m_errors, QStringList{QStringLiteral("開けません")});

    // A handler goes with its context.
    context.reset();
    list.action("FileNew1")->trigger();
    QCOMPARE(ran, 2);
    QCOMPARE(later, 1);
}

QTEST_MAIN(tst_CommandList)
#include "tst_CommandList.moc"

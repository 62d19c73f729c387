// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The web list editor through its buttons and file dialogs, as the user drives it.
#include "BrowserRig.h"
#include "HomeTest.h"
#include "ModalAnswer.h"
#include "common/ErrorHandler.h"
#include "weblist/TWebListMenu.h"
#include "weblist/TWebListOpener.h"
#include "weblist/Tfrm_WebList.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <memory>

class tst_Tfrm_WebList : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void fixedWindow();
    void loadThenSaveAsThenSaveWritesTheNewName();
    void saveWithoutFileAsksForName();
    void firstListOfAFreshFolderIsSavedInTheListFolder();
    void nameWithoutExtensionStaysSo();
    void cancelledDialogsChangeNothing();
    void menuFollowsOnlyAfterCloseButton();
    void currentWindowsKeepTheLoadedName();
    void failuresKeepTextAndName_data();
    void failuresKeepTextAndName();

private:
    QString file(const QString &name) const
    {
        return m_home->file(QStringLiteral("WebList/") + name);
    }
    QByteArray bytes(const QString &name) const
    {
        return m_home->read(QStringLiteral("WebList/") + name);
    }
    QStringList menuCaptions() const;

    std::unique_ptr<BrowserRig> m_rig;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<Tfrm_WebList> m_form;
    TWebListMenu *m_lists = nullptr;
};

void tst_Tfrm_WebList::initHome()
{
    m_home->write(QStringLiteral("WebList/a.wlf"), "http://h/1\r\nhttp://h/\xff\xfe\r\n");
    m_rig = std::make_unique<BrowserRig>();
    m_menu = std::make_unique<QMenu>();
    auto *edit = m_menu->addAction(QStringLiteral("Webリストを編集(&E)"));
    auto *add = m_menu->addAction(QStringLiteral("現在状態を追加"));
    m_menu->addSeparator();
    auto *opener = new TWebListOpener(m_rig->host, m_rig.get());
    m_lists = new TWebListMenu(m_menu.get(), opener, m_rig.get());
    m_lists->connectControls(edit, add);
    m_lists->EnumFiles(m_home->file(QStringLiteral("WebList")));
    m_form = std::make_unique<Tfrm_WebList>(m_home->path());
    m_lists->setEditor(m_form.get());
    edit->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_Tfrm_WebList::cleanupHome()
{
    m_form.reset();
    m_rig.reset();
    m_menu.reset();
}

QStringList tst_Tfrm_WebList::menuCaptions() const
{
    QStringList captions;
    const QList<QAction *> items = m_menu->actions();
    for (int i = 3; i < items.size(); ++i)
        captions.append(items.at(i)->text());
    return captions;
}

void tst_Tfrm_WebList::fixedWindow()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("WebListの編集"));
    QCOMPARE(m_form->size(), QSize(403, 216));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_form->lblName->text().isEmpty());
    QCOMPARE(m_form->OpenDialog1->nameFilters(),
             (QStringList{QStringLiteral("WebListFile(*.wlf)"), QStringLiteral("その他(*.*)")}));
    QVERIFY(!m_form->isModal());
}

void tst_Tfrm_WebList::loadThenSaveAsThenSaveWritesTheNewName()
{
    ModalAnswer::choose(file(QStringLiteral("a.wlf")));
    m_form->btnLoad->click();
    QCOMPARE(m_form->lblName->text(), QStringLiteral("a.wlf"));
    QCOMPARE(m_form->currentFile(), file(QStringLiteral("a.wlf")));
    ModalAnswer::choose(file(QStringLiteral("b.wlf")));
    m_form->btnSaveAs->click();
    // Unchanged, even the bytes that are no Shift_JIS.
    QCOMPARE(bytes(QStringLiteral("b.wlf")), bytes(QStringLiteral("a.wlf")));
    QCOMPARE(m_form->lblName->text(), QStringLiteral("b.wlf"));
    m_form->Memo1->moveCursor(QTextCursor::End);
    m_form->Memo1->insertPlainText(QStringLiteral("http://h/3"));
    m_form->btnSave->click();
    QCOMPARE(bytes(QStringLiteral("b.wlf")),
             QByteArray("http://h/1\r\nhttp://h/\xff\xfe\r\nhttp://h/3"));
    QCOMPARE(bytes(QStringLiteral("a.wlf")), QByteArray("http://h/1\r\nhttp://h/\xff\xfe\r\n"));
    QVERIFY(m_rig->errors.isEmpty());
}

void tst_Tfrm_WebList::saveWithoutFileAsksForName()
{
    m_form->Memo1->setPlainText(QStringLiteral("http://h/x"));
    QString seen;
    ModalAnswer::choose(file(QStringLiteral("new.wlf")), &seen);
    m_form->btnSave->click();
    QCOMPARE(seen, QStringLiteral("SaveDialog1"));
    QCOMPARE(bytes(QStringLiteral("new.wlf")), QByteArray("http://h/x"));
    QCOMPARE(m_form->lblName->text(), QStringLiteral("new.wlf"));
}

void tst_Tfrm_WebList::firstListOfAFreshFolderIsSavedInTheListFolder()
{
    QVERIFY(QDir(m_home->file(QStringLiteral("WebList"))).removeRecursively());
    m_form->Memo1->setPlainText(QStringLiteral("http://h/x"));
    QString seen;
    ModalAnswer::choose(QStringLiteral("first.wlf"), &seen);
    m_form->btnSaveAs->click();
    QCOMPARE(seen, QStringLiteral("SaveDialog1"));
    QCOMPARE(bytes(QStringLiteral("first.wlf")), QByteArray("http://h/x"));
    m_form->btnClose->click();
    QCOMPARE(menuCaptions(), QStringList{QStringLiteral("&first")});
}

void tst_Tfrm_WebList::nameWithoutExtensionStaysSo()
{
    m_form->Memo1->setPlainText(QStringLiteral("http://h/x\n"));
    ModalAnswer::choose(file(QStringLiteral("plain")));
    m_form->btnSaveAs->click();
    QCOMPARE(bytes(QStringLiteral("plain")), QByteArray("http://h/x\r\n"));
    QVERIFY(!QFile::exists(file(QStringLiteral("plain.wlf"))));
    m_form->btnClose->click();
    QCOMPARE(menuCaptions(), (QStringList{QStringLiteral("&a"), QStringLiteral("&p")}));
}

void tst_Tfrm_WebList::cancelledDialogsChangeNothing()
{
    m_form->Memo1->setPlainText(QStringLiteral("kept"));
    ModalAnswer::choose(QString());
    m_form->btnLoad->click();
    ModalAnswer::choose(QString());
    m_form->btnSaveAs->click();
    QCOMPARE(m_form->Memo1->toPlainText(), QStringLiteral("kept"));
    QVERIFY(m_form->lblName->text().isEmpty());
    QCOMPARE(menuCaptions(), QStringList{QStringLiteral("&a")});
}

void tst_Tfrm_WebList::menuFollowsOnlyAfterCloseButton()
{
    m_form->Memo1->setPlainText(QStringLiteral("http://h/x"));
    ModalAnswer::choose(file(QStringLiteral("news.wlf")));
    m_form->btnSaveAs->click();
    m_form->close(); // the close box
    QVERIFY(!m_form->isVisible());
    QCOMPARE(menuCaptions(), QStringList{QStringLiteral("&a")});
    m_menu->actions().at(0)->trigger();
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->Memo1->toPlainText(), QStringLiteral("http://h/x"));
    m_form->btnClose->click();
    QVERIFY(!m_form->isVisible());
    QCOMPARE(menuCaptions(), (QStringList{QStringLiteral("&a"), QStringLiteral("&news")}));
    QCOMPARE(m_form->lblName->text(), QStringLiteral("news.wlf"));
}

void tst_Tfrm_WebList::currentWindowsKeepTheLoadedName()
{
    ModalAnswer::choose(file(QStringLiteral("a.wlf")));
    m_form->btnLoad->click();
    m_form->showMinimized();
    m_home->write(QStringLiteral("winlist"), "http://h/open1\r\nhttp://h/open2\r\n");
    m_menu->actions().at(1)->trigger(); // 現在状態を追加
    QVERIFY(!m_form->isMinimized());
    QCOMPARE(m_form->Memo1->toPlainText(), QStringLiteral("http://h/open1\nhttp://h/open2\n"));
    QCOMPARE(m_form->lblName->text(), QStringLiteral("a.wlf"));
    m_form->btnSave->click();
    QCOMPARE(bytes(QStringLiteral("a.wlf")), QByteArray("http://h/open1\r\nhttp://h/open2\r\n"));
    // Without winlist the text stays.
    QVERIFY(QFile::remove(m_home->file(QStringLiteral("winlist"))));
    m_menu->actions().at(1)->trigger();
    QCOMPARE(m_form->Memo1->toPlainText(), QStringLiteral("http://h/open1\nhttp://h/open2\n"));
}

void tst_Tfrm_WebList::failuresKeepTextAndName_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("error");
    // The dialog takes only names that exist; a pipe exists and is no list file.
    QTest::newRow("load what is no file")
        << QStringLiteral("btnLoad") << QStringLiteral("WebList/pipe.wlf")
        << QStringLiteral("ファイル %1 は開けません");
    QTest::newRow("load beyond the text area's limit")
        << QStringLiteral("btnLoad") << QStringLiteral("WebList/huge.wlf")
        << QStringLiteral("文字列の大きさが メモ の制限を越えました");
    QTest::newRow("save where no file can be made")
        << QStringLiteral("btnSaveAs") << QStringLiteral("/proc/dorvu-test.wlf")
        << QStringLiteral("ファイル %1 を作成できません");
}

void tst_Tfrm_WebList::failuresKeepTextAndName()
{
    QFETCH(QString, button);
    QFETCH(QString, path);
    QFETCH(QString, error);
    m_home->write(QStringLiteral("WebList/huge.wlf"),
                  QByteArray(int(Tfrm_WebList::MemoLimit) + 1, 'a'));
    QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {file(QStringLiteral("pipe.wlf"))}), 0);
    ModalAnswer::choose(file(QStringLiteral("a.wlf")));
    m_form->btnLoad->click();
    const QString text = m_form->Memo1->toPlainText();
    auto *b = m_form->findChild<QPushButton *>(button);
    QVERIFY(b);
    const QString full = path.startsWith(QLatin1Char('/')) ? path : m_home->file(path);
    ModalAnswer::choose(full);
    b->click();
    QCOMPARE(m_rig->errors,
             QStringList{error.contains(QLatin1String("%1")) ? error.arg(full) : error});
    QCOMPARE(m_form->Memo1->toPlainText(), text);
    QCOMPARE(m_form->lblName->text(), QStringLiteral("a.wlf"));
    QCOMPARE(m_form->currentFile(), file(QStringLiteral("a.wlf")));
}

QTEST_MAIN(tst_Tfrm_WebList)
#include "tst_Tfrm_WebList.moc"

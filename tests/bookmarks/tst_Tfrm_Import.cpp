// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BookMarkDescribe.h"
#include "HomeTest.h"
#include "bookmarks/BookMarkTree.h"
#include "bookmarks/Tfrm_Import.h"
#include "common/ErrorHandler.h"
#include "common/SjisCodec.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

class tst_Tfrm_Import : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void pagesForward_data();
    void pagesForward();
    void favoritesUnderTheHomeFolder();
    void favoritesFolderAskedForWhenMissing();
    void folderPickerStartsAtHome();
    void bookmarkFileUnderItsOwnRoot();
    void missingBookmarkFileKeepsTheWizardOpen();

private:
    std::unique_ptr<Tfrm_Import> wizard();
    void finish(Tfrm_Import *w);

    QByteArray m_homeEnv;
    QTreeWidget m_tree;
    QStringList m_asked;
    QStringList m_informs;
    QString m_answer;
    QStringList m_errors;
};

void tst_Tfrm_Import::initHome()
{
    m_homeEnv = qgetenv("HOME");
    qputenv("HOME", m_home->path().toLocal8Bit());
    m_tree.clear();
    m_tree.addTopLevelItem(BookMarkTree::makeItem(
        BookMarkNode{QStringLiteral("Old"), QStringLiteral("http://old/"), 12, {}}));
    m_asked.clear();
    m_informs.clear();
    m_errors.clear();
    m_answer.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_Tfrm_Import::cleanupHome()
{
    ErrorHandler::setSink({});
    qputenv("HOME", m_homeEnv);
}

std::unique_ptr<Tfrm_Import> tst_Tfrm_Import::wizard()
{
    auto w = std::make_unique<Tfrm_Import>(&m_tree);
    w->setFolderPrompt([this](QWidget *, const QString &caption) {
        m_asked.append(caption);
        return m_answer;
    });
    w->setInform([this](QWidget *, const QString &text) { m_informs.append(text); });
    return w;
}

void tst_Tfrm_Import::finish(Tfrm_Import *w)
{
    w->show();
    while (w->isVisible() && w->btnNext->text() != QStringLiteral("完了"))
        w->btnNext->click();
    w->btnNext->click();
}

void tst_Tfrm_Import::pagesForward_data()
{
    QTest::addColumn<bool>("nn");
    QTest::addColumn<QString>("steps"); // n: Next, b: Back
    QTest::addColumn<QString>("pages"); // page after each step
    QTest::addColumn<QString>("back");  // btnBack enabled after each step
    QTest::newRow("IE goes from 1 to 3 and back to 1")
        << false << QStringLiteral("nbb") << QStringLiteral("311") << QStringLiteral("111");
    QTest::newRow("NN goes through 2")
        << true << QStringLiteral("nnbbb") << QStringLiteral("23211") << QStringLiteral("11100");
}

void tst_Tfrm_Import::pagesForward()
{
    QFETCH(bool, nn);
    QFETCH(QString, steps);
    QFETCH(QString, pages);
    QFETCH(QString, back);
    auto w = wizard();
    QCOMPARE(w->windowTitle(), QStringLiteral("ImportWizard"));
    QCOMPARE(w->pageNumber(), 1);
    QVERIFY(!w->btnBack->isEnabled());
    QCOMPARE(w->mode(), QStringLiteral("IE"));
    QVERIFY(w->radIE->isChecked());
    if (nn)
        w->radNN->click();
    QString seen;
    QString enabled;
    for (const QChar step : steps) {
        (step == QLatin1Char('n') ? w->btnNext : w->btnBack)->click();
        seen += QString::number(w->pageNumber());
        enabled += w->btnBack->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        QCOMPARE(w->btnNext->text(),
                 w->pageNumber() == 3 ? QStringLiteral("完了") : QStringLiteral("次へ"));
    }
    QCOMPARE(seen, pages);
    QCOMPARE(enabled, back);
}

void tst_Tfrm_Import::favoritesUnderTheHomeFolder()
{
    m_home->write(QStringLiteral("Favorites/Sub/a.url"), "[InternetShortcut]\r\nURL=http://a/\r\n");
    m_home->write(QStringLiteral("Favorites/b.url"), "[DEFAULT]\r\nBASEURL=http://b/\r\n");
    for (int round = 0; round < 2; ++round) {
        auto w = wizard();
        finish(w.get());
        QVERIFY(!w->isVisible());
    }
    // Importing twice adds a second root.
    QCOMPARE(describe(BookMarkTree::nodes(&m_tree)),
             QStringLiteral("Old=http://old/,Internet Explorer(Sub/(a=http://a/),b=http://b/),"
                            "Internet Explorer(Sub/(a=http://a/),b=http://b/)"));
    QVERIFY(!m_tree.topLevelItem(1)->isExpanded());
    QCOMPARE(m_asked, QStringList());
}

void tst_Tfrm_Import::favoritesFolderAskedForWhenMissing()
{
    auto w = wizard();
    finish(w.get()); // cancelled: nothing imported
    QCOMPARE(m_asked, QStringList({QStringLiteral("お気に入りのフォルダを選択してください。")}));
    QCOMPARE(m_tree.topLevelItemCount(), 1);
    m_home->write(QStringLiteral("elsewhere/c.url"), "[InternetShortcut]\r\nURL=http://c/\r\n");
    m_answer = m_home->file(QStringLiteral("elsewhere"));
    auto again = wizard();
    finish(again.get());
    QCOMPARE(describe(BookMarkTree::nodes(&m_tree)),
             QStringLiteral("Old=http://old/,Internet Explorer(c=http://c/)"));
}

void tst_Tfrm_Import::folderPickerStartsAtHome()
{
    Tfrm_Import w(&m_tree); // the real picker
    QString shown;
    QTimer picker;
    picker.setInterval(20);
    connect(&picker, &QTimer::timeout, this, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog && dialog->objectName() == QLatin1String("SHBrowseForFolder")) {
            shown = dialog->findChild<QLineEdit *>(QStringLiteral("path"))->text();
            static_cast<QDialog *>(dialog)->reject();
        }
    });
    picker.start();
    finish(&w);
    QCOMPARE(shown, QDir::homePath());
}

void tst_Tfrm_Import::bookmarkFileUnderItsOwnRoot()
{
    m_home->write(QStringLiteral("bookmarks.html"),
                  SjisCodec::encode(QStringLiteral(
                      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3>フォルダ</H3>\n"
                      "<DL><p><DT><A HREF=\"http://f/\">中身</A></DL><p>\n"
                      "<DT><A HREF=\"http://g/\">外</A>\n</DL>\n")));
    m_home->write(QStringLiteral("emoji.html"),
                  "<DL><DT><A HREF='http://e/'>\xF0\x9F\x98\x80</A><DT><A HREF='http://k/'>"
                  "\xF0\xA0\xAE\xB7</A></DL>");
    auto w = wizard();
    w->radNN->click();
    w->Edit1->setText(m_home->file(QStringLiteral("bookmarks.html")));
    finish(w.get());
    QVERIFY(!w->isVisible());
    auto second = wizard();
    second->radNN->click();
    second->Edit1->setText(m_home->file(QStringLiteral("emoji.html")));
    finish(second.get());
    QCOMPARE(describe(BookMarkTree::nodes(&m_tree)),
             QStringLiteral("Old=http://old/,Netscape Navigator(フォルダ/(中身=http://f/),"
                            "外=http://g/),Netscape Navigator(?=http://e/,?=http://k/)"));
    QCOMPARE(m_informs.size(), 1);
    QVERIFY(m_informs.first().contains(QLatin1String("2")));
    QCOMPARE(m_errors, QStringList());
}

void tst_Tfrm_Import::missingBookmarkFileKeepsTheWizardOpen()
{
    auto empty = wizard();
    empty->radNN->click();
    finish(empty.get()); // no file named: nothing to import
    QVERIFY(!empty->isVisible());
    QCOMPARE(m_errors, QStringList());
    auto w = wizard();
    w->radNN->click();
    w->Edit1->setText(m_home->file(QStringLiteral("none.html")));
    finish(w.get());
    QCOMPARE(m_errors.size(), 1);
    QVERIFY(w->isVisible());
    QCOMPARE(m_tree.topLevelItemCount(), 1);
}

QTEST_MAIN(tst_Tfrm_Import)
#include "tst_Tfrm_Import.moc"

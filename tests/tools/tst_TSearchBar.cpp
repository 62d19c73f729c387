// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "common/ErrorHandler.h"
#include "settings/IniFile.h"
#include "tools/TSearchBar.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

/// The search bar on widgets of its own; the pages it opens are recorded.
class tst_TSearchBar : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void startsWithServiceZero();
    void enterSearchesAndInsertsNothing();
    void findSearchesEmptyQueryToo();
    void switchingServiceSearchesOnlyWithText();
    void editedServiceSearchesNothing();
    void tooLongQueryIsReported();

private:
    QString prefix(int index) const { return m_bar->table().at(index).prefix; }

    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_txt = nullptr;
    QComboBox *m_cmb = nullptr;
    QToolButton *m_btn = nullptr;
    TSearchBar *m_bar = nullptr;
    QList<QStringList> m_opened;
    QStringList m_errors;
};

void tst_TSearchBar::initHome()
{
    m_window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(m_window.get());
    m_txt = new QLineEdit;
    m_cmb = new QComboBox;
    m_cmb->setEditable(true);
    m_btn = new QToolButton;
    layout->addWidget(m_txt);
    layout->addWidget(m_cmb);
    layout->addWidget(m_btn);
    m_opened.clear();
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
    m_bar = new TSearchBar(
        m_txt, m_cmb, m_btn,
        [this](const QString &caption, const QString &url) {
            m_opened.append({caption, url});
        },
        m_window.get());
    m_bar->SetupSearchTable();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_TSearchBar::cleanupHome()
{
    m_window.reset();
    ErrorHandler::setSink({});
}

void tst_TSearchBar::startsWithServiceZero()
{
    QCOMPARE(m_cmb->count(), 11);
    QCOMPARE(m_cmb->currentIndex(), 0);
    QCOMPARE(m_cmb->currentText(), QStringLiteral("Google（日本語）"));
    QVERIFY(m_opened.isEmpty());
}

void tst_TSearchBar::enterSearchesAndInsertsNothing()
{
    m_txt->setFocus();
    QTest::keyClicks(m_txt, QStringLiteral("abc"));
    QTest::keyClick(m_txt, Qt::Key_Return);
    QTest::keyClick(m_txt, Qt::Key_Enter);
    QCOMPARE(m_txt->text(), QStringLiteral("abc"));
    const QStringList expected{QStringLiteral("検索中"),
                               prefix(0) + QStringLiteral("abc&lr=lang_ja")};
    QCOMPARE(m_opened, QList<QStringList>({expected, expected}));
}

void tst_TSearchBar::findSearchesEmptyQueryToo()
{
    m_cmb->setCurrentIndex(1);
    QTest::mouseClick(m_btn, Qt::LeftButton);
    QCOMPARE(m_opened, QList<QStringList>({{QStringLiteral("検索中"), prefix(1)}}));
}

void tst_TSearchBar::switchingServiceSearchesOnlyWithText()
{
    m_cmb->setCurrentIndex(2);
    Q_EMIT m_cmb->activated(2);
    QVERIFY(m_opened.isEmpty());
    m_txt->setText(QStringLiteral("a b"));
    m_cmb->setCurrentIndex(3);
    Q_EMIT m_cmb->activated(3);
    QCOMPARE(m_opened,
             QList<QStringList>({{QStringLiteral("検索中"), prefix(3) + QStringLiteral("a+b")}}));
    // The same service chosen again is no change.
    Q_EMIT m_cmb->activated(3);
    QCOMPARE(m_opened.size(), 1);
}

void tst_TSearchBar::editedServiceSearchesNothing()
{
    m_txt->setText(QStringLiteral("abc"));
    m_cmb->setEditText(QStringLiteral("どこか"));
    m_bar->btnSearchClick();
    QVERIFY(m_opened.isEmpty());
    QVERIFY(m_errors.isEmpty());
    // The text of another service's caption chooses that service.
    m_cmb->setEditText(QStringLiteral("Yahoo! Japan"));
    m_bar->btnSearchClick();
    QCOMPARE(m_opened.value(0).value(1), prefix(2) + QStringLiteral("abc"));
}

void tst_TSearchBar::tooLongQueryIsReported()
{
    m_txt->setText(QString(1024 * 1024, QChar(0x6771)));
    QCOMPARE(m_txt->text().size(), 1024 * 1024);
    m_bar->btnSearchClick();
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(m_errors, QStringList({QStringLiteral("検索する語が長すぎます")}));
}

QTEST_MAIN(tst_TSearchBar)
#include "tst_TSearchBar.moc"

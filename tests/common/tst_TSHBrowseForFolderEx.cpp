// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The folder picker: its defaults, its fallbacks, the selection event and its placement.
#include "common/TSHBrowseForFolderEx.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

QTreeView *treeOf(QDialog *dialog)
{
    return dialog->findChild<QTreeView *>(QStringLiteral("tree"));
}

QString selectedPath(QDialog *dialog)
{
    QTreeView *tree = treeOf(dialog);
    auto *model = qobject_cast<QFileSystemModel *>(tree->model());
    return tree->currentIndex().isValid() ? model->filePath(tree->currentIndex()) : QString();
}

QPushButton *okOf(QDialog *dialog)
{
    return dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
}

} // namespace

class tst_TSHBrowseForFolderEx : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void defaults();
    void missingSelectFolderNameFallsBackToDesktop();
    void okStateTwoGreysOk();
    void virtualPlaceGivesEmptyFolderName();
    void typedPathIsChosen();
    void browseFlags_data();
    void browseFlags();
    void centerScreen_data();
    void centerScreen();

private:
    /// Runs Execute; \a inspect sees the dialog once it is up and closes it.
    bool run(TSHBrowseForFolderEx &browser, const std::function<void(QDialog *)> &inspect);

    std::unique_ptr<QTemporaryDir> m_home;
    QByteArray m_oldHome;
};

void tst_TSHBrowseForFolderEx::init()
{
    // A home of our own with a desktop folder, so that the fallbacks have a place to go.
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_home->path()).mkpath(QStringLiteral("Desktop/inner")));
    QVERIFY(QDir(m_home->path()).mkpath(QStringLiteral(".config")));
    m_oldHome = qgetenv("HOME");
    qputenv("HOME", m_home->path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (m_home->path() + QStringLiteral("/.config")).toLocal8Bit());
}

void tst_TSHBrowseForFolderEx::cleanup()
{
    qputenv("HOME", m_oldHome);
    qunsetenv("XDG_CONFIG_HOME");
    m_home.reset();
}

bool tst_TSHBrowseForFolderEx::run(TSHBrowseForFolderEx &browser,
                                   const std::function<void(QDialog *)> &inspect)
{
    bool inspected = false;
    auto connection =
        connect(&browser, &TSHBrowseForFolderEx::Initialized, this, [&](QDialog *dialog) {
            QTimer::singleShot(0, dialog, [&, dialog] {
                inspected = true;
                inspect(dialog);
            });
        });
    const bool result = browser.Execute();
    disconnect(connection);
    [&] {
        QVERIFY(inspected);
    }();
    return result;
}

void tst_TSHBrowseForFolderEx::defaults()
{
    QWidget owner;
    owner.setGeometry(100, 120, 600, 500);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    TSHBrowseForFolderEx browser(&owner);
    QCOMPARE(browser.Options, TSHBrowseOptions(sboReturnOnlyFSDirs));
    QCOMPARE(browser.SelectFolder, sfDrives);
    QCOMPARE(browser.RootFolder, rfDesktop);
    QCOMPARE(browser.ShowStyle, ssClient);
    browser.Caption = QStringLiteral("Mozillaのあるフォルダを選択してください。");
    QPoint where;
    const bool chosen = run(browser, [&](QDialog *dialog) {
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("caption"))->text(), browser.Caption);
        QCOMPARE(selectedPath(dialog), QStringLiteral("/"));
        QVERIFY(!treeOf(dialog)->rootIndex().isValid()); // rooted at the top
        QVERIFY(dialog->isModal());
        where = dialog->geometry().topLeft();
        okOf(dialog)->click();
    });
    QVERIFY(chosen);
    QCOMPARE(browser.FolderName(), QStringLiteral("/"));
    // Over the owner's client area (the window system may add its frame).
    QVERIFY2(qAbs(where.x() - owner.mapToGlobal(QPoint(0, 0)).x()) < 40,
             qPrintable(QString::number(where.x())));
}

void tst_TSHBrowseForFolderEx::missingSelectFolderNameFallsBackToDesktop()
{
    TSHBrowseForFolderEx browser;
    browser.SelectFolder = sfManual;
    browser.SelectFolderName = m_home->path() + QStringLiteral("/none");
    QVERIFY(!run(browser, [&](QDialog *dialog) {
        QCOMPARE(selectedPath(dialog), m_home->path() + QStringLiteral("/Desktop"));
        dialog->reject();
    }));
    QCOMPARE(browser.FolderName(), QString());
    browser.SelectFolderName = m_home->path() + QStringLiteral("/Desktop/inner");
    QVERIFY(run(browser, [&](QDialog *dialog) { okOf(dialog)->click(); }));
    QCOMPARE(browser.FolderName(), m_home->path() + QStringLiteral("/Desktop/inner"));
    QCOMPARE(browser.DisplayName(), QStringLiteral("inner"));
}

void tst_TSHBrowseForFolderEx::okStateTwoGreysOk()
{
    TSHBrowseForFolderEx browser;
    browser.Options = sboReturnOnlyFSDirs | sboStatusText;
    browser.SelectFolder = sfDesktop;
    QStringList seen;
    browser.OnSelectionChanged = [&](TSHBrowseForFolderEx *sender, QWidget *wnd,
                                     const QString &path, QString &showText, int &okState) {
        QCOMPARE(sender, &browser);
        QCOMPARE(wnd, browser.dialog());
        QCOMPARE(showText, QString());
        QCOMPARE(okState, 0);
        seen << path;
        showText = QStringLiteral("見る: ") + path;
        okState = path.endsWith(QLatin1String("inner")) ? 2 : 1;
    };
    run(browser, [&](QDialog *dialog) {
        auto *status = dialog->findChild<QLabel *>(QStringLiteral("status"));
        // The set-up leaves the status line empty even after the preselection's event.
        QCOMPARE(status->text(), QString());
        QVERIFY(okOf(dialog)->isEnabled());
        QTreeView *tree = treeOf(dialog);
        auto *model = qobject_cast<QFileSystemModel *>(tree->model());
        const QString inner = m_home->path() + QStringLiteral("/Desktop/inner");
        tree->setCurrentIndex(model->index(inner));
        QVERIFY(!okOf(dialog)->isEnabled());
        QCOMPARE(status->text(), QStringLiteral("見る: ") + inner);
        tree->setCurrentIndex(model->index(m_home->path()));
        QVERIFY(okOf(dialog)->isEnabled());
        dialog->reject();
    });
    QCOMPARE(seen.value(0), m_home->path() + QStringLiteral("/Desktop"));
    QCOMPARE(seen.size(), 3);
}

void tst_TSHBrowseForFolderEx::virtualPlaceGivesEmptyFolderName()
{
    TSHBrowseForFolderEx browser;
    browser.Options = {};
    browser.Options |= sboStatusTextAndShowPath;
    run(browser, [&](QDialog *dialog) {
        treeOf(dialog)->setCurrentIndex(QModelIndex()); // the top of the tree
        QVERIFY(okOf(dialog)->isEnabled());
        okOf(dialog)->click();
    });
    QCOMPARE(browser.FolderName(), QString());
    QVERIFY(!browser.DisplayName().isEmpty());

    // Only folders with a path may be chosen by default.
    TSHBrowseForFolderEx onlyFolders;
    run(onlyFolders, [&](QDialog *dialog) {
        treeOf(dialog)->setCurrentIndex(QModelIndex());
        QVERIFY(!okOf(dialog)->isEnabled());
        dialog->reject();
    });
}

void tst_TSHBrowseForFolderEx::typedPathIsChosen()
{
    TSHBrowseForFolderEx browser;
    browser.SelectFolder = sfDesktop;
    QVERIFY(run(browser, [&](QDialog *dialog) {
        auto *path = dialog->findChild<QLineEdit *>(QStringLiteral("path"));
        QCOMPARE(path->text(), m_home->path() + QStringLiteral("/Desktop"));
        // A folder that is not there keeps the dialog open.
        QTimer::singleShot(0, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->accept();
        });
        path->setText(m_home->path() + QStringLiteral("/none"));
        okOf(dialog)->click();
        QVERIFY(dialog->isVisible());
        path->setText(QStringLiteral("Desktop/inner")); // under the home folder
        okOf(dialog)->click();
    }));
    QCOMPARE(browser.FolderName(), m_home->path() + QStringLiteral("/Desktop/inner"));
}

void tst_TSHBrowseForFolderEx::browseFlags_data()
{
    QTest::addColumn<int>("options");
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<bool>("showPath");
    QTest::newRow("default") << int(sboReturnOnlyFSDirs) << 1u << false;
    QTest::newRow("all") << 0x1F << 15u << true;
    QTest::newRow("status only") << int(sboStatusText) << 4u << false;
    QTest::newRow("domain, ancestors")
        << int(sboDontGoBelowDomain | sboReturnFSAncestors) << 10u << false;
    QTest::newRow("none") << 0 << 0u << false;
}

void tst_TSHBrowseForFolderEx::browseFlags()
{
    QFETCH(int, options);
    QFETCH(unsigned, flags);
    QFETCH(bool, showPath);
    bool path = !showPath;
    QCOMPARE(TSHBrowseForFolderEx::browseFlags(TSHBrowseOptions(options), &path), flags);
    QCOMPARE(path, showPath);
}

void tst_TSHBrowseForFolderEx::centerScreen_data()
{
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("plain") << QRect(0, 0, 1280, 1024) << QSize(340, 424) << QPoint(470, 200);
    QTest::newRow("rounds down") << QRect(0, 0, 1001, 1001) << QSize(300, 300) << QPoint(350, 233);
    // Measured from the screen's origin, not from a work area below a panel.
    QTest::newRow("panel on top") << QRect(0, 30, 1280, 994) << QSize(340, 424) << QPoint(470, 190);
    QTest::newRow("larger than the screen")
        << QRect(0, 0, 300, 200) << QSize(401, 500) << QPoint(-50, -100);
}

void tst_TSHBrowseForFolderEx::centerScreen()
{
    QFETCH(QRect, workArea);
    QFETCH(QSize, dialog);
    QFETCH(QPoint, position);
    QCOMPARE(TSHBrowseForFolderEx::centerScreenPosition(QPoint(0, 0), workArea, dialog), position);
}

QTEST_MAIN(tst_TSHBrowseForFolderEx)
#include "tst_TSHBrowseForFolderEx.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The options dialog against a program folder of its own and a main window stand-in: what it
// shows, what OK writes and applies, and what stops it.
#include "HomeTest.h"
#include "common/ErrorHandler.h"
#include "common/SjisCodec.h"
#include "settings/ColorPalette.h"
#include "settings/GeckoModuleFolder.h"
#include "settings/IniFile.h"
#include "settings/TColorSwatch.h"
#include "settings/TOptionsTarget.h"
#include "settings/TUpDown.h"
#include "settings/Tfrm_Option.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

/// Records what the dialog does to the main window.
class FakeMain : public TOptionsTarget
{
public:
    explicit FakeMain(QString folder)
        : m_folder(std::move(folder))
    {}
    QString programFolder() const override { return m_folder; }
    void setGeckoEnabled(bool on) override { calls << QStringLiteral("gecko %1").arg(on); }
    void applyTabStrip(int width, int type) override
    {
        calls << QStringLiteral("tabs %1 %2").arg(width).arg(type);
    }
    void setSwitchTicks(const OptionGroups::Security &t) override
    {
        calls << QStringLiteral("ticks %1%2%3%4%5%6")
                     .arg(t.Java)
                     .arg(t.Script)
                     .arg(t.ActiveX)
                     .arg(t.Image)
                     .arg(t.BGM)
                     .arg(t.Video);
    }
    bool browseForFolder(QWidget *, const QString &caption, QString *folder) override
    {
        calls << caption;
        *folder = QStringLiteral("/opt/gecko");
        return true;
    }

    QStringList calls;

private:
    QString m_folder;
};

enum Action { None, VisitTab, EditTabType, VisitStartUp };

} // namespace

Q_DECLARE_METATYPE(Action)

class tst_Tfrm_Option : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void okWrites_data();
    void okWrites();
    void nonIntegerStopsBeforeMainWindow();
    void geckoBoxActsAtOnceAndCancelKeepsIt();
    void pagesFollowTheTree();
    void colourPickerStartsBlackThenLastPicked();
    void badSettingsOpenWithDefaults();
    void hugeBlockListKeepsItsBytes();
    void unwritableConfigKeepsDialogOpen();
    void browseButtonFillsMozPath();
    void webListButtonOpensInWebListFolder();

private:
    void select(Tfrm_Option &dialog, const QString &node)
    {
        dialog.TreeView1->setCurrentItem(
            dialog.TreeView1->findItems(node, Qt::MatchExactly | Qt::MatchRecursive).value(0));
    }
    QByteArray config() const { return m_home->read(QStringLiteral("config.ini")); }

    std::unique_ptr<FakeMain> m_main;
    QStringList m_errors;
};

void tst_Tfrm_Option::initHome()
{
    m_main = std::make_unique<FakeMain>(m_home->path());
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors << text; });
}

void tst_Tfrm_Option::cleanupHome()
{
    ErrorHandler::setSink({});
    m_main.reset();
}

void tst_Tfrm_Option::okWrites_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("tabs");
    // An empty "MozPath" is shown, and so written, as the module folder this build carries.
    const QByteArray general("[Option_Main]\r\nMozPath=" + GeckoModuleFolder::Proposed().toUtf8() +
                             "\r\nMozilla=0\r\nTranslate=0\r\n");
    const QByteArray colours("ActivateChColor=clWindowText\r\nActivateBGColor=clBtnFace\r\n"
                             "DeActivateChColor=clWindowText\r\nDeActivateBGColor=clBtnFace\r\n");
    QTest::newRow("OK at once") << QByteArray() << None << general << "tabs -1 0";
    QTest::newRow("tab page: nine keys, size clamped")
        << QByteArray("[Option_Tab]\r\nfix=1\r\nMaxSize=400\r\n") << VisitTab
        << "[Option_Tab]\r\nfix=1\r\nMaxSize=300\r\nLen=0\r\nMaxLen=0\r\nTabType=0\r\n" + colours +
               "\r\n" + general
        << "tabs 300 0";
    QTest::newRow("typed tab type is -1")
        << QByteArray("[Option_Tab]\r\nTabType=0\r\n") << EditTabType
        << "[Option_Tab]\r\nTabType=-1\r\nfix=0\r\nMaxSize=75\r\nLen=0\r\nMaxLen=0\r\n" + colours +
               "\r\n" + general
        << "tabs -1 -1";
    QTest::newRow("start-up type 7 kept")
        << QByteArray("[Option_StartUp]\r\nType=7\r\nPath=x.wlf\r\n") << VisitStartUp
        << "[Option_StartUp]\r\nType=7\r\nPath=x.wlf\r\n\r\n" + general << "tabs -1 0";
}

void tst_Tfrm_Option::okWrites()
{
    QFETCH(QByteArray, stored);
    QFETCH(Action, action);
    QFETCH(QByteArray, file);
    QFETCH(QString, tabs);
    if (!stored.isEmpty())
        m_home->write(QStringLiteral("config.ini"), stored);
    Tfrm_Option dialog(m_main.get());
    dialog.show();
    QCOMPARE(dialog.visited(), (OptionValues::Visited{1, 0, 0, 0, 0, 0}));
    if (action == VisitTab || action == EditTabType)
        select(dialog, QStringLiteral("タブ"));
    if (action == EditTabType)
        dialog.cmbTabType->setEditText(QStringLiteral("丸"));
    if (action == VisitStartUp) {
        select(dialog, QStringLiteral("スタートアップ"));
        for (QRadioButton *b :
             {dialog.radNone, dialog.radLastWin, dialog.radURL, dialog.radWebList})
            QVERIFY(!b->isChecked());
    }
    dialog.Button1->click();
    QCOMPARE(m_errors, QStringList());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(config(), file);
    QCOMPARE(m_main->calls.value(1), tabs);
    QCOMPARE(m_main->calls.value(2), QStringLiteral("ticks 000000"));
    QVERIFY(QFile::exists(m_home->file(QStringLiteral("CloseURL.txt"))));
    QCOMPARE(m_home->read(QStringLiteral("CloseURL.txt")), QByteArray());
}

void tst_Tfrm_Option::nonIntegerStopsBeforeMainWindow()
{
    m_home->write(QStringLiteral("CloseURL.txt"), "*old*\r\n");
    Tfrm_Option dialog(m_main.get());
    dialog.show();
    select(dialog, QStringLiteral("広告抑止"));
    QVERIFY(dialog.popListReady());
    QCOMPARE(dialog.PopList->toPlainText(), QStringLiteral("*old*"));
    dialog.PopList->setPlainText(QStringLiteral("*new*"));
    select(dialog, QStringLiteral("タブ"));
    dialog.txtTabSize->setText(QStringLiteral("12px"));
    m_main->calls.clear();
    dialog.Button1->click();
    QCOMPARE(m_errors, QStringList{QStringLiteral("'12px' は整数ではありません")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_main->calls, QStringList());
    QCOMPARE(m_home->read(QStringLiteral("CloseURL.txt")), QByteArray("*old*\r\n"));
    // The keys before the bad one stay written.
    QVERIFY(config().contains("[Option_Main]") && config().contains("fix=0"));
    QVERIFY(!config().contains("MaxSize"));
}

void tst_Tfrm_Option::geckoBoxActsAtOnceAndCancelKeepsIt()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_Main]\r\nMozilla=2\r\nMozPath=/g\r\n");
    Tfrm_Option dialog(m_main.get());
    QCOMPARE(m_main->calls, QStringList{QStringLiteral("gecko 1")});
    QVERIFY(dialog.chkMoz->isChecked() && dialog.txtMozPath->isEnabled());
    dialog.show();
    dialog.chkMoz->click();
    QCOMPARE(m_main->calls.value(1), QStringLiteral("gecko 0"));
    QVERIFY(!dialog.txtMozPath->isEnabled() && !dialog.BitBtn1->isEnabled());
    QVERIFY(!dialog.btnSetMZ->isEnabled());
    QCOMPARE(dialog.Button2->text(), QStringLiteral("キャンセル"));
    QCOMPARE(dialog.chkActive3->text(), QStringLiteral("有効にする"));
    dialog.Button2->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_main->calls.size(), 2);
    QCOMPARE(config(), QByteArray("[Option_Main]\r\nMozilla=2\r\nMozPath=/g\r\n"));
}

void tst_Tfrm_Option::pagesFollowTheTree()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_StartUp]\r\nType=1\r\n");
    Tfrm_Option dialog(m_main.get());
    QCOMPARE(dialog.PageCTL->currentWidget(), dialog.TabSheet[OptionValues::General]);
    QVERIFY(dialog.TreeView1->topLevelItem(1)->isExpanded()); // タブ shows under ウィンドウ
    select(dialog, QStringLiteral("広告抑止"));
    QCOMPARE(dialog.PageCTL->currentWidget(), dialog.TabSheet[OptionValues::Advert]);
    QCOMPARE(dialog.visited(), (OptionValues::Visited{1, 0, 1, 0, 0, 0}));
    // The start-up buttons: type 1 ticks 指定したURL; each button sets the type and the looks.
    QVERIFY(dialog.radURL->isChecked());
    QVERIFY(dialog.txtStartPath->isEnabled() && !dialog.BitBtn2->isEnabled());
    dialog.radWebList->click();
    QCOMPARE(dialog.startupType(), 2);
    QVERIFY(dialog.BitBtn2->isEnabled());
    dialog.radLastWin->click();
    QCOMPARE(dialog.startupType(), 3);
    QVERIFY(!dialog.txtStartPath->isEnabled() && !dialog.BitBtn2->isEnabled());
    QCOMPARE(dialog.txtStartPath->palette().color(QPalette::Base),
             ColorPalette::toQColor(0x8000000B));
    // The tab boxes enable their edits and up-downs.
    QVERIFY(!dialog.txtTabSize->isEnabled());
    dialog.chkTabSize->click();
    QVERIFY(dialog.txtTabSize->isEnabled() && dialog.UpDown1->isEnabled());
    QCOMPARE(dialog.txtTabSize->palette().color(QPalette::Base),
             ColorPalette::toQColor(0x80000009));
}

void tst_Tfrm_Option::colourPickerStartsBlackThenLastPicked()
{
    Tfrm_Option dialog(m_main.get());
    dialog.show();
    QList<QColor> opened;
    auto pick = [&](const QColor &color) {
        QTimer::singleShot(0, dialog.ColorDialog1, [&, color] {
            opened << dialog.ColorDialog1->currentColor();
            dialog.ColorDialog1->setCurrentColor(color);
            dialog.ColorDialog1->accept();
        });
    };
    pick(QColor(0, 0, 255));
    Q_EMIT dialog.BGColor2->clicked();
    QCOMPARE(dialog.BGColor2->color(), quint32(0x00FF0000));
    QCOMPARE(dialog.ColorPanel2->palette().color(QPalette::Window), QColor(0, 0, 255));
    pick(QColor(255, 0, 0));
    Q_EMIT dialog.ChColor1->clicked();
    QCOMPARE(opened, (QList<QColor>{Qt::black, QColor(0, 0, 255)}));
    QCOMPARE(dialog.ColorPanel1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    select(dialog, QStringLiteral("タブ"));
    dialog.Button1->click();
    QVERIFY(config().contains("ActivateChColor=clRed\r\n"));
    QVERIFY(config().contains("DeActivateBGColor=clBlue\r\n"));
}

void tst_Tfrm_Option::badSettingsOpenWithDefaults()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[Option_Main]\r\nMozilla=yes\r\nTranslate=\r\n[Option_Tab]\r\nfix=-1\r\n"
                  "MaxSize=-40\r\nLen=99999999999\r\nMaxLen=101\r\nTabType=5\r\n"
                  "ActivateChColor=purple-ish\r\n[Option_StartUp]\r\nType=\r\n");
    Tfrm_Option dialog(m_main.get());
    QVERIFY(!dialog.chkMoz->isChecked());
    QVERIFY(dialog.radTrans2->isChecked());
    QVERIFY(dialog.chkTabSize->isChecked());
    QCOMPARE(dialog.txtTabSize->text(), QStringLiteral("0"));
    QVERIFY(!dialog.chkTabLen->isChecked());
    QCOMPARE(dialog.txtTabLen->text(), QStringLiteral("100"));
    QCOMPARE(dialog.cmbTabType->currentIndex(), -1);
    QCOMPARE(dialog.ChColor1->color(), quint32(0x80000008));
    QVERIFY(dialog.radNone->isChecked());
    QCOMPARE(m_errors, QStringList());
}

void tst_Tfrm_Option::hugeBlockListKeepsItsBytes()
{
    // 10 MB of patterns, every tenth line with bytes that are no Shift_JIS.
    QByteArray bytes;
    for (int i = 0; bytes.size() < 10 * 1024 * 1024; ++i)
        bytes += "*ads" + QByteArray::number(i) + (i % 10 ? "*" : "\x82\xFF") + "\r\n";
    m_home->write(QStringLiteral("CloseURL.txt"), bytes);
    m_home->write(QStringLiteral("config.ini"), "[Option_advertisemen]\r\nCloseURL=1\r\n");
    Tfrm_Option dialog(m_main.get());
    dialog.show();
    select(dialog, QStringLiteral("広告抑止"));
    // The list fills while the dialog goes on answering; until then it cannot be edited.
    QVERIFY(!dialog.popListReady() && dialog.PopList->isReadOnly());
    QVERIFY(dialog.chkPop->isChecked());
    dialog.Button1->click();
    QCOMPARE(m_errors, QStringList());
    QVERIFY(m_home->read(QStringLiteral("CloseURL.txt")) == bytes);
}

void tst_Tfrm_Option::unwritableConfigKeepsDialogOpen()
{
    // A folder where config.ini should be cannot be replaced, even by root.
    Tfrm_Option dialog(m_main.get());
    dialog.show();
    QVERIFY(QDir(m_home->path()).mkdir(QStringLiteral("config.ini")));
    dialog.Button1->click();
    QCOMPARE(
        m_errors,
        QStringList{
            QStringLiteral("%1 に書き込めません").arg(m_home->file(QStringLiteral("config.ini")))});
    QVERIFY(dialog.isVisible());
    QVERIFY(!QFile::exists(m_home->file(QStringLiteral("CloseURL.txt"))));
}

void tst_Tfrm_Option::browseButtonFillsMozPath()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_Main]\r\nMozilla=1\r\n");
    Tfrm_Option dialog(m_main.get());
    dialog.show();
    dialog.BitBtn1->click();
    QCOMPARE(m_main->calls.value(1), QStringLiteral("Mozillaのあるフォルダを選択してください。"));
    QCOMPARE(dialog.txtMozPath->text(), QStringLiteral("/opt/gecko"));
}

void tst_Tfrm_Option::webListButtonOpensInWebListFolder()
{
    m_home->write(QStringLiteral("WebList/朝.wlf"), "http://a/\r\n");
    m_home->write(QStringLiteral("config.ini"), "[Option_StartUp]\r\nType=2\r\n");
    Tfrm_Option dialog(m_main.get());
    dialog.show();
    QString opened;
    QTimer::singleShot(0, dialog.OpenDialog1, [&] {
        opened = dialog.OpenDialog1->directory().absolutePath();
        dialog.OpenDialog1->selectFile(m_home->file(QStringLiteral("WebList/朝.wlf")));
        QMetaObject::invokeMethod(dialog.OpenDialog1, "accept");
    });
    dialog.BitBtn2->click();
    QCOMPARE(opened + QLatin1Char('/'), m_home->file(QStringLiteral("WebList/")));
    QCOMPARE(dialog.txtStartPath->text(), m_home->file(QStringLiteral("WebList/朝.wlf")));
}

QTEST_MAIN(tst_Tfrm_Option)
#include "tst_Tfrm_Option.moc"

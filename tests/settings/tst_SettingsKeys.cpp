// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The key table and the group readers against config.ini as the program writes it.
#include "HomeTest.h"
#include "settings/IniFile.h"
#include "settings/OptionGroups.h"
#include "settings/SettingsKeys.h"

#include <QtTest>

#include <functional>
#include <memory>

using Field = std::function<QVariant()>;
Q_DECLARE_METATYPE(Field)

// One field of one group, read afresh from config.ini.
#define FIELD(group, member)                                                                       \
    Field([] { return QVariant::fromValue(OptionGroups::Read##group().member); })

class tst_SettingsKeys : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void groups_data();
    void groups();
    void readSeesLatestWrite();

private:
};

void tst_SettingsKeys::groups_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QVariant>("expected");

    auto row = [](const char *name, const QByteArray &config, const Field &f, const QVariant &e) {
        QTest::newRow(name) << config << f << e;
    };
    const QString empty;
    // No config.ini: a fresh installation.
    row("none Mozilla", "", FIELD(Gecko, Mozilla), 0);
    row("none MozPath", "", FIELD(Gecko, MozPath), empty);
    row("none Java", "", FIELD(Security, Java), false);
    row("none Script", "", FIELD(Security, Script), false);
    row("none ActiveX", "", FIELD(Security, ActiveX), false);
    row("none Image", "", FIELD(Security, Image), false);
    row("none BGM", "", FIELD(Security, BGM), false);
    row("none Video", "", FIELD(Security, Video), false);
    row("none fix", "", FIELD(Tab, fix), 0);
    row("none MaxSize", "", FIELD(Tab, MaxSize), 75);
    row("none Len", "", FIELD(Tab, Len), false);
    row("none MaxLen", "", FIELD(Tab, MaxLen), 0);
    row("none TabType", "", FIELD(Tab, TabType), 0);
    row("none ActivateChColor", "", FIELD(Tab, ActivateChColor), QStringLiteral("clWindowText"));
    row("none ActivateBGColor", "", FIELD(Tab, ActivateBGColor), QStringLiteral("clBtnFace"));
    row("none DeActivateChColor", "", FIELD(Tab, DeActivateChColor),
        QStringLiteral("clWindowText"));
    row("none DeActivateBGColor", "", FIELD(Tab, DeActivateBGColor), QStringLiteral("clBtnFace"));
    row("none Type", "", FIELD(StartUp, Type), 0);
    row("none Path", "", FIELD(StartUp, Path), empty);
    row("none BookMark", "", FIELD(Window, BookMark), 0);
    row("none AddressBar", "", FIELD(Window, AddressBar), 0);
    row("none NewWindow_Active", "", FIELD(Window, NewWindow_Active), false);

    // Stored values, under the names the options dialog writes.
    row("Mozilla", "[Option_Main]\r\nMozilla=2\r\n", FIELD(Gecko, Mozilla), 2);
    row("MozPath", "[option_main]\r\nMOZPATH=/opt/gk\r\n", FIELD(Gecko, MozPath),
        QStringLiteral("/opt/gk"));
    row("Java -1", "[Option_Security]\r\nJava=-1\r\n", FIELD(Security, Java), true);
    row("Video", "[Option_Multimedia]\r\nVideo=1\r\n", FIELD(Security, Video), true);
    row("Image in the wrong section", "[Option_Security]\r\nImage=1\r\n", FIELD(Security, Image),
        false);
    row("fix 2 stays 2", "[Option_Tab]\r\nfix=2\r\n", FIELD(Tab, fix), 2);
    row("MaxSize $4B", "[Option_Tab]\r\nMaxSize=$4B\r\n", FIELD(Tab, MaxSize), 75);
    row("MaxLen", "[Option_Tab]\r\nLen=1\r\nMaxLen=3\r\n", FIELD(Tab, MaxLen), 3);
    row("DeActivateBGColor", "[Option_Tab]\r\nDeActivateBGColor=$00FF8000\r\n",
        FIELD(Tab, DeActivateBGColor), QStringLiteral("$00FF8000"));
    row("Type 7", "[Option_StartUp]\r\nType=7\r\n", FIELD(StartUp, Type), 7);
    row("Path", "[Option_StartUp]\r\nPath=http://a/\r\n", FIELD(StartUp, Path),
        QStringLiteral("http://a/"));
    row("BookMark 2 stays 2", "[Option_Window]\r\nBookMark=2\r\n", FIELD(Window, BookMark), 2);
    row("AddressBar of Bar", "[Bar]\r\nAddressBar=1\r\n", FIELD(Window, AddressBar), 0);
    row("NewWindow_Active", "[Option_Window]\r\nNewWindow_Active=1\r\n",
        FIELD(Window, NewWindow_Active), true);
}

void tst_SettingsKeys::groups()
{
    QFETCH(QByteArray, config);
    QFETCH(Field, field);
    QFETCH(QVariant, expected);
    if (!config.isEmpty())
        m_home->write(QStringLiteral("config.ini"), config);
    QCOMPARE(field(), expected);
}

void tst_SettingsKeys::readSeesLatestWrite()
{
    namespace K = SettingsKeys;
    QCOMPARE(OptionGroups::ReadTab().MaxSize, 75);
    IniFile ini = IniFile::config();
    K::write(ini, K::Option_Tab::MaxSize, 120);
    K::write(ini, K::Option_Tab::fix, true);
    QCOMPARE(m_home->read(QStringLiteral("config.ini")),
             QByteArray("[Option_Tab]\r\nMaxSize=120\r\nfix=1\r\n"));
    QCOMPARE(OptionGroups::ReadTab().MaxSize, 120);
    QCOMPARE(OptionGroups::ReadTab().fix, 1);
}

QTEST_GUILESS_MAIN(tst_SettingsKeys)
#include "tst_SettingsKeys.moc"

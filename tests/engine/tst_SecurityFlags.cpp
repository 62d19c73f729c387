// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "engine/SecurityFlags.h"
#include "settings/IniFile.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(TDownLoadControl)
Q_DECLARE_METATYPE(SecurityFlags)

class tst_SecurityFlags : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void noConfigBlocksEverything();
    void loadReadsEachKey_data();
    void loadReadsEachKey();
    void apply_data();
    void apply();

private:
};

void tst_SecurityFlags::noConfigBlocksEverything()
{
    QVERIFY(!QFile::exists(m_home->file(QStringLiteral("config.ini"))));
    const SecurityFlags flags = SecurityFlags::LoadSecurityFlags();
    QCOMPARE(SecurityFlags::ApplySecurityFlags(flags).report(), 0x780u);
}

void tst_SecurityFlags::loadReadsEachKey_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<quint32>("expected");

    QTest::newRow("Java") << "Option_Security"
                          << "Java" << 0x680u;
    QTest::newRow("Script") << "Option_Security"
                            << "Script" << 0x700u;
    QTest::newRow("ActiveX") << "Option_Security"
                             << "ActiveX" << 0x180u;
    QTest::newRow("Image") << "Option_Multimedia"
                           << "Image" << 0x790u;
    QTest::newRow("BGM") << "Option_Multimedia"
                         << "BGM" << 0x7C0u;
    QTest::newRow("Video") << "Option_Multimedia"
                           << "Video" << 0x7A0u;
    // A key in the other section must not count.
    QTest::newRow("Java in the wrong section") << "Option_Multimedia"
                                               << "Java" << 0x780u;
}

void tst_SecurityFlags::loadReadsEachKey()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(quint32, expected);

    m_home->write(QStringLiteral("config.ini"),
                  "[" + section.toLatin1() + "]\r\n" + key.toLatin1() + "=1\r\n");
    const SecurityFlags flags = SecurityFlags::LoadSecurityFlags();
    QCOMPARE(SecurityFlags::ApplySecurityFlags(flags).report(), expected);
}

void tst_SecurityFlags::apply_data()
{
    QTest::addColumn<SecurityFlags>("flags");
    QTest::addColumn<TDownLoadControl>("expected");

    QTest::newRow("all off") << SecurityFlags()
                             << TDownLoadControl{CS_NoJava, CS_NoScripts, CS_NoActiveXRun,
                                                 cs_NoActiveXDownLoad};
    QTest::newRow("all on") << SecurityFlags{true, true, true, true, true, true}
                            << TDownLoadControl{CS_Images, CS_BGSounds, CS_Videos};
    QTest::newRow("media only") << SecurityFlags{false, false, false, true, true, true}
                                << TDownLoadControl{CS_NoJava,       CS_NoScripts,
                                                    CS_NoActiveXRun, cs_NoActiveXDownLoad,
                                                    CS_Images,       CS_BGSounds,
                                                    CS_Videos};
    QTest::newRow("scripts only") << SecurityFlags{false, true, false, false, false, false}
                                  << TDownLoadControl{CS_NoJava, CS_NoActiveXRun,
                                                      cs_NoActiveXDownLoad};
}

void tst_SecurityFlags::apply()
{
    QFETCH(SecurityFlags, flags);
    QFETCH(TDownLoadControl, expected);
    const TDownLoadControl set = SecurityFlags::ApplySecurityFlags(flags);
    QCOMPARE(set.bits(), expected.bits());
    // A page window never gets a cache, frame, pull or offline flag.
    QCOMPARE(set.report() & ~0x7F0u, 0u);
}

QTEST_GUILESS_MAIN(tst_SecurityFlags)
#include "tst_SecurityFlags.moc"

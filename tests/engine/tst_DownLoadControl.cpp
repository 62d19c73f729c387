// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/DownLoadControl.h"
#include "engine/HostOptions.h"

#include <QtTest>

Q_DECLARE_METATYPE(TDownLoadControl)

class tst_DownLoadControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void report_data();
    void report();
    void eachFlagHasItsOwnBit();
    void excludeRemovesOnlyThatFlag();
    void hostInfoFlags_data();
    void hostInfoFlags();
};

void tst_DownLoadControl::report_data()
{
    QTest::addColumn<TDownLoadControl>("set");
    QTest::addColumn<quint32>("expected");

    QTest::newRow("empty") << TDownLoadControl() << 0u;
    QTest::newRow("default set") << TDownLoadControl::defaultSet() << 0x70u;
    QTest::newRow("page window, all switches off")
        << TDownLoadControl{CS_NoJava, CS_NoScripts, CS_NoActiveXRun, cs_NoActiveXDownLoad}
        << 0x780u;
    QTest::newRow("capture set") << TDownLoadControl::captureSet() << 0x20004780u;
    // Positions 8..10 are out of the order of their values.
    QTest::newRow("resynchronize alone") << TDownLoadControl{CS_ReSynchronize} << 0x2000u;
    QTest::newRow("no cache alone") << TDownLoadControl{CS_NoCash} << 0x4000u;
    QTest::newRow("no frame alone") << TDownLoadControl{CS_NoFrame} << 0x1000u;
    QTest::newRow("download only") << TDownLoadControl{CS_DownLoadOnly} << 0x800u;
    QTest::newRow("offline flags") << TDownLoadControl{CS_ForceOffLine, CS_OffLine} << 0x90000000u;
    QTest::newRow("silent") << TDownLoadControl{CS_Silent} << 0x40000000u;
    QTest::newRow("every flag") << TDownLoadControl{CS_Images,
                                                    CS_Videos,
                                                    CS_BGSounds,
                                                    CS_NoScripts,
                                                    CS_NoJava,
                                                    CS_NoActiveXRun,
                                                    cs_NoActiveXDownLoad,
                                                    CS_DownLoadOnly,
                                                    CS_ReSynchronize,
                                                    CS_NoCash,
                                                    CS_NoFrame,
                                                    CS_ForceOffLine,
                                                    CS_NoClientPull,
                                                    CS_Silent,
                                                    CS_OffLine}
                                << 0xF0007FF0u;
}

void tst_DownLoadControl::report()
{
    QFETCH(TDownLoadControl, set);
    QFETCH(quint32, expected);
    QCOMPARE(set.report(), expected);
}

void tst_DownLoadControl::eachFlagHasItsOwnBit()
{
    // A flag stored in the wrong bit would alias another flag of the 16-bit set.
    for (int position = CS_Images; position <= CS_OffLine; ++position) {
        const TDownLoadControl set{TDownLoadControlFlag(position)};
        QCOMPARE(set.bits(), quint16(1u << position));
        for (int other = CS_Images; other <= CS_OffLine; ++other)
            QCOMPARE(set.contains(TDownLoadControlFlag(other)), other == position);
    }
}

void tst_DownLoadControl::excludeRemovesOnlyThatFlag()
{
    TDownLoadControl set = TDownLoadControl::captureSet();
    set.exclude(CS_NoCash);
    QCOMPARE(set.report(), 0x20000780u);
    set.exclude(CS_NoCash);
    QCOMPARE(set.report(), 0x20000780u);
}

void tst_DownLoadControl::hostInfoFlags_data()
{
    QTest::addColumn<bool>("no3dBorder");
    QTest::addColumn<bool>("scrollHidden");
    QTest::addColumn<bool>("dontScript");
    QTest::addColumn<bool>("noBehavior");
    QTest::addColumn<bool>("autoComplete");
    QTest::addColumn<quint32>("expected");

    QTest::newRow("defaults") << false << false << false << false << true << 0x4000u;
    QTest::newRow("nothing") << false << false << false << false << false << 0u;
    QTest::newRow("no 3D border") << true << false << false << false << false << 0x4u;
    QTest::newRow("scroll bars hidden") << false << true << false << false << false << 0x8u;
    QTest::newRow("no script inactive") << false << false << true << false << false << 0x10u;
    QTest::newRow("no behavior") << false << false << false << true << false << 0x400u;
    QTest::newRow("all") << true << true << true << true << true << 0x441Cu;
}

void tst_DownLoadControl::hostInfoFlags()
{
    QFETCH(bool, no3dBorder);
    QFETCH(bool, scrollHidden);
    QFETCH(bool, dontScript);
    QFETCH(bool, noBehavior);
    QFETCH(bool, autoComplete);
    QFETCH(quint32, expected);

    HostOptions options;
    options.IeNO3DBORDER = no3dBorder;
    options.IeSCROLL_hidden = scrollHidden;
    options.IeDontSCRIPT = dontScript;
    options.IeNoBehavior = noBehavior;
    options.IeAutoComplete = autoComplete;
    // The two options outside the record must not leak into it.
    options.IeNoContext = true;
    options.IeEnableAccelerator = false;
    QCOMPARE(options.hostInfoFlags(), expected);
}

QTEST_GUILESS_MAIN(tst_DownLoadControl)
#include "tst_DownLoadControl.moc"

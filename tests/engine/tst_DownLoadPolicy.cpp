// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/DownLoadPolicy.h"

#include <QtTest>

Q_DECLARE_METATYPE(TDownLoadControl)

using Resource = DownLoadPolicy::Resource;

class tst_DownLoadPolicy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switches_data();
    void switches();
    void refuses_data();
    void refuses();
};

void tst_DownLoadPolicy::switches_data()
{
    QTest::addColumn<TDownLoadControl>("set");
    // images, media, muted, scripts, plugins, client pull, silent, bypass cache
    QTest::addColumn<QString>("expected");

    QTest::newRow("default set") << TDownLoadControl::defaultSet() << "im-sp--- ";
    QTest::newRow("page window, all off")
        << TDownLoadControl{CS_NoJava, CS_NoScripts, CS_NoActiveXRun, cs_NoActiveXDownLoad}
        << "--M----- ";
    QTest::newRow("capture set") << TDownLoadControl::captureSet() << "--M--c-N ";
    QTest::newRow("Java alone turns plug-ins off") << TDownLoadControl{CS_NoJava} << "--Ms---- ";
    QTest::newRow("silent") << TDownLoadControl{CS_Silent} << "--Msp-S- ";
}

void tst_DownLoadPolicy::switches()
{
    QFETCH(TDownLoadControl, set);
    QFETCH(QString, expected);
    const DownLoadPolicy p = DownLoadPolicy::of(set);
    QString actual;
    actual += p.loadImages ? QLatin1Char('i') : QLatin1Char('-');
    actual += p.loadMedia ? QLatin1Char('m') : QLatin1Char('-');
    actual += p.muted ? QLatin1Char('M') : QLatin1Char('-');
    actual += p.runScripts ? QLatin1Char('s') : QLatin1Char('-');
    actual += p.plugins ? QLatin1Char('p') : QLatin1Char('-');
    actual += p.followClientPull ? QLatin1Char('-') : QLatin1Char('c');
    actual += p.silent ? QLatin1Char('S') : QLatin1Char('-');
    actual += p.bypassCache ? QLatin1Char('N') : QLatin1Char('-');
    actual += QLatin1Char(' ');
    QCOMPARE(actual, expected);
}

void tst_DownLoadPolicy::refuses_data()
{
    QTest::addColumn<TDownLoadControl>("set");
    QTest::addColumn<Resource>("resource");
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<bool>("refused");

    const TDownLoadControl none;
    const TDownLoadControl all = TDownLoadControl::defaultSet();
    QTest::newRow("page, nothing allowed") << none << Resource::MainFrame << "http" << false;
    QTest::newRow("image without CS_Images") << none << Resource::Image << "http" << true;
    QTest::newRow("image with CS_Images") << all << Resource::Image << "http" << false;
    QTest::newRow("media without CS_Videos") << none << Resource::Media << "http" << true;
    QTest::newRow("media with CS_Videos") << all << Resource::Media << "http" << false;
    QTest::newRow("frame") << all << Resource::SubFrame << "http" << false;
    QTest::newRow("frame, CS_NoFrame")
        << TDownLoadControl{CS_NoFrame} << Resource::SubFrame << "http" << true;
    QTest::newRow("object, no ActiveX download")
        << TDownLoadControl{cs_NoActiveXDownLoad} << Resource::Object << "http" << true;
    QTest::newRow("object allowed") << all << Resource::Object << "http" << false;
    QTest::newRow("offline, network page")
        << TDownLoadControl{CS_ForceOffLine} << Resource::MainFrame << "https" << true;
    QTest::newRow("offline, local file")
        << TDownLoadControl{CS_ForceOffLine} << Resource::MainFrame << "file" << false;
    QTest::newRow("offline, upper-case scheme")
        << TDownLoadControl{CS_ForceOffLine} << Resource::Other << "HTTP" << true;
}

void tst_DownLoadPolicy::refuses()
{
    QFETCH(TDownLoadControl, set);
    QFETCH(Resource, resource);
    QFETCH(QString, scheme);
    QFETCH(bool, refused);
    QCOMPARE(DownLoadPolicy::of(set).refuses(resource, scheme), refused);
}

QTEST_GUILESS_MAIN(tst_DownLoadPolicy)
#include "tst_DownLoadPolicy.moc"

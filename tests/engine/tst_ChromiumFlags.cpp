// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/ChromiumFlags.h"
#include "settings/PageLanguages.h"

#include <QtTest>

class tst_ChromiumFlags : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void processModel_data();
    void processModel();
    void language_data();
    void language();
};

void tst_ChromiumFlags::processModel_data()
{
    QTest::addColumn<QByteArray>("flags");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("none") << QByteArray() << QByteArray("--process-per-site");
    QTest::newRow("others kept") << QByteArray(" --disable-gpu ")
                                 << QByteArray("--disable-gpu --process-per-site");
    QTest::newRow("user's model") << QByteArray("--process-per-tab --disable-gpu")
                                  << QByteArray("--process-per-tab --disable-gpu");
    QTest::newRow("user's limit") << QByteArray("--renderer-process-limit=2")
                                  << QByteArray("--renderer-process-limit=2");
    QTest::newRow("a longer flag is not a model")
        << QByteArray("--process-per-site-x")
        << QByteArray("--process-per-site-x --process-per-site");
}

void tst_ChromiumFlags::processModel()
{
    QFETCH(QByteArray, flags);
    QFETCH(QByteArray, expected);
    QCOMPARE(ChromiumFlags::withProcessModel(flags), expected);
}

void tst_ChromiumFlags::language_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("flags");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QByteArray>("acceptLanguage");
    QTest::newRow("C") << QLocale::c() << QByteArray("--disable-gpu")
                       << QByteArray("--disable-gpu --lang=ja") << QByteArray("ja,en;q=0.9");
    QTest::newRow("ja_JP") << QLocale(QStringLiteral("ja_JP")) << QByteArray()
                           << QByteArray("--lang=ja") << QByteArray("ja,en;q=0.9");
    QTest::newRow("en_US") << QLocale(QStringLiteral("en_US")) << QByteArray()
                           << QByteArray("--lang=ja") << QByteArray("ja,en;q=0.9");
    QTest::newRow("de_AT") << QLocale(QStringLiteral("de_AT")) << QByteArray()
                           << QByteArray("--lang=de-AT") << QByteArray("de-AT,ja;q=0.9,en;q=0.8");
    QTest::newRow("user's own") << QLocale::c() << QByteArray("--lang=fr")
                                << QByteArray("--lang=fr") << QByteArray("ja,en;q=0.9");
}

void tst_ChromiumFlags::language()
{
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, flags);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, acceptLanguage);
    const QStringList languages = PageLanguages::forLocale(locale);
    QCOMPARE(ChromiumFlags::withLanguage(flags, languages.first()), expected);
    QCOMPARE(PageLanguages::acceptLanguage(languages), acceptLanguage);
}

QTEST_GUILESS_MAIN(tst_ChromiumFlags)
#include "tst_ChromiumFlags.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/Translations.h"

#include <QLocale>
#include <QTest>
#include <algorithm>

// Qt's own texts turn Japanese whatever the locale of the desktop.
class tst_Translations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toolkitTextsAreJapanese_data();
    void toolkitTextsAreJapanese();
};

void tst_Translations::toolkitTextsAreJapanese_data()
{
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QByteArray>("source");
    QTest::newRow("standard Cancel button") << QByteArray("QPlatformTheme") << QByteArray("Cancel");
    QTest::newRow("file dialog Look in") << QByteArray("QFileDialog") << QByteArray("Look in:");
    QTest::newRow("edit box Copy") << QByteArray("QLineEdit") << QByteArray("&Copy");
}

void tst_Translations::toolkitTextsAreJapanese()
{
    QFETCH(QByteArray, context);
    QFETCH(QByteArray, source);
    static const bool installed = [] {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return Translations::install(QCoreApplication::instance());
    }();
    QVERIFY(installed);
    const QString text = QCoreApplication::translate(context.constData(), source.constData());
    QVERIFY2(text != QString::fromLatin1(source), qPrintable(text));
    // Japanese script, not some other language.
    QVERIFY2(std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; }),
             qPrintable(text));
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_Translations.moc"

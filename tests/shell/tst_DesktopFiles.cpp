// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The menu entry and the software-centre entry name the same program and this version.
#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

class tst_DesktopFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameProgram();
};

void tst_DesktopFiles::sameProgram()
{
    QFile desktop(QStringLiteral(DORVU_DATA_DIR "/dorvu.desktop"));
    QVERIFY(desktop.open(QIODevice::ReadOnly | QIODevice::Text));
    QHash<QString, QString> entry;
    const QStringList lines = QString::fromUtf8(desktop.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("[Desktop Entry]"));
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            entry.insert(line.left(equals), line.mid(equals + 1));
    }
    QCOMPARE(entry.value(QStringLiteral("Exec")), QStringLiteral("dorvu %U"));
    QCOMPARE(entry.value(QStringLiteral("Icon")), QStringLiteral("dorvu"));
    // Qt's X11 window class is the application name set in main.cpp.
    QCOMPARE(entry.value(QStringLiteral("StartupWMClass")), QStringLiteral("Dorvu"));

    QFile metainfo(QStringLiteral(DORVU_DATA_DIR "/org.dorvu.dorvu.metainfo.xml"));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&metainfo);
    QString id, launchable;
    QStringList releases;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("id"))
            id = xml.readElementText();
        else if (xml.name() == QLatin1String("launchable"))
            launchable = xml.readElementText();
        else if (xml.name() == QLatin1String("release"))
            releases.append(xml.attributes().value(QLatin1String("version")).toString());
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(id, QStringLiteral("org.dorvu.dorvu"));
    QCOMPARE(launchable, QStringLiteral("dorvu.desktop"));
    QCOMPARE(releases.value(0), QStringLiteral(DORVU_VERSION));
}

QTEST_GUILESS_MAIN(tst_DesktopFiles)
#include "tst_DesktopFiles.moc"

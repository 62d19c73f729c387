// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The one guarded read of a whole file: what it refuses and how much it holds.
#include "common/FileRead.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class tst_FileRead : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();

private:
    QTemporaryDir m_dir;
};

void tst_FileRead::read_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("complete");
    const int ok = int(FileRead::Status::Ok);
    const int refused = int(FileRead::Status::Refused);
    const int missing = int(FileRead::Status::Missing);
    QTest::newRow("file") << QStringLiteral("file") << qint64(100) << ok << QByteArray("0123456789")
                          << true;
    QTest::newRow("as large as the limit")
        << QStringLiteral("file") << qint64(10) << ok << QByteArray("0123456789") << true;
    QTest::newRow("larger than the limit")
        << QStringLiteral("file") << qint64(4) << ok << QByteArray("0123") << false;
    QTest::newRow("empty") << QStringLiteral("empty") << qint64(100) << ok << QByteArray() << true;
    QTest::newRow("missing") << QStringLiteral("missing") << qint64(100) << missing << QByteArray()
                             << true;
    QTest::newRow("missing folder")
        << QStringLiteral("missing/x") << qint64(100) << missing << QByteArray() << true;
    QTest::newRow("folder") << QStringLiteral("folder") << qint64(100) << refused << QByteArray()
                            << true;
    QTest::newRow("FIFO, never waited on")
        << QStringLiteral("fifo") << qint64(100) << refused << QByteArray() << true;
}

void tst_FileRead::read()
{
    QFETCH(QString, kind);
    QFETCH(qint64, limit);
    QFETCH(int, status);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, complete);
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(kind);
    if (kind == QLatin1String("file") || kind == QLatin1String("empty")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(kind == QLatin1String("file") ? "0123456789" : "");
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(m_dir.path()).mkpath(kind));
    } else if (kind == QLatin1String("fifo") && !QFile::exists(path)) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    const FileRead::Result result = FileRead::read(path, limit);
    QCOMPARE(int(result.status), status);
    QCOMPARE(result.bytes, bytes);
    QCOMPARE(result.complete, complete);
}

QTEST_GUILESS_MAIN(tst_FileRead)
#include "tst_FileRead.moc"

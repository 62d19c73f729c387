// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The list of downloads: a download takes its name only once complete; a cancelled, failed or
// abandoned one leaves nothing behind.
#include "downloads/DownloadList.h"
#include "engine/EngineDownload.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Writes half its body at start, the rest when told to finish.
class FakeDownload : public EngineDownload
{
public:
    explicit FakeDownload(const QByteArray &body)
        : EngineDownload(QUrl(QStringLiteral("http://127.0.0.1/a.bin")), QStringLiteral("a.bin"),
                         body.size())
        , m_body(body)
    {}
    void start(const QString &path) override
    {
        m_path = path;
        write(m_body.left(m_body.size() / 2));
        Q_EMIT progress(m_body.size() / 2, m_body.size());
    }
    void cancel() override { Q_EMIT failed(QStringLiteral("cancelled")); }
    void finish()
    {
        write(m_body.mid(m_body.size() / 2));
        Q_EMIT finished();
    }
    void breakOff() { Q_EMIT failed(QStringLiteral("connection reset")); }
    QString path() const { return m_path; }

private:
    void write(const QByteArray &bytes)
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::Append));
        file.write(bytes);
    }
    QByteArray m_body;
    QString m_path;
};

const QByteArray Body("0123456789abcdef");

QStringList files(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class tst_DownloadList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completeDownloadTakesItsName_data();
    void completeDownloadTakesItsName();
    void unfinishedDownloadLeavesNothing_data();
    void unfinishedDownloadLeavesNothing();
};

void tst_DownloadList::completeDownloadTakesItsName_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("takenMeanwhile");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("result");
    const QString a = QStringLiteral("a.bin");
    const QString a1 = QStringLiteral("a (1).bin");
    QTest::newRow("free") << false << false << QStringList{a} << a;
    // Another program made a file of that name while the download ran: it keeps it.
    QTest::newRow("taken meanwhile") << false << true << QStringList{a1, a} << a1;
    // The user chose the name in the save dialog, which asked before replacing.
    QTest::newRow("chosen") << true << true << QStringList{a} << a;
}

void tst_DownloadList::completeDownloadTakesItsName()
{
    QFETCH(bool, replace);
    QFETCH(bool, takenMeanwhile);
    QFETCH(QStringList, after);
    QFETCH(QString, result);
    QTemporaryDir dir;
    DownloadList list;
    QSignalSpy done(&list, &DownloadList::downloadDone);
    auto *download = new FakeDownload(Body);
    const QString target = list.freePath(dir.path(), download->suggestedName());
    list.add(download, target, replace);
    QCOMPARE(download->path(), QString(target + QStringLiteral(".part")));
    QVERIFY(!QFile::exists(target));
    QCOMPARE(list.entry(0).received, Body.size() / 2);
    if (takenMeanwhile) {
        QFile other(target);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("other");
    }
    download->finish();
    QCOMPARE(done.count(), 1);
    QCOMPARE(list.entry(0).state, DownloadList::State::Done);
    QCOMPARE(list.entry(0).name, result);
    QCOMPARE(files(dir), after);
    QFile file(dir.filePath(result));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Body);
}

void tst_DownloadList::unfinishedDownloadLeavesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("state");
    QTest::newRow("cancel") << QStringLiteral("cancel") << int(DownloadList::State::Cancelled);
    QTest::newRow("failure") << QStringLiteral("fail") << int(DownloadList::State::Failed);
    QTest::newRow("list goes") << QStringLiteral("destroy") << -1;
}

void tst_DownloadList::unfinishedDownloadLeavesNothing()
{
    QFETCH(QString, how);
    QFETCH(int, state);
    QTemporaryDir dir;
    auto list = std::make_unique<DownloadList>();
    QSignalSpy failed(list.get(), &DownloadList::downloadFailed);
    QPointer<FakeDownload> download = new FakeDownload(Body);
    list->add(download, dir.filePath(QStringLiteral("a.bin")), false);
    QCOMPARE(files(dir), QStringList{QStringLiteral("a.bin.part")});
    if (how == QLatin1String("cancel"))
        list->cancel(0);
    else if (how == QLatin1String("fail"))
        download->breakOff();
    else
        list.reset();
    QVERIFY(files(dir).isEmpty());
    if (list) {
        QCOMPARE(int(list->entry(0).state), state);
        QCOMPARE(failed.count(), how == QLatin1String("fail") ? 1 : 0);
        QTRY_VERIFY(!download);
    }
}

QTEST_GUILESS_MAIN(tst_DownloadList)
#include "tst_DownloadList.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The registration command: the input box decides what, if anything, is started.
#include "settings/GeckoRegistration.h"

#include <QApplication>
#include <QInputDialog>
#include <QTest>
#include <QTimer>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// Answers the next input box with \a text (OK) or cancels it when \a text is null; records
/// what it showed.
void answerInputBox(const QString &text, QStringList *seen)
{
    QTimer::singleShot(10, qApp, [text, seen] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!box)
            return answerInputBox(text, seen);
        *seen << box->windowTitle() << box->labelText() << box->textValue();
        if (text.isNull()) {
            box->reject();
        } else {
            box->setTextValue(text);
            box->accept();
        }
    });
}

} // namespace

class TestGeckoRegistration : public QObject
{
    Q_OBJECT

private:
    QStringList m_started;

private Q_SLOTS:
    void init()
    {
        m_started.clear();
        GeckoRegistration::setStarter([this](const QString &program, const QStringList &args) {
            m_started << program << args;
            return true;
        });
    }

    void cleanup() { GeckoRegistration::setStarter({}); }

    void command_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("cancel starts nothing") << QString() << QStringList();
        QTest::newRow("the proposed folder")
            << S("/opt/gecko") << QStringList{S("/opt/gecko/mozctl.so")};
        QTest::newRow("trailing separator")
            << S("/srv/gecko/") << QStringList{S("/srv/gecko/mozctl.so")};
        QTest::newRow("empty folder") << S("") << QStringList{S("/mozctl.so")};
    }

    void command()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, arguments);
        QStringList seen;
        answerInputBox(typed, &seen);
        QCOMPARE(GeckoRegistration::Run(nullptr, S("/opt/gecko")), !arguments.isEmpty());
        QCOMPARE(seen, (QStringList{S("Geckoをシステムに登録"),
                                    S("mozillaをインストールしたフォルダを書いてください"),
                                    S("/opt/gecko")}));
        if (arguments.isEmpty()) {
            QVERIFY(m_started.isEmpty());
            return;
        }
        QCOMPARE(m_started.value(0),
                 QCoreApplication::applicationDirPath() + S("/dorvu-gecko-register"));
        QCOMPARE(m_started.mid(1), arguments);
    }
};

QTEST_MAIN(TestGeckoRegistration)
#include "tst_GeckoRegistration.moc"

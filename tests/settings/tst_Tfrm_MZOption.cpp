// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The Gecko preferences dialog on a profile of its own: showing reads prefs.js, OK rewrites it,
// and a missing profile gives the two messages without writing anywhere.
#include "HomeTest.h"
#include "common/ErrorHandler.h"
#include "settings/Tfrm_MZOption.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// Closes the next message box and records its text.
void closeMessageBox(QStringList *texts)
{
    QTimer::singleShot(10, qApp, [texts] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return closeMessageBox(texts);
        *texts << box->text();
        box->accept();
    });
}

} // namespace

class TestTfrm_MZOption : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override
    {
        m_data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data->path()));
        m_errors.clear();
        m_previous = ErrorHandler::setSink([this](const QString &text) { m_errors << text; });
    }

    void cleanupHome() override
    {
        ErrorHandler::setSink(m_previous);
        qunsetenv("XDG_DATA_HOME");
        m_data.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> m_data;
    QStringList m_errors;
    ErrorHandler::Sink m_previous;

    QString base() const { return m_data->path() + S("/dorvu/Mozilla/Profiles/MozillaControl/"); }

private Q_SLOTS:
    void showReadsAndOkWrites()
    {
        QVERIFY(QDir().mkpath(base() + S("default")));
        const QByteArray foreign = "user_pref(\"browser.cache.disk.capacity\", 5000);";
        QFile prefs(base() + S("default/prefs.js"));
        QVERIFY(prefs.open(QIODevice::WriteOnly));
        prefs.write(foreign + "\r\nuser_pref(\"network.image.imageBehavior\", 2);\r"
                              "user_pref(\"network.proxy.type\", 1);\n"
                              "user_pref(\"network.proxy.http_port\", 8080);\r\n");
        prefs.close();

        Tfrm_MZOption dialog;
        dialog.show();
        QVERIFY(m_errors.isEmpty());
        QVERIFY(!dialog.chkImage->isChecked());
        QVERIFY(dialog.chkProxy->isChecked());
        // The engine has no Java: the box shows the stored value but cannot be ticked.
        QVERIFY(!dialog.chkJava->isEnabled());
        QCOMPARE(dialog.Button2->text(), S("キャンセル"));
        QCOMPARE(dialog.txtHTTP_port->text(), S("8080"));
        QVERIFY(!dialog.txtHTTP->isReadOnly());

        dialog.chkProxy->click();
        QVERIFY(dialog.txtHTTP->isReadOnly());
        dialog.chkScript->click();
        dialog.txtHTTP->setText(S("proxy.example")); // read-only to the user, not to the test

        QStringList messages;
        closeMessageBox(&messages);
        dialog.Button1->click();
        QCOMPARE(messages, QStringList{S("変更した設定は、再起動後に反映されます")});
        QVERIFY(!dialog.isVisible());
        QVERIFY(prefs.open(QIODevice::ReadOnly));
        QCOMPARE(prefs.readAll(), foreign +
                                      "\r\n"
                                      "user_pref(\"network.image.imageBehavior\", 2);\r\n"
                                      "user_pref(\"javascript.enabled\", false);\r\n"
                                      "user_pref(\"network.proxy.http\", \"proxy.example\");\r\n"
                                      "user_pref(\"network.proxy.http_port\", 8080);\r\n");
    }

    // No profile folder: the path ends in "../prefs.js", which must not be written.
    void noProfileFolder()
    {
        QVERIFY(QDir().mkpath(base()));
        Tfrm_MZOption dialog;
        dialog.show();
        const QString path = base() + S("../prefs.js");
        QCOMPARE(dialog.prefsPath(), path);
        QCOMPARE(m_errors, QStringList{S("ファイル %1 は開けません").arg(path)});

        dialog.chkImage->setChecked(false);
        dialog.Button1->click();
        QCOMPARE(m_errors.value(1), S("ファイル %1 を作成できません").arg(path));
        QVERIFY(dialog.isVisible());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestTfrm_MZOption)
#include "tst_Tfrm_MZOption.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The common error handler: failures end the handler and are shown once, in a box "Dorvu".
#include "common/DorvuError.h"
#include "common/ErrorHandler.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class TestErrorHandler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void nothingToReport();
    void dorvuErrorAbandonsHandler();
    void otherExceptions();
    void nested();
    void reportGoesToSink();
    void setSinkReturnsPrevious();
    void messageBox();

private:
    QStringList m_reports;
};

void TestErrorHandler::init()
{
    m_reports.clear();
    ErrorHandler::setSink([this](const QString &text) { m_reports << text; });
}

void TestErrorHandler::cleanup()
{
    ErrorHandler::setSink({});
}

void TestErrorHandler::nothingToReport()
{
    bool ran = false;
    ErrorHandler::Run([&] { ran = true; });
    QVERIFY(ran);
    QVERIFY(m_reports.isEmpty());
}

void TestErrorHandler::dorvuErrorAbandonsHandler()
{
    int steps = 0;
    ErrorHandler::Run([&] {
        ++steps; // what the handler changed before stays changed
        throw DorvuError(S("ファイル /x/CloseURL.txt は開けません"));
        ++steps;
    });
    QCOMPARE(steps, 1);
    QCOMPARE(m_reports, QStringList{S("ファイル /x/CloseURL.txt は開けません")});
}

void TestErrorHandler::otherExceptions()
{
    ErrorHandler::Run([] { throw std::runtime_error("bad thing"); });
    ErrorHandler::Run([] { throw 42; });
    QCOMPARE(m_reports.size(), 2);
    QCOMPARE(m_reports.at(0), S("bad thing"));
    QVERIFY(!m_reports.at(1).isEmpty());
    // A DorvuError caught as std::exception carries its text as UTF-8.
    try {
        throw DorvuError(S("日本語"));
    } catch (const std::exception &e) {
        QCOMPARE(QString::fromUtf8(e.what()), S("日本語"));
    }
}

void TestErrorHandler::nested()
{
    // An inner Run reports its own failure; the outer handler goes on.
    bool after = false;
    ErrorHandler::Run([&] {
        ErrorHandler::Run([] { throw DorvuError(S("inner")); });
        after = true;
    });
    QVERIFY(after);
    QCOMPARE(m_reports, QStringList{S("inner")});
}

void TestErrorHandler::reportGoesToSink()
{
    ErrorHandler::Report(S("x に書き込めません"));
    QCOMPARE(m_reports, QStringList{S("x に書き込めません")});
}

void TestErrorHandler::setSinkReturnsPrevious()
{
    QStringList other;
    ErrorHandler::Sink previous = ErrorHandler::setSink([&](const QString &t) { other << t; });
    QVERIFY(bool(previous));
    ErrorHandler::Report(S("a"));
    QCOMPARE(other, QStringList{S("a")});
    QVERIFY(m_reports.isEmpty());
    ErrorHandler::setSink(previous);
    ErrorHandler::Report(S("b"));
    QCOMPARE(m_reports, QStringList{S("b")});
}

void TestErrorHandler::messageBox()
{
    ErrorHandler::setSink({});
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // No window manager under the test's X server: activate by hand, and wait for it, so the
    // box has a window to belong to.
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QTRY_VERIFY_WITH_TIMEOUT(window.isActiveWindow(), 20000);

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
    QWidget *parent = nullptr;
    int tries = 0;
    std::function<void()> look = [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (++tries < 200)
                QTimer::singleShot(25, look);
            return;
        }
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        modal = box->isModal();
        parent = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(0, look);
    ErrorHandler::Run([] { throw DorvuError(S("/tmp/config.ini に書き込めません")); });
    QCOMPARE(title, S("Dorvu"));
    QCOMPARE(text, S("/tmp/config.ini に書き込めません"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(modal);
    QCOMPARE(parent, static_cast<QWidget *>(&window));
}

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestErrorHandler test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ErrorHandler.moc"

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/ErrorHandler.h"

#include "common/DorvuError.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace {

ErrorHandler::Sink &sink()
{
    static ErrorHandler::Sink s;
    return s;
}

bool g_unattended = false;

} // namespace

namespace {

/// The text of the exception in flight.
QString currentMessage()
{
    try {
        throw;
    } catch (const DorvuError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("予期しないエラーが発生しました");
    }
}

} // namespace

void ErrorHandler::Run(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (...) {
        // Nothing may escape into the event loop.
        Report(currentMessage());
    }
}

void ErrorHandler::RunInCallback(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (...) {
        const QString text = currentMessage();
        QTimer::singleShot(0, QCoreApplication::instance(), [text] { Report(text); });
    }
}

void ErrorHandler::Report(const QString &text)
{
    if (const Sink &s = sink()) {
        s(text);
        return;
    }
    if (g_unattended || !qobject_cast<QApplication *>(QCoreApplication::instance())) {
        std::fprintf(stderr, "Dorvu: %s\n", text.toLocal8Bit().constData());
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Dorvu"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void ErrorHandler::setUnattended()
{
    g_unattended = true;
}

ErrorHandler::Sink ErrorHandler::setSink(Sink s)
{
    Sink previous = std::move(sink());
    sink() = std::move(s);
    return previous;
}

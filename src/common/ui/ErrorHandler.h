// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QString>

#include <functional>

/// The one common error handler: a modal box titled "Dorvu" with the error's text.
class ErrorHandler
{
public:
    using Sink = std::function<void(const QString &text)>;

    /// Runs an event handler; a DorvuError (or other exception) abandons the rest of it and is
    /// shown with Report. What the handler changed before stays changed.
    static void Run(const std::function<void()> &handler);
    /// Runs a handler called from foreign code (a C callback of the WebKit module), which no
    /// exception may unwind through and which must not wait on a box: an exception is caught
    /// and shown with Report once control is back in the event loop.
    static void RunInCallback(const std::function<void()> &handler);
    static void Report(const QString &text);

    /// Runs \a handler under Run each time \a sender emits \a signal, for as long as \a context
    /// lives: the one way an event handler is connected. The signal's arguments are dropped.
    template<typename Sender, typename Signal, typename Handler>
    static QMetaObject::Connection Connect(const Sender *sender, Signal signal,
                                           const QObject *context, Handler handler)
    {
        return QObject::connect(sender, signal, context,
                                [handler = std::move(handler)] { Run(handler); });
    }
    /// Same, for a handler that is a member function of \a object.
    template<typename Sender, typename Signal, typename Object>
    static QMetaObject::Connection Connect(const Sender *sender, Signal signal, Object *object,
                                           void (Object::*handler)())
    {
        return Connect(sender, signal, object, [object, handler] { (object->*handler)(); });
    }

    /// From now on, failures are written to stderr instead of a box: a close asked for by a
    /// signal or the session never waits on a box.
    static void setUnattended();

    /// Tests replace the message box; an empty sink restores it. Returns the previous sink.
    static Sink setSink(Sink sink);
};

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QList>
#include <QObject>

class QSocketNotifier;

/// Turns process signals (SIGTERM from a closing desktop session, SIGINT) into a Qt signal on
/// the event loop, through a socket pair written by the signal handler. One per process.
class SignalPipe : public QObject
{
    Q_OBJECT

public:
    explicit SignalPipe(const QList<int> &signalNumbers, QObject *parent = nullptr);
    ~SignalPipe() override;

    bool isValid() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void signalReceived(int signalNumber);

private:
    void readPipe();

    QList<int> m_signals;
    QSocketNotifier *m_notifier = nullptr;
};

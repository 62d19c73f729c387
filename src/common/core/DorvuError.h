// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

#include <exception>

/// A failure that ends the current user action. Thrown by file access, conversions and engine
/// commands; caught once, by ErrorHandler::Run around every event handler, and shown to the user.
class DorvuError : public std::exception
{
public:
    explicit DorvuError(const QString &message);
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

/// Takes a fuzz input apart: single bytes and length-prefixed pieces from the front, the rest
/// as a whole. Past the end everything is zero or empty.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_data(reinterpret_cast<const char *>(data))
        , m_size(size)
    {}

    bool atEnd() const { return m_pos >= m_size; }

    uint8_t byte() { return m_pos < m_size ? uint8_t(m_data[m_pos++]) : 0; }

    /// A piece whose length (0..255) is the next byte.
    QByteArray piece() { return take(byte()); }

    QByteArray take(size_t n)
    {
        if (n > m_size - m_pos)
            n = m_size - m_pos;
        QByteArray out(m_data + m_pos, qsizetype(n));
        m_pos += n;
        return out;
    }

    QByteArray rest() { return take(m_size - m_pos); }

private:
    const char *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

/// Aborts (a finding for libFuzzer) when a property does not hold.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond);       \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

/// Bytes as a C string for messages.
inline QByteArray shown(const QString &s)
{
    return s.toUtf8().toPercentEncoding(" /:=[]<>\"");
}

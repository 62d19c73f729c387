// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The hand-over message of a second start: decoding anything received, and encode-then-decode.
#include "FuzzInput.h"

#include "shell/HandOverMessage.h"

using namespace HandOverMessage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray received(reinterpret_cast<const char *>(data), qsizetype(size));
    const Parsed parsed = decode(received);
    if (parsed.status == Status::Complete) {
        FUZZ_CHECK(received.size() >= HeaderBytes && received.startsWith("DRVH"));
        FUZZ_CHECK(received.size() - HeaderBytes <= MaxTextBytes);
    }
    // Every prefix of a message that is not malformed is incomplete or complete, never
    // malformed; a prefix of a malformed one may be anything.
    if (parsed.status != Status::Malformed && size > 0) {
        const Parsed shorter = decode(received.left(received.size() - 1));
        FUZZ_CHECK(shorter.status == Status::Incomplete);
    }

    // Round trip: the value from the first four bytes, the text from the rest (as UTF-8,
    // whatever it holds: invalid sequences become U+FFFD in the text already).
    FuzzInput in(data, size);
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | in.byte();
    const QString text = QString::fromUtf8(in.rest());
    const QByteArray message = encode(value, text);
    FUZZ_CHECK(!message.isEmpty());
    const Parsed back = decode(message);
    FUZZ_CHECK(back.status == Status::Complete);
    FUZZ_CHECK(back.value == value);
    // The text ends at its first NUL, as a command-line argument does.
    const qsizetype nul = text.indexOf(QChar(0));
    FUZZ_CHECK(back.text == (nul < 0 ? text : text.left(nul)));
    for (qsizetype cut = 0; cut < message.size(); cut += 1 + cut / 4)
        FUZZ_CHECK(decode(message.left(cut)).status == Status::Incomplete);
    FUZZ_CHECK(decode(message + 'x').status == Status::Malformed);
    return 0;
}

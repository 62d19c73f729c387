// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The Shift_JIS codec both ways: bytes -> text -> bytes, and text (UTF-16 from the input) ->
// bytes -> text.
#include "FuzzInput.h"

#include "common/SjisCodec.h"

namespace {

/// Lead or trail bytes of the rows that hold second codes (NEC row 13, the NEC-selected and
/// the IBM extensions): only there may a read-then-write change bytes.
bool mayHoldSecondCode(const QByteArray &bytes)
{
    for (char c : bytes) {
        const uchar b = uchar(c);
        if (b == 0x87 || b == 0xED || b == 0xEE || b == 0xFA || b == 0xFB || b == 0xFC)
            return true;
    }
    return false;
}

bool hasEscape(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // Bytes first: the text never has more units than the bytes; writing it back gives the
    // same bytes (every byte outside the second-code rows survives), and the written bytes are
    // a fixed point.
    const QString text = SjisCodec::decode(bytes);
    FUZZ_CHECK(text.size() <= bytes.size());
    const QByteArray again = SjisCodec::encode(text);
    if (!mayHoldSecondCode(bytes))
        FUZZ_CHECK(again == bytes);
    FUZZ_CHECK(SjisCodec::decode(again) == text);

    // The same bytes as UTF-16 text (odd byte dropped): any unit, lone surrogates included.
    const QString utf16(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    const QByteArray encoded = SjisCodec::encode(utf16);
    const QString decoded = SjisCodec::decode(encoded);
    if (!hasEscape(utf16)) {
        // One character for each character ("?" for what CP932 cannot hold), and stable.
        FUZZ_CHECK(decoded.size() == utf16.toUcs4().size());
        FUZZ_CHECK(SjisCodec::encode(decoded) == encoded);
    }
    return 0;
}

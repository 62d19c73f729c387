// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/JapaneseCharset.h"

#include <unicode/ucsdet.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstring>

namespace {

// Enough text for the detector; more only costs time.
constexpr qsizetype DetectionWindow = 64 * 1024;

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == ':' || c == '-';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool isUtf8(const char *data, qsizetype length)
{
    const auto *s = reinterpret_cast<const uint8_t *>(data);
    const int32_t n = int32_t(length);
    int32_t i = 0;
    while (i < n) {
        UChar32 c;
        U8_NEXT(s, i, n, c);
        if (c < 0)
            return false;
    }
    return true;
}

} // namespace

namespace JapaneseCharset {

QByteArray declared(const char *data, qsizetype length)
{
    const QByteArray head = QByteArray(data, std::min(length, DeclarationWindow)).toLower();
    for (qsizetype meta = head.indexOf("<meta"); meta >= 0;
         meta = head.indexOf("<meta", meta + 5)) {
        const qsizetype end = head.indexOf('>', meta);
        const qsizetype stop = end < 0 ? head.size() : end;
        for (qsizetype at = head.indexOf("charset", meta); at >= 0 && at < stop;
             at = head.indexOf("charset", at + 7)) {
            qsizetype i = at + 7;
            while (i < stop && isSpace(head.at(i)))
                ++i;
            if (i == stop || head.at(i) != '=')
                continue;
            ++i;
            while (i < stop && (isSpace(head.at(i)) || head.at(i) == '"' || head.at(i) == '\''))
                ++i;
            const qsizetype from = i;
            while (i < stop && isNameChar(head.at(i)))
                ++i;
            if (i > from)
                return QByteArray(data + from, i - from);
        }
    }
    return QByteArray();
}

const char *detect(const char *data, qsizetype length)
{
    const auto *end = data + length;
    const char *firstHigh =
        std::find_if(data, end, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (firstHigh == end) {
        // ISO-2022-JP is seven-bit text that passes for ASCII (and so for UTF-8): its escape
        // sequences into JIS X 0208 and JIS X 0201 give it away.
        const QByteArray text = QByteArray::fromRawData(data, length);
        for (const char *escape : {"\x1b$B", "\x1b$@", "\x1b$(D", "\x1b(J"}) {
            if (text.contains(escape))
                return "ISO-2022-JP";
        }
        return nullptr;
    }
    // Shift_JIS or EUC-JP text of any length is almost never valid UTF-8. The detector looks at
    // the text from its first non-ASCII byte on: a long ASCII head says nothing.
    const qsizetype from = firstHigh - data;
    const qsizetype window = std::min(length - from, DetectionWindow);
    if (isUtf8(data, length))
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    UCharsetDetector *detector = ucsdet_open(&status);
    if (U_FAILURE(status))
        return nullptr;
    ucsdet_enableInputFilter(detector, true); // markup says nothing about the encoding
    ucsdet_setText(detector, firstHigh, int32_t(window), &status);
    int32_t count = 0;
    const UCharsetMatch **matches = ucsdet_detectAll(detector, &count, &status);
    const char *found = nullptr;
    for (int32_t i = 0; U_SUCCESS(status) && i < count && !found; ++i) {
        const char *name = ucsdet_getName(matches[i], &status);
        if (U_FAILURE(status) || !name)
            break;
        if (std::strcmp(name, "UTF-8") == 0 || std::strcmp(name, "ISO-8859-1") == 0)
            break; // a Western page: the default reads it right
        for (const char *japanese : {"Shift_JIS", "EUC-JP", "ISO-2022-JP"}) {
            if (std::strcmp(name, japanese) == 0)
                found = japanese;
        }
    }
    ucsdet_close(detector);
    return found;
}

} // namespace JapaneseCharset

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "CharsetSniffer.h"

#include <unicode/ucsdet.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace {

// Browsers look for a declaration in the first 1024 bytes.
constexpr size_t DeclarationWindow = 1024;
// Enough text for the detector; more only costs time.
constexpr size_t DetectionWindow = 64 * 1024;

} // namespace

bool CharsetSniffer::declaresCharset(const char *data, size_t length)
{
    std::string head(data, std::min(length, DeclarationWindow));
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (size_t meta = head.find("<meta"); meta != std::string::npos;
         meta = head.find("<meta", meta + 5)) {
        const size_t end = head.find('>', meta);
        const size_t charset = head.find("charset", meta);
        if (charset != std::string::npos && (end == std::string::npos || charset < end))
            return true;
    }
    return false;
}

const char *CharsetSniffer::detectJapanese(const char *data, size_t length)
{
    // ISO-2022-JP is seven-bit text that passes for ASCII (and so for UTF-8): its escape
    // sequences into JIS X 0208 give it away.
    const std::string head(data, std::min(length, DetectionWindow));
    for (const char *escape : {"\x1b$B", "\x1b$@", "\x1b$(D"}) {
        if (head.find(escape) != std::string::npos)
            return "ISO-2022-JP";
    }
    UErrorCode status = U_ZERO_ERROR;
    UCharsetDetector *detector = ucsdet_open(&status);
    if (U_FAILURE(status))
        return nullptr;
    ucsdet_setText(detector, data, int32_t(std::min(length, DetectionWindow)), &status);
    int32_t count = 0;
    const UCharsetMatch **matches = ucsdet_detectAll(detector, &count, &status);
    const char *found = nullptr;
    for (int32_t i = 0; U_SUCCESS(status) && i < count && !found; ++i) {
        const char *name = ucsdet_getName(matches[i], &status);
        if (U_FAILURE(status) || !name)
            break;
        if (std::strcmp(name, "UTF-8") == 0 || std::strcmp(name, "ISO-8859-1") == 0)
            break; // the default reads it right
        for (const char *japanese : {"Shift_JIS", "EUC-JP", "ISO-2022-JP"}) {
            if (std::strcmp(name, japanese) == 0)
                found = japanese;
        }
    }
    ucsdet_close(detector);
    return found;
}

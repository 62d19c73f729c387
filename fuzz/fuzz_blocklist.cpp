// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The wildcard masks of CloseURL.txt: pattern and text from the input, the answer compared with
// a plain backtracking-free reference (dynamic programming over the pattern's steps).
// Input: flags, pattern (length-prefixed), then the text; Shift_JIS or UTF-8 by the flags.
#include "FuzzInput.h"

#include "browser/BlockList.h"
#include "common/DorvuError.h"
#include "common/SjisCodec.h"

#include <bitset>
#include <vector>

namespace {

struct Step
{
    enum Kind { Star, Any, Char, Set } kind;
    char32_t ch = 0;
    bool negate = false;
    std::bitset<256> members;
};

int singleByte(char32_t c)
{
    if (c < 0x80)
        return int(c);
    if (c >= 0xFF61 && c <= 0xFF9F)
        return int(c - 0xFF61 + 0xA1);
    return -1;
}

char32_t upper(char32_t c)
{
    return c >= U'a' && c <= U'z' ? c - 32 : c;
}

/// The pattern as steps, false when it is invalid.
bool steps(const std::vector<char32_t> &p, std::vector<Step> *out)
{
    int stars = 0;
    for (size_t i = 0; i < p.size();) {
        const char32_t c = p[i++];
        Step s;
        if (c == U'*') {
            if (out->empty() || out->back().kind != Step::Star) {
                s.kind = Step::Star;
                out->push_back(s);
                if (++stars > 30)
                    return false;
            }
            if (i < p.size() && p[i] == U'?')
                ++i;
            continue;
        }
        if (c == U'?') {
            s.kind = Step::Any;
        } else if (c == U'[') {
            s.kind = Step::Set;
            if (i < p.size() && p[i] == U'!') {
                s.negate = true;
                ++i;
            }
            if (i >= p.size() || p[i] == U']' || p[i] == U'-')
                return false;
            while (i < p.size() && p[i] != U']') {
                char32_t first = p[i++], last = first;
                if (i + 1 < p.size() && p[i] == U'-' && p[i + 1] != U']') {
                    last = p[i + 1];
                    i += 2;
                }
                const int from = singleByte(first), to = singleByte(last);
                for (int b = from; from >= 0 && to >= 0 && b <= to; ++b) {
                    s.members.set(size_t(b));
                    if (b < 0x80)
                        s.members.set(size_t(upper(char32_t(b))));
                    if (b >= 'A' && b <= 'Z')
                        s.members.set(size_t(b + 32));
                }
            }
            if (i >= p.size())
                return false;
            ++i;
        } else {
            s.kind = Step::Char;
            s.ch = upper(c);
        }
        out->push_back(s);
    }
    return true;
}

bool takes(const Step &s, char32_t c)
{
    switch (s.kind) {
    case Step::Any:
        return true;
    case Step::Char:
        return upper(c) == s.ch;
    case Step::Set: {
        const int b = singleByte(c);
        return (b >= 0 && s.members.test(size_t(b))) != s.negate;
    }
    case Step::Star:
        break;
    }
    return false;
}

bool reference(const std::vector<Step> &pattern, const std::vector<char32_t> &text)
{
    // row[j]: the steps from k on match text[j..].
    const size_t n = text.size();
    std::vector<char> row(n + 1, 0), next(n + 1, 0);
    row[n] = 1;
    for (size_t k = pattern.size(); k-- > 0;) {
        const Step &s = pattern[k];
        next.assign(n + 1, 0);
        if (s.kind == Step::Star) {
            next[n] = row[n];
            for (size_t j = n; j-- > 0;)
                next[j] = row[j] || next[j + 1];
        } else {
            for (size_t j = 0; j < n; ++j)
                next[j] = row[j + 1] && takes(s, text[j]);
        }
        row.swap(next);
    }
    return row[0];
}

std::vector<char32_t> points(const QString &s)
{
    const QList<uint> u = s.toUcs4();
    return std::vector<char32_t>(u.cbegin(), u.cend());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t flags = in.byte();
    const QByteArray rawPattern = in.piece();
    const QByteArray rawText = in.rest();
    const bool sjis = flags & 1;
    const QString pattern = sjis ? SjisCodec::decode(rawPattern) : QString::fromUtf8(rawPattern);
    const QString text = sjis ? SjisCodec::decode(rawText) : QString::fromUtf8(rawText);

    std::vector<Step> compiled;
    const bool valid = steps(points(pattern), &compiled);
    bool matched = false;
    try {
        matched = BlockList::MatchesMask(text, pattern);
    } catch (const DorvuError &) {
        FUZZ_CHECK(!valid);
        return 0;
    }
    FUZZ_CHECK(valid);
    FUZZ_CHECK(matched == reference(compiled, points(text)));
    return 0;
}

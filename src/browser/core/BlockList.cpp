// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BlockList.h"

#include "DorvuError.h"
#include "IniFile.h"
#include "ProgramFolder.h"
#include "SettingsKeys.h"
#include "TextFile.h"

#include <bitset>
#include <vector>

namespace {

constexpr int kMaxStarGroups = 30;

/// Characters are compared as code points, so "?" takes a whole character even outside the
/// basic plane.
using Chars = std::vector<char32_t>;

Chars toChars(const QString &text)
{
    const QList<uint> ucs4 = text.toUcs4();
    return Chars(ucs4.cbegin(), ucs4.cend());
}

/// The Shift_JIS single-byte value of \a c (ASCII and half-width katakana), or -1 for a
/// double-byte character.
int singleByte(char32_t c)
{
    if (c < 0x80)
        return int(c);
    if (c >= 0xFF61 && c <= 0xFF9F)
        return int(c - 0xFF61 + 0xA1);
    return -1;
}

char32_t foldAscii(char32_t c)
{
    return (c >= U'a' && c <= U'z') ? c - U'a' + U'A' : c;
}

/// One step of a compiled pattern. Every kind but Star takes exactly one character.
struct Token
{
    enum Kind : quint8 { Star, Any, Literal, Set };
    Kind kind;
    bool negate;
    quint16 set; // index into Mask::sets
    char32_t ch; // folded for ASCII letters
};

/// A compiled pattern; kept between lines so that a long block list allocates little.
struct Mask
{
    std::vector<Token> tokens;
    std::vector<std::bitset<256>> sets;

    bool matches(const Token &t, char32_t c) const
    {
        switch (t.kind) {
        case Token::Any:
            return true;
        case Token::Literal:
            return foldAscii(c) == t.ch;
        case Token::Set: {
            const int b = singleByte(c);
            return (b >= 0 && sets[t.set].test(size_t(b))) != t.negate;
        }
        case Token::Star:
            break;
        }
        return false;
    }
};

[[noreturn]] void invalid(const QString &pattern)
{
    throw DorvuError(QStringLiteral("無効なパターンです: %1").arg(pattern));
}

void addMember(std::bitset<256> &members, int b)
{
    members.set(size_t(b));
    if (b >= 'a' && b <= 'z')
        members.set(size_t(b - 'a' + 'A'));
    else if (b >= 'A' && b <= 'Z')
        members.set(size_t(b - 'A' + 'a'));
}

/// Parses the set that starts after "[" at \a i into \a mask; \a i ends after its "]".
void parseSet(const Chars &p, size_t &i, const QString &pattern, Mask &mask)
{
    Token t{Token::Set, false, quint16(mask.sets.size()), 0};
    mask.sets.emplace_back();
    std::bitset<256> &members = mask.sets.back();
    if (i < p.size() && p[i] == U'!') {
        t.negate = true;
        ++i;
    }
    if (i >= p.size() || p[i] == U']' || p[i] == U'-')
        invalid(pattern); // an empty set, or one that begins with a hyphen
    while (i < p.size() && p[i] != U']') {
        const char32_t first = p[i++];
        char32_t last = first;
        if (i + 1 < p.size() && p[i] == U'-' && p[i + 1] != U']') {
            last = p[i + 1];
            i += 2;
        }
        // Double-byte characters take no part in a set, nor does a range reaching one.
        const int from = singleByte(first);
        const int to = singleByte(last);
        if (from < 0 || to < 0)
            continue;
        for (int b = from; b <= to; ++b) // a reversed range adds nothing
            addMember(members, b);
    }
    if (i >= p.size())
        invalid(pattern); // no closing "]"
    ++i;
    mask.tokens.push_back(t);
}

void compile(const QString &pattern, Mask &mask)
{
    const Chars p = toChars(pattern);
    mask.tokens.clear();
    mask.sets.clear();
    mask.tokens.reserve(p.size());
    int starGroups = 0;
    size_t i = 0;
    while (i < p.size()) {
        const char32_t c = p[i++];
        if (c == U'*') {
            if (mask.tokens.empty() || mask.tokens.back().kind != Token::Star) {
                mask.tokens.push_back(Token{Token::Star, false, 0, 0});
                if (++starGroups > kMaxStarGroups)
                    invalid(pattern);
            }
            // The "?" right after a "*" adds nothing.
            if (i < p.size() && p[i] == U'?')
                ++i;
        } else if (c == U'?') {
            mask.tokens.push_back(Token{Token::Any, false, 0, 0});
        } else if (c == U'[') {
            if (mask.sets.size() >= 0xFFFF)
                invalid(pattern);
            parseSet(p, i, pattern, mask);
        } else {
            mask.tokens.push_back(Token{Token::Literal, false, 0, foldAscii(c)});
        }
    }
}

/// True when the star-free tokens [from, to) match the text at \a at.
bool segmentAt(const Mask &mask, size_t from, size_t to, const Chars &text, size_t at)
{
    for (size_t k = from; k < to; ++k) {
        if (!mask.matches(mask.tokens[k], text[at + k - from]))
            return false;
    }
    return true;
}

/// Every token but "*" takes exactly one character, so the pattern is a row of fixed-length
/// segments between stars: the first is anchored at the start, the last at the end, and each
/// middle one is best placed at its leftmost fit. No backtracking across stars is needed,
/// which keeps any pattern linear in the text times the pattern.
bool matchTokens(const Mask &mask, const Chars &text)
{
    const std::vector<Token> &tokens = mask.tokens;
    size_t firstStar = 0;
    while (firstStar < tokens.size() && tokens[firstStar].kind != Token::Star)
        ++firstStar;
    if (firstStar == tokens.size())
        return tokens.size() == text.size() && segmentAt(mask, 0, tokens.size(), text, 0);

    size_t lastStar = tokens.size() - 1;
    while (tokens[lastStar].kind != Token::Star)
        --lastStar;
    const size_t headLen = firstStar;
    const size_t tailLen = tokens.size() - lastStar - 1;
    if (headLen + tailLen > text.size())
        return false;
    if (!segmentAt(mask, 0, firstStar, text, 0))
        return false;
    const size_t tailAt = text.size() - tailLen;
    if (!segmentAt(mask, lastStar + 1, tokens.size(), text, tailAt))
        return false;

    size_t pos = headLen;
    size_t k = firstStar + 1;
    while (k < lastStar) {
        size_t end = k;
        while (tokens[end].kind != Token::Star)
            ++end;
        const size_t len = end - k;
        bool found = false;
        for (; pos + len <= tailAt; ++pos) {
            if (segmentAt(mask, k, end, text, pos)) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
        pos += len;
        k = end + 1;
    }
    return true;
}

/// The patterns of the last file read, compiled. The file is still read at every check; only
/// the compiling is saved while its lines stay the same.
struct CompiledList
{
    QStringList lines;
    std::vector<Mask> masks; // the valid lines
    QStringList errors;      // one invalid-pattern message per invalid line
    bool reported = false;   // the errors were thrown once for these lines
};

CompiledList &compiledList(const QStringList &lines)
{
    thread_local CompiledList cache;
    thread_local bool valid = false;
    if (valid && cache.lines == lines)
        return cache;
    valid = false;
    cache.lines = lines;
    cache.masks.clear();
    cache.errors.clear();
    cache.reported = false;
    cache.masks.reserve(size_t(lines.size()));
    for (const QString &line : lines) {
        Mask mask;
        try {
            compile(line, mask);
        } catch (const DorvuError &e) {
            cache.errors.append(e.message());
            continue;
        }
        cache.masks.push_back(std::move(mask));
    }
    valid = true;
    return cache;
}

} // namespace

namespace BlockList {

bool IsBlockedURL(const QString &text)
{
    if (!SettingsKeys::read(IniFile::config(), SettingsKeys::Option_advertisemen::CloseURL))
        return false;
    const QStringList patterns =
        TextFile::readLines(ProgramFolder::file(QStringLiteral("CloseURL.txt")));
    CompiledList &list = compiledList(patterns);
    const Chars chars = toChars(text);
    bool blocked = false;
    for (const Mask &mask : list.masks) {
        if (matchTokens(mask, chars)) {
            blocked = true;
            break;
        }
    }
    // Invalid lines are skipped. They are reported once for each content of the file, not at
    // every check: checks come with every title and every command state of every page, and
    // each report would be a box of its own.
    if (!list.errors.isEmpty() && !list.reported) {
        list.reported = true;
        throw DorvuError(list.errors.join(QLatin1Char('\n')));
    }
    return blocked;
}

bool MatchesMask(const QString &text, const QString &pattern)
{
    Mask mask;
    compile(pattern, mask);
    return matchTokens(mask, toChars(text));
}

} // namespace BlockList

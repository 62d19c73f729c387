// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/BlockList.h"

#include "common/DorvuError.h"
#include "common/ProgramFolder.h"
#include "common/TextFile.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

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

/// One step of a compiled pattern, packed in 32 bits: a pattern as long as the file holds
/// costs four bytes a character. Every kind but Star takes exactly one character.
class Token
{
public:
    enum Kind : quint32 { Star, Any, Literal, Set };

    static Token star() { return Token(Star, 0); }
    static Token any() { return Token(Any, 0); }
    static Token literal(char32_t folded) { return Token(Literal, folded); }
    static Token set(quint32 index, bool negate)
    {
        return Token(Set, index | (negate ? kNegate : 0));
    }

    Kind kind() const { return Kind(m_bits >> kKindShift); }
    char32_t ch() const { return m_bits & kValueMask; }
    quint32 setIndex() const { return m_bits & kValueMask; }
    bool negate() const { return m_bits & kNegate; }

private:
    // Bits 0-20 hold a code point or a set's index, bit 21 the negation, bits 30-31 the kind.
    static constexpr quint32 kValueMask = 0x1FFFFF;
    static constexpr quint32 kNegate = 1u << 21;
    static constexpr int kKindShift = 30;

    Token(Kind kind, quint32 value)
        : m_bits(quint32(kind) << kKindShift | value)
    {}
    quint32 m_bits;
};

/// A compiled pattern; kept between lines so that a long block list allocates little.
struct Mask
{
    std::vector<Token> tokens;
    std::vector<std::bitset<256>> sets;

    bool matches(Token t, char32_t c) const
    {
        switch (t.kind()) {
        case Token::Any:
            return true;
        case Token::Literal:
            return foldAscii(c) == t.ch();
        case Token::Set: {
            const int b = singleByte(c);
            return (b >= 0 && sets[t.setIndex()].test(size_t(b))) != t.negate();
        }
        case Token::Star:
            break;
        }
        return false;
    }
};

/// Reads the code point at \a i of \a text and steps \a i behind it. A lone surrogate reads
/// as U+FFFD, as toChars() has it.
char32_t nextChar(const QString &text, qsizetype &i)
{
    const char16_t c = text.at(i++).unicode();
    if (!QChar::isSurrogate(c))
        return c;
    if (QChar::isHighSurrogate(c) && i < text.size() && QChar::isLowSurrogate(text.at(i).unicode()))
        return QChar::surrogateToUcs4(c, text.at(i++).unicode());
    return QChar::ReplacementCharacter;
}

bool unitIs(const QString &text, qsizetype i, char16_t c)
{
    return i < text.size() && text.at(i).unicode() == c;
}

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

/// Parses the set that starts after "[" at \a i of \a p into \a mask; \a i ends after its "]".
void parseSet(const QString &p, qsizetype &i, Mask &mask)
{
    const quint32 index = quint32(mask.sets.size());
    mask.sets.emplace_back();
    std::bitset<256> &members = mask.sets.back();
    const bool negate = unitIs(p, i, u'!');
    if (negate)
        ++i;
    if (i >= p.size() || unitIs(p, i, u']') || unitIs(p, i, u'-'))
        invalid(p); // an empty set, or one that begins with a hyphen
    while (i < p.size() && !unitIs(p, i, u']')) {
        const char32_t first = nextChar(p, i);
        char32_t last = first;
        if (unitIs(p, i, u'-') && i + 1 < p.size() && !unitIs(p, i + 1, u']')) {
            ++i;
            last = nextChar(p, i);
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
        invalid(p); // no closing "]"
    ++i;
    mask.tokens.push_back(Token::set(index, negate));
}

void compile(const QString &p, Mask &mask)
{
    mask.tokens.clear();
    mask.sets.clear();
    mask.tokens.reserve(size_t(p.size()));
    int starGroups = 0;
    qsizetype i = 0;
    while (i < p.size()) {
        const char32_t c = nextChar(p, i);
        if (c == U'*') {
            if (mask.tokens.empty() || mask.tokens.back().kind() != Token::Star) {
                mask.tokens.push_back(Token::star());
                if (++starGroups > kMaxStarGroups)
                    invalid(p);
            }
            // The "?" right after a "*" adds nothing.
            if (unitIs(p, i, u'?'))
                ++i;
        } else if (c == U'?') {
            mask.tokens.push_back(Token::any());
        } else if (c == U'[') {
            if (mask.sets.size() >= 0xFFFF)
                invalid(p);
            parseSet(p, i, mask);
        } else {
            mask.tokens.push_back(Token::literal(foldAscii(c)));
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
    while (firstStar < tokens.size() && tokens[firstStar].kind() != Token::Star)
        ++firstStar;
    if (firstStar == tokens.size())
        return tokens.size() == text.size() && segmentAt(mask, 0, tokens.size(), text, 0);

    size_t lastStar = tokens.size() - 1;
    while (tokens[lastStar].kind() != Token::Star)
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
        while (tokens[end].kind() != Token::Star)
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

/// Patterns longer than this are kept as their line and compiled again only for a text long
/// enough to match them: a list of megabyte lines would otherwise hold four bytes a character.
constexpr size_t kKeptTokens = 4096;

/// The number of characters a text needs at least to match \a mask.
size_t minimumLength(const Mask &mask)
{
    size_t n = 0;
    for (const Token t : mask.tokens)
        n += t.kind() != Token::Star;
    return n;
}

/// One valid line: its compiled mask, or only the line's index when it is long.
struct Pattern
{
    Mask mask;
    qsizetype line = -1;
    size_t minLength = 0;
};

/// The patterns of the last file read, compiled. The file is still read at every check; only
/// the compiling is saved while its lines stay the same.
struct CompiledList
{
    QStringList lines;
    std::vector<Pattern> patterns; // the valid lines
    QStringList errors;            // one invalid-pattern message per invalid line
    bool reported = false;         // the errors were thrown once for these lines

    bool matches(const Chars &text) const
    {
        thread_local Mask scratch;
        for (const Pattern &p : patterns) {
            if (p.line < 0) {
                if (matchTokens(p.mask, text))
                    return true;
            } else if (text.size() >= p.minLength) {
                compile(lines.at(p.line), scratch);
                if (matchTokens(scratch, text))
                    return true;
            }
        }
        return false;
    }
};

CompiledList &compiledList(const QStringList &lines)
{
    thread_local CompiledList cache;
    thread_local bool valid = false;
    if (valid && cache.lines == lines)
        return cache;
    valid = false;
    cache.lines = lines;
    cache.patterns.clear();
    cache.errors.clear();
    cache.reported = false;
    cache.patterns.reserve(size_t(lines.size()));
    // Long lines are compiled into one mask used again and again, so they cost no memory
    // beyond the longest of them.
    Mask scratch;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Pattern pattern;
        Mask &mask = lines.at(i).size() > qsizetype(kKeptTokens) ? scratch : pattern.mask;
        try {
            compile(lines.at(i), mask);
        } catch (const DorvuError &e) {
            cache.errors.append(e.message());
            continue;
        }
        if (&mask == &scratch && mask.tokens.size() > kKeptTokens) {
            pattern.line = i;
            pattern.minLength = minimumLength(mask);
        } else if (&mask == &scratch) {
            pattern.mask = scratch;
        }
        cache.patterns.push_back(std::move(pattern));
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
    const bool blocked = list.matches(toChars(text));
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

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/SjisCodec.h"

#include <QHash>
#include <QtEndian>

#include <bitset>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// The escape block for bytes that are not valid Shift_JIS: byte b (0x80..0xFF) <-> U+DC00 + b,
// that is U+DC80..U+DCFF (the "surrogateescape" convention). Bytes below 0x80 are always valid.
constexpr char16_t kEscapeBase = 0xDC00;

inline bool isEscape(char16_t c)
{
    return c >= 0xDC80 && c <= 0xDCFF;
}

/// A Unicode tag character (U+E0000..U+E007F) at \a i: iconv drops those without a word, so
/// they are written as "?" like every other character CP932 cannot hold.
inline bool isTagAt(const char16_t *src, qsizetype i, qsizetype n)
{
    return src[i] == 0xDB40 && i + 1 < n && src[i + 1] >= 0xDC00 && src[i + 1] <= 0xDC7F;
}

// UTF-16 in the host's byte order, so that the output buffer is the QString's own storage.
const char *utf16Name()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

/// One conversion descriptor per thread and direction, opened on first use and reset before
/// every conversion (iconv_open is far too slow to call per setting read).
class Converter
{
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        return m_cd;
    }

private:
    iconv_t m_cd;
};

Converter &decoder()
{
    thread_local Converter c(utf16Name(), "CP932");
    return c;
}

Converter &encoder()
{
    thread_local Converter c("CP932", utf16Name());
    return c;
}

/// The two-byte codes of CP932: which byte pairs are characters, and the codes of the
/// characters that have more than one (first code first).
struct DoubleByteCodes
{
    std::bitset<65536> valid;
    QHash<char16_t, QList<quint16>> alternatives;
};

const DoubleByteCodes &doubleByteCodes()
{
    static const DoubleByteCodes codes = [] {
        DoubleByteCodes c;
        Converter &dec = decoder();
        Converter &enc = encoder();
        if (!dec.valid() || !enc.valid())
            return c;
        QHash<char16_t, QList<quint16>> all;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                char in[2] = {char(lead), char(trail)};
                char16_t out[2];
                char *inPtr = in;
                char *outPtr = reinterpret_cast<char *>(out);
                size_t inLeft = 2, outLeft = sizeof(out);
                if (iconv(dec.get(), &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) ||
                    inLeft != 0 || outLeft != sizeof(char16_t))
                    continue;
                const quint16 code = quint16(lead << 8 | trail);
                c.valid.set(code);
                all[out[0]].append(code);
            }
        }
        for (auto it = all.begin(); it != all.end(); ++it) {
            if (it->size() < 2)
                continue;
            // The code the encoder writes goes first.
            char16_t ch = it.key();
            char out[2];
            char *inPtr = reinterpret_cast<char *>(&ch);
            char *outPtr = out;
            size_t inLeft = sizeof(ch), outLeft = sizeof(out);
            if (iconv(enc.get(), &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) || outLeft != 0)
                continue;
            QList<quint16> list = *it;
            const quint16 first = quint16(uchar(out[0]) << 8 | uchar(out[1]));
            list.removeAll(first);
            list.prepend(first);
            c.alternatives.insert(ch, list);
        }
        return c;
    }();
    return codes;
}

/// The code for \a c right behind the escaped byte \a escaped when its first code would pair
/// with that byte (and so read back as another character): one of its other codes that does
/// not. 0 when the first code is right (or no other code helps).
quint16 codeAfterEscape(uchar escaped, char16_t c)
{
    const DoubleByteCodes &codes = doubleByteCodes();
    const auto it = codes.alternatives.constFind(c);
    if (it == codes.alternatives.constEnd())
        return 0;
    const auto pairs = [&](quint16 code) {
        return codes.valid.test(escaped << 8 | code >> 8);
    };
    if (!pairs(it->first()))
        return 0;
    for (const quint16 code : *it) {
        if (!pairs(code))
            return code;
    }
    return 0;
}

bool isAscii(const char *p, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

namespace SjisCodec {

QString decode(const QByteArray &bytes)
{
    return decode(bytes.constData(), bytes.size());
}

QString decode(const char *data, qsizetype n)
{
    if (n == 0)
        return QString();
    if (isAscii(data, n))
        return QString::fromLatin1(data, n);

    // Every character of CP932 is one or two bytes and lies in the BMP, and every escape is one
    // unit per byte: the text never has more UTF-16 units than the input has bytes.
    QString out(n, Qt::Uninitialized);
    char16_t *const base = reinterpret_cast<char16_t *>(out.data());
    char16_t *dst = base;

    Converter &conv = decoder();
    if (!conv.valid()) {
        // No CP932 in this C library: keep ASCII, escape everything else.
        for (qsizetype i = 0; i < n; ++i) {
            const unsigned char b = static_cast<unsigned char>(data[i]);
            *dst++ = b < 0x80 ? char16_t(b) : char16_t(kEscapeBase + b);
        }
        out.truncate(dst - base);
        return out;
    }
    iconv_t cd = conv.get();

    char *in = const_cast<char *>(data);
    size_t inLeft = size_t(n);
    while (inLeft > 0) {
        char *outPtr = reinterpret_cast<char *>(dst);
        size_t outLeft = size_t(n - (dst - base)) * sizeof(char16_t);
        const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        dst = reinterpret_cast<char16_t *>(outPtr);
        if (r != size_t(-1))
            break;
        if (errno == EILSEQ || errno == EINVAL) {
            // An invalid byte, or a multi-byte sequence cut off by the end of the input:
            // escape one byte and go on behind it.
            const unsigned char b = static_cast<unsigned char>(*in);
            *dst++ = b < 0x80 ? char16_t(b) : char16_t(kEscapeBase + b);
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            // E2BIG cannot happen (see above); anything else: escape the rest.
            while (inLeft > 0) {
                const unsigned char b = static_cast<unsigned char>(*in++);
                --inLeft;
                if (dst - base >= n)
                    break;
                *dst++ = b < 0x80 ? char16_t(b) : char16_t(kEscapeBase + b);
            }
            break;
        }
    }
    out.truncate(dst - base);
    return out;
}

QByteArray encode(const QString &text)
{
    const qsizetype n = text.size();
    if (n == 0)
        return QByteArray();
    const char16_t *const src = reinterpret_cast<const char16_t *>(text.constData());

    bool ascii = true;
    for (qsizetype i = 0; i < n; ++i) {
        if (src[i] >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toLatin1();

    // At most two bytes per UTF-16 unit ("?" for a surrogate pair is one byte).
    QByteArray out(n * 2, Qt::Uninitialized);
    char *const base = out.data();
    char *dst = base;

    Converter &conv = encoder();
    const bool haveIconv = conv.valid();
    iconv_t cd = haveIconv ? conv.get() : nullptr;

    qsizetype i = 0;
    while (i < n) {
        // A character with a second code right behind an escaped byte: its first code could
        // pair with that byte, and the text would not read back as it was.
        if (haveIconv && i > 0 && isEscape(src[i - 1]) && !isEscape(src[i])) {
            const quint16 code = codeAfterEscape(uchar(src[i - 1] - kEscapeBase), src[i]);
            if (code) {
                *dst++ = char(code >> 8);
                *dst++ = char(code & 0xFF);
                ++i;
                continue;
            }
        }
        // The run up to the next escape character goes through iconv.
        qsizetype end = i;
        while (end < n && !isEscape(src[end]) && !isTagAt(src, end, n))
            ++end;
        if (end > i) {
            if (!haveIconv) {
                for (qsizetype k = i; k < end; ++k)
                    *dst++ = src[k] < 0x80 ? char(src[k]) : '?';
            } else {
                char *in = const_cast<char *>(reinterpret_cast<const char *>(src + i));
                size_t inLeft = size_t(end - i) * sizeof(char16_t);
                while (inLeft > 0) {
                    char *outPtr = dst;
                    size_t outLeft = size_t(out.size() - (dst - base));
                    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
                    dst = outPtr;
                    if (r != size_t(-1))
                        break;
                    if (errno == E2BIG) // cannot happen, see the size above
                        break;
                    // A character CP932 cannot hold (or a lone surrogate): "?" and go on.
                    const char16_t c = *reinterpret_cast<const char16_t *>(in);
                    size_t skip = sizeof(char16_t);
                    if (QChar::isHighSurrogate(c) && inLeft >= 2 * sizeof(char16_t) &&
                        QChar::isLowSurrogate(*reinterpret_cast<const char16_t *>(in + 2)))
                        skip = 2 * sizeof(char16_t);
                    *dst++ = '?';
                    in += skip;
                    inLeft -= skip;
                    iconv(cd, nullptr, nullptr, nullptr, nullptr);
                }
                // Flush any shift state (none for CP932, but cheap).
                char *outPtr = dst;
                size_t outLeft = size_t(out.size() - (dst - base));
                iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
                dst = outPtr;
            }
        }
        if (end < n && isTagAt(src, end, n)) {
            *dst++ = '?';
            i = end + 2;
            continue;
        }
        // Escapes go back to their bytes.
        while (end < n && isEscape(src[end]))
            *dst++ = char(src[end++] - kEscapeBase);
        i = end;
    }
    out.truncate(dst - base);
    return out;
}

} // namespace SjisCodec

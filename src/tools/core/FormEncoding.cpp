// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/FormEncoding.h"

#include "common/SjisCodec.h"

#include <unicode/ucnv.h>

#include <memory>

namespace {

bool isUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' ||
           c == '-' || c == '.' || c == '_';
}

void appendEscaped(QByteArray &out, const QByteArray &bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == ' ') {
            out += '+';
        } else if (isUnreserved(c)) {
            out += c;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0xF];
        }
    }
}

QByteArray reference(char32_t codePoint)
{
    return "&#" + QByteArray::number(static_cast<quint32>(codePoint)) + ';';
}

/// The text with every lone surrogate as U+FFFD: SjisCodec would take U+DC80..U+DCFF for the
/// raw bytes it stands for.
QString wellFormed(const QString &text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c.isHighSurrogate() && i + 1 < out.size() && out.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            out[i] = QChar::ReplacementCharacter;
        }
    }
    return out;
}

/// CP932 through the project's codec, which writes "?" for a character it cannot hold. A run
/// of non-ASCII text goes whole; only a run with a "?" in its bytes is taken apart.
QByteArray toShiftJis(const QString &text)
{
    QByteArray out;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        while (end < text.size() && text.at(end).unicode() < 0x80)
            ++end;
        if (end > i) {
            out += text.mid(i, end - i).toLatin1();
            i = end;
            continue;
        }
        while (end < text.size() && text.at(end).unicode() >= 0x80)
            ++end;
        const QString run = text.mid(i, end - i);
        const QByteArray bytes = SjisCodec::encode(run);
        if (!bytes.contains('?')) {
            out += bytes;
        } else {
            for (qsizetype k = 0; k < run.size();) {
                const qsizetype n = run.at(k).isHighSurrogate() && k + 1 < run.size() ? 2 : 1;
                const QString one = run.mid(k, n);
                const QByteArray b = SjisCodec::encode(one);
                const char32_t codePoint =
                    n == 2 ? QChar::surrogateToUcs4(run.at(k), run.at(k + 1)) : run.at(k).unicode();
                out += b == "?" ? reference(codePoint) : b;
                k += n;
            }
        }
        i = end;
    }
    return out;
}

struct ConverterClose
{
    void operator()(UConverter *c) const { ucnv_close(c); }
};

QByteArray toEucJp(const QString &text)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterClose> converter(ucnv_open("EUC-JP", &status));
    if (U_FAILURE(status))
        return text.toUtf8();
    // ICU writes the reference itself for a character EUC-JP cannot hold.
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_ESCAPE, UCNV_ESCAPE_XML_DEC,
                          nullptr, nullptr, &status);
    const auto *source = reinterpret_cast<const UChar *>(text.utf16());
    const int32_t length = static_cast<int32_t>(text.size());
    QByteArray out(UCNV_GET_MAX_BYTES_FOR_STRING(length, 3) + 16 * length + 16, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    const int32_t written = ucnv_fromUChars(
        converter.get(), out.data(), static_cast<int32_t>(out.size()), source, length, &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING)
        return text.toUtf8();
    out.truncate(written);
    return out;
}

} // namespace

namespace FormEncoding {

Charset charsetFromName(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("shift_jis") || n == QLatin1String("shift-jis") ||
        n == QLatin1String("sjis") || n == QLatin1String("cp932") ||
        n == QLatin1String("windows-31j"))
        return Charset::ShiftJis;
    if (n == QLatin1String("euc-jp") || n == QLatin1String("eucjp"))
        return Charset::EucJp;
    return Charset::Utf8;
}

QByteArray encode(const QString &text, Charset charset)
{
    const QString clean = wellFormed(text);
    QByteArray bytes;
    switch (charset) {
    case Charset::ShiftJis:
        bytes = toShiftJis(clean);
        break;
    case Charset::EucJp:
        bytes = toEucJp(clean);
        break;
    case Charset::Utf8:
        bytes = clean.toUtf8();
        break;
    }
    QByteArray out;
    out.reserve(bytes.size() * 3);
    appendEscaped(out, bytes);
    return out;
}

} // namespace FormEncoding

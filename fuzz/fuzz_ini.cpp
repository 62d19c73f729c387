// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// config.ini access: reading any file, and a write followed by reads of the written key and of
// another one. Input: flags, section, key, value, other section, other key (length-prefixed
// pieces), then the file.
#include "FuzzFolder.h"
#include "FuzzInput.h"

#include "common/DorvuError.h"
#include "common/SjisCodec.h"
#include "settings/IniFile.h"

namespace {

/// A name from \a bytes that the round trip must keep: letters, digits, "_" and "あ".
QString cleanName(const QByteArray &bytes)
{
    static const char16_t chars[] =
        u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_あ";
    QString name;
    for (char c : bytes)
        name += QChar(chars[uchar(c) % (sizeof(chars) / sizeof(chars[0]) - 1)]);
    return name.isEmpty() ? QStringLiteral("k") : name;
}

bool mayHoldSecondCode(const QByteArray &bytes)
{
    for (char c : bytes) {
        const uchar b = uchar(c);
        if (b == 0x87 || b == 0xED || b == 0xEE || b == 0xFA || b == 0xFB || b == 0xFC)
            return true;
    }
    return false;
}

/// The value as a read gives it back after writing \a value.
QString readBack(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QStringView v(value);
    while (!v.isEmpty() && (v.front() == u' ' || v.front() == u'\t'))
        v = v.mid(1);
    while (!v.isEmpty() && (v.back() == u' ' || v.back() == u'\t'))
        v.chop(1);
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(2047).toString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t flags = in.byte();
    const QByteArray rawSection = in.piece();
    const QByteArray rawKey = in.piece();
    const QByteArray rawValue = in.piece();
    const QString otherSection = cleanName(in.piece());
    const QString otherKey = cleanName(in.piece());
    const QByteArray file = in.rest();

    const QString path = fuzzFolder() + QStringLiteral("/config.ini");
    if (flags & 1)
        QFile::remove(path); // a first start: no file yet
    else
        writeFuzzFile(path, file.constData(), size_t(file.size()));
    IniFile::setCacheEnabled(!(flags & 2));

    IniFile ini(path);
    // Names straight from the input may hold anything; reads must still only answer.
    const QString anySection = SjisCodec::decode(rawSection);
    const QString anyKey = SjisCodec::decode(rawKey);
    ini.ReadString(anySection, anyKey, QString());
    ini.ReadInteger(anySection, anyKey, 7);
    int number = 0;
    IniFile::parseInteger(SjisCodec::decode(rawValue), &number);

    const QString section = cleanName(rawSection);
    const QString key = cleanName(rawKey);
    const QString value = SjisCodec::decode(rawValue);
    const QString none = QStringLiteral("\x01none");
    const QString other = ini.ReadString(otherSection, otherKey, none);

    if (flags & 4) {
        // Messy names: the write must not fail or break the file for others.
        try {
            ini.WriteString(anySection, anyKey, value);
        } catch (const DorvuError &) {
            std::abort(); // the folder is ours and writable
        }
        return 0;
    }
    try {
        ini.WriteString(section, key, value);
    } catch (const DorvuError &) {
        std::abort();
    }
    if (!mayHoldSecondCode(rawValue))
        FUZZ_CHECK(ini.ReadString(section, key, none) == readBack(value));
    const bool same = section.toCaseFolded() == otherSection.toCaseFolded() &&
                      key.toCaseFolded() == otherKey.toCaseFolded();
    if (!same)
        FUZZ_CHECK(ini.ReadString(otherSection, otherKey, none) == other);
    return 0;
}

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// prefs.js of the WebKit engine: reading any lines, and the dialog's values written with
// BuildPrefs and read back with ReadPrefs. Input: flags, eight proxy texts (length-prefixed),
// then the file.
#include "FuzzInput.h"

#include "common/SjisCodec.h"
#include "common/TextFile.h"
#include "settings/GeckoPrefs.h"

using GeckoPrefs::Values;

namespace {

/// A proxy text that stays on its line and names no preference: host and port characters,
/// blanks, quotes and a few Japanese characters.
QString cleanText(const QByteArray &bytes)
{
    static const char16_t chars[] = u"abcxyzABC0189.-_:/ \"'あ漢ｱ";
    QString text;
    for (char c : bytes)
        text += QChar(chars[uchar(c) % (sizeof(chars) / sizeof(chars[0]) - 1)]);
    return text;
}

QString Values::*const kTexts[] = {&Values::HTTP,     &Values::HTTP_port,  &Values::FTP,
                                   &Values::FTP_port, &Values::SSL,        &Values::SSL_port,
                                   &Values::Gopher,   &Values::Gopher_port};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t flags = in.byte();
    Values values;
    values.Image = flags & 1;
    values.Cookie = flags & 2;
    values.Java = flags & 4;
    values.Script = flags & 8;
    values.Proxy = flags & 16;
    for (QString Values::*text : kTexts)
        values.*text = cleanText(in.piece());
    const QList<QByteArray> lines = TextFile::splitByteLines(in.rest());

    Values read;
    GeckoPrefs::ReadPrefs(lines, read);
    GeckoPrefs::ReadEngineSettings(lines);
    for (QString Values::*text : kTexts)
        GeckoPrefs::ProxyUri(read.*text, read.HTTP_port);

    // What the dialog writes, it reads back; the foreign lines stay as they were.
    const QList<QByteArray> built = GeckoPrefs::BuildPrefs(lines, values);
    const QList<QByteArray> reread = TextFile::splitByteLines(GeckoPrefs::JoinLines(built));
    FUZZ_CHECK(reread == built);
    Values back;
    GeckoPrefs::ReadPrefs(reread, back);
    FUZZ_CHECK(back.Image == values.Image && back.Cookie == values.Cookie &&
               back.Java == values.Java && back.Script == values.Script &&
               back.Proxy == values.Proxy);
    for (QString Values::*text : kTexts)
        FUZZ_CHECK(back.*text == values.*text);
    qsizetype foreign = 0;
    for (const QByteArray &line : lines) {
        bool ours = false;
        for (const QByteArray &name : GeckoPrefs::Names())
            ours = ours || line.contains(name);
        if (!ours)
            FUZZ_CHECK(built.value(foreign++) == line);
    }
    return 0;
}

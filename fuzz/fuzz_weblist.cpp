// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Web list files: reading the file (with a limit from the input), splitting and decoding its
// lines, writing them back, and the editor's text saved unchanged. Input: limit byte, file.
#include "FuzzFolder.h"
#include "FuzzInput.h"

#include "common/DorvuError.h"
#include "common/SjisCodec.h"
#include "common/WebListFile.h"
#include "weblist/WebListText.h"

namespace {

bool mayHoldSecondCode(const QByteArray &bytes)
{
    for (char c : bytes) {
        const uchar b = uchar(c);
        if (b == 0x87 || b == 0xED || b == 0xEE || b == 0xFA || b == 0xFB || b == 0xFC)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t limitByte = in.byte();
    const QByteArray file = in.rest();
    const QString path = fuzzFolder() + QStringLiteral("/リスト.wlf");
    writeFuzzFile(path, file.constData(), size_t(file.size()));

    QByteArray text;
    QStringList lines;
    try {
        const qint64 limit = limitByte == 0 ? WebListFile::MaxBytes : qint64(limitByte) * 8;
        bool complete = false;
        const QByteArray limited = WebListFile::readText(path, limit, &complete);
        const qsizetype nul = file.indexOf('\0');
        const QByteArray whole = nul >= 0 ? file.left(nul) : file;
        FUZZ_CHECK(complete == (whole.size() <= limit));
        FUZZ_CHECK(limited == whole.left(limit));
        text = WebListFile::readText(path);
        FUZZ_CHECK(text == whole);
        lines = WebListFile::read(path);
    } catch (const DorvuError &) {
        std::abort(); // the file is there and readable
    }
    FUZZ_CHECK(lines == WebListFile::decodeLines(text));
    FUZZ_CHECK(lines.size() == WebListFile::splitLines(text).size());

    // Written lines read back the same; without second codes the bytes stay too.
    const QByteArray encoded = WebListFile::encodeLines(lines);
    QByteArray crlf;
    for (const QByteArray &line : WebListFile::splitLines(text))
        crlf += line + "\r\n";
    if (!mayHoldSecondCode(text)) {
        FUZZ_CHECK(WebListFile::decodeLines(encoded) == lines);
        FUZZ_CHECK(encoded == crlf);
    }

    // The editor: its text saved as shown keeps every line's bytes.
    const WebListText editor(text);
    const QByteArray saved = editor.encode(editor.text());
    QByteArray expected = WebListFile::splitLines(text).join("\r\n");
    if (WebListFile::endsWithLineEnd(text))
        expected += "\r\n";
    if (saved != expected) {
        // Only lines that decode alike may share the first one's bytes.
        FUZZ_CHECK(SjisCodec::decode(saved) == SjisCodec::decode(expected));
    }
    return 0;
}

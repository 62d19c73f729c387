// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The line splitters of text files: on text and on bytes.
#include "FuzzInput.h"

#include "common/SjisCodec.h"
#include "common/TextFile.h"

namespace {

/// \a bytes with CR LF and lone CR turned into LF.
QByteArray normalised(const QByteArray &bytes)
{
    QByteArray out = bytes;
    out.replace("\r\n", "\n");
    out.replace('\r', '\n');
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> byteLines = TextFile::splitByteLines(bytes);

    // The lines with LF between them give the text back (a final line end adds no line).
    const QByteArray expected = normalised(bytes);
    QByteArray joined = byteLines.join('\n');
    if (expected.endsWith('\n'))
        joined += '\n';
    FUZZ_CHECK(joined == expected);
    for (const QByteArray &line : byteLines)
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n'));

    // Splitting the decoded text gives the decoded byte lines: no line end is ever part of a
    // Shift_JIS character.
    const QStringList lines = TextFile::splitLines(SjisCodec::decode(bytes));
    FUZZ_CHECK(lines.size() == byteLines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        FUZZ_CHECK(lines.at(i) == SjisCodec::decode(byteLines.at(i)));
    return 0;
}

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The bookmark HTML import: any file through encoding detection, decoding and the HTML parser;
// every name and address that comes out must fit Shift_JIS (it goes into BookMark.xml).
#include "FuzzInput.h"

#include "bookmarks/BookMarkHtml.h"
#include "common/SjisCodec.h"

namespace {

bool fits(const QString &text)
{
    return SjisCodec::decode(SjisCodec::encode(text)) == text;
}

void check(const QList<BookMarkNode> &nodes)
{
    for (const BookMarkNode &node : nodes) {
        FUZZ_CHECK(fits(node.text));
        FUZZ_CHECK(fits(node.url));
        FUZZ_CHECK(node.isEntry() || node.isFolder());
        FUZZ_CHECK(node.children.isEmpty() || node.isFolder());
        check(node.children);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const BookMarkHtml::Result result = BookMarkHtml::read(bytes);
    FUZZ_CHECK(!result.encoding.isEmpty());
    FUZZ_CHECK(result.replaced >= 0);
    check(result.nodes);

    // Fitting is idempotent and what it returns fits.
    bool changed = false;
    const QString fitted = BookMarkHtml::fitShiftJis(QString::fromUtf8(bytes), &changed);
    FUZZ_CHECK(fits(fitted));
    bool again = true;
    FUZZ_CHECK(BookMarkHtml::fitShiftJis(fitted, &again) == fitted && !again);
    return 0;
}

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Internet Shortcut (.url) files: the address from the lines, and a Favorites walk over a
// folder that holds the input as its one shortcut.
#include "FuzzFolder.h"
#include "FuzzInput.h"

#include "bookmarks/FavoritesWalk.h"
#include "common/SjisCodec.h"
#include "common/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = TextFile::splitLines(SjisCodec::decode(bytes));
    const QString url = FavoritesWalk::shortcutUrl(lines);
    if (lines.size() < 2)
        FUZZ_CHECK(url.isEmpty());
    else
        FUZZ_CHECK(lines.at(1).endsWith(url));

    writeFuzzFile(fuzzFolder() + QStringLiteral("/サイト.url"),
                  reinterpret_cast<const char *>(data), size);
    const QList<BookMarkNode> nodes = FavoritesWalk::walk(fuzzFolder());
    FUZZ_CHECK(nodes.size() == 1);
    FUZZ_CHECK(nodes.at(0).text == QStringLiteral("サイト"));
    FUZZ_CHECK(nodes.at(0).isEntry());
    // A file beyond 64 KiB is no shortcut: its address stays empty.
    FUZZ_CHECK(nodes.at(0).url == (size <= 64 * 1024 ? url : QString()));
    return 0;
}

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QString>

class TestHttpServer;

/// The title "日本語のページ" served in the Japanese encodings, for the engines' character-set
/// tests: UTF-8, Shift_JIS, EUC-JP and ISO-2022-JP with no character set named anywhere,
/// Shift_JIS named by a meta tag, EUC-JP named by the Content-Type header.
namespace EncodingPages {

QString title();
/// \a text in \a encoding: UTF-8, Shift_JIS as the program writes it, or any encoding ICU
/// knows; empty when it cannot be encoded.
QByteArray encode(const QString &text, const char *encoding);
/// Adds the pages to \a server.
void route(TestHttpServer &server);
/// Adds a "path" column with one named row per page (call from a _data() function).
void addRows();

} // namespace EncodingPages

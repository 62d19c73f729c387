// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "EncodingPages.h"

#include "TestHttpServer.h"

#include <QTest>

QString EncodingPages::title()
{
    return QStringLiteral("日本語のページ");
}

void EncodingPages::route(TestHttpServer &server)
{
    server.route(QStringLiteral("/utf8-undeclared"),
                 "<html><head><title>\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae"
                 "\xe3\x83\x9a\xe3\x83\xbc\xe3\x82\xb8</title></head><body>utf-8</body></html>",
                 "text/html");
    server.route(QStringLiteral("/sjis-meta"),
                 "<html><head><meta charset=\"Shift_JIS\"><title>\x93\xfa\x96\x7b\x8c\xea"
                 "\x82\xcc\x83\x79\x81\x5b\x83\x57</title></head><body>sjis</body></html>",
                 "text/html");
    server.route(QStringLiteral("/eucjp-header"),
                 "<html><head><title>\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\xa5\xda\xa1\xbc"
                 "\xa5\xb8</title></head><body>euc-jp</body></html>",
                 "text/html; charset=EUC-JP");
}

void EncodingPages::addRows()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("UTF-8, no charset anywhere") << QStringLiteral("/utf8-undeclared");
    QTest::newRow("Shift_JIS by meta") << QStringLiteral("/sjis-meta");
    QTest::newRow("EUC-JP by header") << QStringLiteral("/eucjp-header");
}

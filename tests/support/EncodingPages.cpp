// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "EncodingPages.h"

#include "TestHttpServer.h"
#include "common/SjisCodec.h"

#include <QTest>

#include <unicode/ucnv.h>

#include <vector>

QString EncodingPages::title()
{
    return QStringLiteral("日本語のページ");
}

QByteArray EncodingPages::encode(const QString &text, const char *encoding)
{
    if (qstrcmp(encoding, "UTF-8") == 0)
        return text.toUtf8();
    if (qstrcmp(encoding, "Shift_JIS") == 0)
        return SjisCodec::encode(text);
    UErrorCode status = U_ZERO_ERROR;
    UConverter *conv = ucnv_open(encoding, &status);
    std::vector<char> out(size_t(text.size()) * 8 + 16);
    const int32_t n = ucnv_fromUChars(conv, out.data(), int32_t(out.size()),
                                      reinterpret_cast<const UChar *>(text.utf16()),
                                      int32_t(text.size()), &status);
    ucnv_close(conv);
    return U_SUCCESS(status) ? QByteArray(out.data(), n) : QByteArray();
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
    // Named nowhere: the engine has to recognise these from their bytes.
    server.route(
        QStringLiteral("/sjis-undeclared"),
        "<html><head><title>\x93\xfa\x96{\x8c\xea\x82\xcc\x83y\x81[\x83W</title></head>"
        "<body><p>\x82\xb1\x82\xea\x82\xcd\x93\xfa\x96{\x8c\xea\x82\xc5\x8f\x91\x82\xa9"
        "\x82\xea\x82\xbd\x83y\x81[\x83W\x82\xc5\x82\xb7\x81"
        "B\x95\xb6\x8e\x9a\x83R\x81["
        "\x83h\x82\xcc\x8e\xa9\x93\xae\x94\xbb\x95\xca\x82\xf0\x8am\x82\xa9\x82\xdf\x82\xe9"
        "\x82\xbd\x82\xdf\x82\xcc\x95\xb6\x8f\xcd\x82\xc5\x82\xb7\x81"
        "B\x93\x8c\x8b\x9e"
        "\x81"
        "A\x91\xe5\x8d\xe3\x81"
        "A\x96\xbc\x8c\xc3\x89\xae\x81"
        "B</p></body></html>",
        "text/html");
    server.route(
        QStringLiteral("/eucjp-undeclared"),
        "<html><head><title>\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\xa5\xda\xa1\xbc\xa5\xb8</title>"
        "</head><body><p>\xa4\xb3\xa4\xec\xa4\xcf\xc6\xfc\xcb\xdc\xb8\xec\xa4\xc7\xbd\xf1"
        "\xa4\xab\xa4\xec\xa4\xbf\xa5\xda\xa1\xbc\xa5\xb8\xa4\xc7\xa4\xb9\xa1\xa3\xca\xb8"
        "\xbb\xfa\xa5\xb3\xa1\xbc\xa5\xc9\xa4\xce\xbc\xab\xc6\xb0\xc8\xbd\xca\xcc\xa4\xf2"
        "\xb3\xce\xa4\xab\xa4\xe1\xa4\xeb\xa4\xbf\xa4\xe1\xa4\xce\xca\xb8\xbe\xcf\xa4\xc7"
        "\xa4\xb9\xa1\xa3\xc5\xec\xb5\xfe\xa1\xa2\xc2\xe7\xba\xe5\xa1\xa2\xcc\xbe\xb8\xc5"
        "\xb2\xb0\xa1\xa3</p></body></html>",
        "text/html");
    server.route(QStringLiteral("/iso2022jp-undeclared"),
                 "<html><head><title>\x1b$BF|K\x5c"
                 "8l$N%Z!<%8\x1b(B</title></head><body><p>"
                 "\x1b$B$3$l$OF|K\x5c"
                 "8l$G=q$+$l$\x3f%Z!<%8$G$9!#J8;z%3!<%I$N<+F0H=JL$r3N$+$a$k"
                 "$\x3f$a$NJ8>O$G$9!#El5~!\x22"
                 "Bg:e!\x22L>8E20!#\x1b(B</p></body></html>",
                 "text/html");
}

void EncodingPages::addRows()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("UTF-8, no charset anywhere") << QStringLiteral("/utf8-undeclared");
    QTest::newRow("Shift_JIS by meta") << QStringLiteral("/sjis-meta");
    QTest::newRow("EUC-JP by header") << QStringLiteral("/eucjp-header");
    QTest::newRow("Shift_JIS, no charset anywhere") << QStringLiteral("/sjis-undeclared");
    QTest::newRow("EUC-JP, no charset anywhere") << QStringLiteral("/eucjp-undeclared");
    QTest::newRow("ISO-2022-JP, no charset anywhere") << QStringLiteral("/iso2022jp-undeclared");
}

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/SearchTable.h"

#include "common/DorvuError.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

namespace Search = SettingsKeys::Search;

namespace {

struct Entry
{
    const char16_t *caption;
    const char *path;
};

// Services 0 and 1 are one service; only 0 asks for pages in Japanese.
constexpr Entry kEntries[Search::Count]{
    {u"Google（日本語）", "/search?hl=ja&q="},
    {u"Google（すべて）", "/search?hl=ja&q="},
    {u"Yahoo! Japan", "/bin/search?p="},
    {u"Yahoo!-SoftWise（韓国）", "/bin/query?p="},
    {u"現代用語辞典", "/GTitles?qt="},
    {u"アスキーデジタル用語辞典", "/gh/search/?pattern="},
    {u"英辞郎（英和）", "/db/owa/eijiro_red?type_in=ej&word_in="},
    {u"英辞郎（和英）", "/db/owa/eijiro_red?type_in=je&word_in="},
    {u"マピオン（住所）", "/c/f?p=1&uc=7&mx=999&vp=20&grp=all&oi=admi3code&ob=1&find="},
    {u"郵便番号検索（番号）", "/postcode/cgioutput/zip7_search.php3?MT="},
    {u"郵便番号検索（住所）", "/postcode/cgioutput/word_search.php3?MT="},
};

} // namespace

SearchTable SearchTable::read(const IniFile &ini)
{
    SearchTable table;
    for (int i = 0; i < Search::Count; ++i) {
        Service service;
        service.caption = QString::fromUtf16(kEntries[i].caption);
        // A host written with its scheme or a trailing slash still gives one clean prefix.
        QString host = SettingsKeys::read(ini, Search::Host[i]).trimmed();
        if (host.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
            host = host.mid(7);
        while (host.endsWith(QLatin1Char('/')))
            host.chop(1);
        if (host.isEmpty())
            host = Search::Host[i].def.toString();
        service.prefix = QLatin1String("http://") + host + QLatin1String(kEntries[i].path);
        service.charset =
            FormEncoding::charsetFromName(SettingsKeys::read(ini, Search::Charset[i]));
        table.m_services.append(service);
    }
    return table;
}

QStringList SearchTable::captions() const
{
    QStringList list;
    for (const Service &service : m_services)
        list.append(service.caption);
    return list;
}

QString SearchTable::url(int index, const QString &query) const
{
    if (index < 0 || index >= count())
        throw DorvuError(QStringLiteral("検索サービスが選ばれていません"));
    const Service &service = m_services.at(index);
    // Bounded before encoding: a character never encodes to fewer than one byte.
    if (service.prefix.size() + query.size() > MaxUrlLength)
        throw DorvuError(QStringLiteral("検索する語が長すぎます"));
    QString url =
        service.prefix + QString::fromLatin1(FormEncoding::encode(query, service.charset));
    if (index == 0)
        url += QLatin1String("&lr=lang_ja");
    if (url.size() > MaxUrlLength)
        throw DorvuError(QStringLiteral("検索する語が長すぎます"));
    return url;
}

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/LinkList.h"

#include <QSet>
#include <QUrl>

namespace LinkList {

QString collectScript(int limit)
{
    // Frames of other origins throw on access; they are skipped.
    return QStringLiteral("(function(){var out=[];var max=%1;"
                          "function walk(d){var l;try{l=d.links;}catch(e){return;}"
                          "for(var i=0;i<l.length&&out.length<max;i++){out.push(l[i].href);}"
                          "var f;try{f=d.querySelectorAll('iframe,frame');}catch(e){return;}"
                          "for(var j=0;j<f.length&&out.length<max;j++){"
                          "try{if(f[j].contentDocument)walk(f[j].contentDocument);}catch(e){}}}"
                          "walk(document);return out.join('\\n');})()")
        .arg(limit);
}

QStringList fromScriptResult(const QString &text)
{
    QStringList lines;
    QSet<QString> seen;
    const QStringList hrefs = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &href : hrefs) {
        const QUrl url(href.trimmed(), QUrl::TolerantMode);
        if (!url.isValid() || url.isRelative() ||
            url.scheme().compare(QLatin1String("javascript"), Qt::CaseInsensitive) == 0)
            continue;
        const QString line = QString::fromLatin1(url.toEncoded());
        if (!seen.contains(line)) {
            seen.insert(line);
            lines.append(line);
        }
    }
    return lines;
}

} // namespace LinkList

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "history/HistoryRules.h"

#include <QDateTime>

#include <algorithm>

namespace HistoryRules {

bool isRecordable(const QString &url)
{
    const int colon = int(url.indexOf(QLatin1Char(':')));
    if (colon <= 0)
        return false;
    const QStringView scheme = QStringView(url).left(colon);
    for (const char *one : {"http", "https", "ftp", "file"})
        if (scheme.compare(QLatin1String(one), Qt::CaseInsensitive) == 0)
            return url.size() > colon + 1;
    return false;
}

QString fold(QStringView text)
{
    // Addresses are mostly ASCII, which needs no normalization.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toString().toLower();
    // NFKC first: it turns "Ａ" into "A", which case folding then lowers.
    return text.toString().normalized(QString::NormalizationForm_KC).toCaseFolded();
}

double score(int visits, qint64 ageMs, bool bookmarked)
{
    const double days = double(std::max<qint64>(ageMs, 0)) / 86400000.0;
    const double recency = visits > 0 ? 1.0 / (1.0 + days / 7.0) : 1.0;
    return double(visits + (bookmarked ? BookmarkVisits : 0)) * recency;
}

bool isAddressStart(QStringView foldedUrl, int offset)
{
    if (offset == 0)
        return true;
    const qsizetype slashes = foldedUrl.indexOf(u"://");
    if (slashes < 0)
        return false;
    const int host = int(slashes) + 3;
    if (offset == host)
        return true;
    return offset == host + 4 && foldedUrl.mid(host).startsWith(u"www.");
}

qint64 expiryCutoff(qint64 nowMs, int days)
{
    return nowMs - qint64(std::max(days, 1)) * 86400000;
}

QDate dayOf(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).date();
}

qint64 dayStart(QDate day)
{
    return day.startOfDay().toMSecsSinceEpoch();
}

qint64 dayEnd(QDate day)
{
    return day.addDays(1).startOfDay().toMSecsSinceEpoch();
}

QString corruptName(const QString &path, const QDateTime &when)
{
    return path + QStringLiteral(".corrupt-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

} // namespace HistoryRules

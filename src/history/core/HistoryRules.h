// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

class QDateTime;

/// The history's decisions: what is recorded, how text is matched, how matches are ranked and
/// when entries expire.
namespace HistoryRules {

/// A bookmark counts as this many visits when completions are ranked.
inline constexpr int BookmarkVisits = 5;

/// Addresses of pages worth remembering: http, https, ftp and file. Empty pages, about:,
/// data:, javascript: and the like are not.
bool isRecordable(const QString &url);
/// \a text as it is matched: compatibility forms unified (full-width Latin letters and digits
/// become ASCII, half-width katakana full-width) and case folded.
QString fold(QStringView text);
/// The weight of an entry among completions: its visits (plus BookmarkVisits when bookmarked)
/// times a recency factor that halves after a week without a visit. \a ageMs is the time since
/// the last visit; a bookmark never visited counts as just visited.
double score(int visits, qint64 ageMs, bool bookmarked);
/// Where a match at \a offset in a folded address counts as the start of the address: its very
/// start, the start of the host ("scheme://") or the host without "www.".
bool isAddressStart(QStringView foldedUrl, int offset);
/// The last visit time (ms since the epoch) before which entries are dropped, keeping \a days
/// days before \a nowMs; at least one day is kept.
qint64 expiryCutoff(qint64 nowMs, int days);
/// The local day of a visit time, and the span [first, end) of a local day in ms.
QDate dayOf(qint64 ms);
qint64 dayStart(QDate day);
qint64 dayEnd(QDate day);
/// The name a damaged database at \a path is renamed to: "<path>.corrupt-<yyyyMMdd-HHmmss>".
QString corruptName(const QString &path, const QDateTime &when);

} // namespace HistoryRules

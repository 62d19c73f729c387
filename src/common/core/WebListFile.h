// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/*
 * Web list file: a ".wlf" file in WebList/, and also winlist and the restore file
 * "WebList/以前の状態を復元.wlf". Shift_JIS text, one URL per line, taken whole (spaces
 * included); no header, no comments. Line order is the opening order.
 *
 * Reading: a line ends at CR LF, a lone CR or a lone LF; a last line without a line end still
 * counts; a line end at the very end adds no empty line; the text ends at the first NUL byte.
 * Empty lines between other lines are entries (empty addresses). Of a file larger than the
 * limit only the lines that lie wholly inside it are read.
 *
 * Writing: lines separated by CR LF. A list of lines gets CR LF after every line, the last one
 * included (an empty list is a file of 0 bytes); the editor writes its text as it stands. A
 * file is written to a temporary file in the same folder and renamed over the old one.
 */
namespace WebListFile {

/// The most a list file is read of (64 MiB): far beyond any list, small enough never to
/// exhaust memory.
inline constexpr qint64 MaxBytes = qint64(64) * 1024 * 1024;

/// The text of the file at \a nativePath: its bytes up to the first NUL, at most \a limit of
/// them. \a complete (when given) becomes false when the file holds more text than that.
/// Only a regular file (or a link to one) is read: anything else, like a missing file, throws
/// DorvuError "ファイル %s は開けません" with \a shownPath.
QByteArray readText(const QByteArray &nativePath, const QString &shownPath, qint64 limit = MaxBytes,
                    bool *complete = nullptr);
/// Same, for a path given as text.
QByteArray readText(const QString &path, qint64 limit = MaxBytes, bool *complete = nullptr);

/// The lines of \a text (already cut at its NUL) by the reading rules, as bytes.
QList<QByteArray> splitLines(const QByteArray &text);
/// True when \a text ends with a line end.
bool endsWithLineEnd(const QByteArray &text);
/// The lines of \a text, decoded from Shift_JIS.
QStringList decodeLines(const QByteArray &text);

/// The lines of the list file \a path. Throws DorvuError "ファイル %s は開けません".
QStringList read(const QString &path);
QStringList read(const QByteArray &nativePath, const QString &shownPath);
/// The lines of \a path, or none, without a report, when it is missing, a folder, a dangling
/// link or unreadable.
QStringList readIfFile(const QString &path);

/// \a lines with CR LF after every line, in Shift_JIS.
QByteArray encodeLines(const QStringList &lines);
/// Writes \a lines with CR LF after every line. Throws DorvuError "ファイル %s を作成できません";
/// the old file is then unchanged.
void write(const QString &path, const QStringList &lines);
/// Writes \a bytes as they are; same failure.
void writeText(const QString &path, const QByteArray &bytes);

} // namespace WebListFile

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QStringList>

#include <functional>

/// Whole-file text access: Shift_JIS on disk; lines split at CR LF, a lone CR or a lone LF;
/// written with CR LF after every line.
namespace TextFile {

/// Throws DorvuError "ファイル %s は開けません" when the file cannot be opened.
/// A final line end does not add an empty line. Reads at most the first 64 MiB.
QStringList readLines(const QString &path);
/// Same lines, or an empty list when the file cannot be read.
QStringList readLinesOrEmpty(const QString &path);
/// The file's bytes as they are (at most the first 64 MiB); false when it cannot be opened or
/// is no regular file (a folder, a FIFO, a device).
bool readBytes(const QString &path, QByteArray *bytes);
/// Writes to a temporary file in the same folder, then renames it over \a path.
/// Throws DorvuError "%s に書き込めません" on failure; the old file is then unchanged.
void writeLines(const QString &path, const QStringList &lines);
/// Same, for raw bytes (already encoded).
void writeBytes(const QString &path, const QByteArray &bytes);
/// Deletes the temporary files that a write into \a folder left behind when the program was
/// killed half-way (named after the file with "." and six letters or digits appended), for the
/// files whose names \a isOwnFile accepts. Only regular files are deleted. Returns their count.
int removeStaleTemporaries(const QString &folder,
                           const std::function<bool(const QString &)> &isOwnFile);

QStringList splitLines(const QString &text);
/// The same split on raw bytes, for files whose lines must go back byte for byte.
QList<QByteArray> splitByteLines(const QByteArray &bytes);
/// Shift_JIS bytes as lines, split as splitLines splits decoded text.
QStringList decodeLines(const QByteArray &bytes);

} // namespace TextFile

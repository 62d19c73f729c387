// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

/// The one guarded read of a whole file, for every file of ours and every file the user hands
/// us: only a regular file (or a link to one) is read, a FIFO or device in its place neither
/// hangs nor is read, and no more than a limit is ever held in memory.
namespace FileRead {

/// The most a file is read of (64 MiB): far beyond any file of ours, small enough never to
/// exhaust memory.
inline constexpr qint64 MaxBytes = qint64(64) * 1024 * 1024;

enum class Status {
    Ok,
    Missing, ///< no such file (or a folder on its path is missing)
    Refused, ///< there is something, but no regular file, or it cannot be read
};

struct Result
{
    Status status = Status::Missing;
    /// The file's first bytes, at most the limit of them.
    QByteArray bytes;
    /// False when the file holds more than the limit.
    bool complete = true;
    /// The file's status when it was opened (Ok only).
    struct stat info = {};

    bool ok() const { return status == Status::Ok; }
};

Result read(const QByteArray &nativePath, qint64 limit = MaxBytes);
Result read(const QString &path, qint64 limit = MaxBytes);

} // namespace FileRead

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/FileRead.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace FileRead {

Result read(const QByteArray &nativePath, qint64 limit)
{
    Result result;
    // O_NONBLOCK: a FIFO put in place of the file must not wait for a writer.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Refused;
        return result;
    }
    // A folder, a pipe or a device is no file of ours.
    if (::fstat(fd, &result.info) != 0 || !S_ISREG(result.info.st_mode)) {
        ::close(fd);
        result.status = Status::Refused;
        return result;
    }
    limit = qMax<qint64>(limit, 0);
    // One byte beyond the limit tells a file that is larger from one that is just as large; a
    // file that grew since fstat is read on to its end (or the limit).
    QByteArray &bytes = result.bytes;
    bytes.resize(qMin<qint64>(result.info.st_size, limit) + 1);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit)
                break;
            bytes.resize(qMin<qint64>(got * 2 + 4096, limit + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            result.bytes.clear();
            result.status = Status::Refused;
            return result;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    result.complete = got <= limit;
    bytes.truncate(qMin(got, limit));
    result.status = Status::Ok;
    return result;
}

Result read(const QString &path, qint64 limit)
{
    return read(QFile::encodeName(path), limit);
}

} // namespace FileRead

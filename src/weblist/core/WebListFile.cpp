// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "WebListFile.h"

#include "DorvuError.h"
#include "SjisCodec.h"
#include "TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

DorvuError cannotOpen(const QString &path)
{
    return DorvuError(QStringLiteral("ファイル %1 は開けません").arg(path));
}

/// Closes a descriptor when it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

namespace WebListFile {

QByteArray readText(const QByteArray &nativePath, const QString &shownPath, qint64 limit,
                    bool *complete)
{
    // Not blocking: a pipe in the folder must not stop the window; it is refused below.
    const Descriptor fd(::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info;
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw cannotOpen(shownPath);
    const qint64 size = qint64(info.st_size);
    QByteArray bytes;
    // One byte beyond the limit tells a file that is larger from one that is just as large.
    bytes.resize(qMin(size, limit) + 1);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw cannotOpen(shownPath);
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const bool whole = bytes.size() <= limit;
    if (!whole)
        bytes.truncate(limit);
    if (complete)
        *complete = whole;
    return bytes;
}

QByteArray readText(const QString &path, qint64 limit, bool *complete)
{
    return readText(QFile::encodeName(path), path, limit, complete);
}

QList<QByteArray> splitLines(const QByteArray &text)
{
    // CR and LF are never part of a two-byte Shift_JIS character: splitting the bytes is
    // splitting the text.
    return TextFile::splitByteLines(text);
}

bool endsWithLineEnd(const QByteArray &text)
{
    return text.endsWith('\r') || text.endsWith('\n');
}

QStringList decodeLines(const QByteArray &text)
{
    return TextFile::decodeLines(text);
}

namespace {

QStringList linesOf(const QByteArray &nativePath, const QString &shownPath)
{
    bool complete = true;
    QByteArray text = readText(nativePath, shownPath, MaxBytes, &complete);
    if (!complete && !endsWithLineEnd(text)) {
        // The limit cut the last line: it is not the line the file holds.
        const qsizetype end = qMax(text.lastIndexOf('\r'), text.lastIndexOf('\n'));
        text.truncate(end + 1);
    }
    return decodeLines(text);
}

} // namespace

QStringList read(const QString &path)
{
    return linesOf(QFile::encodeName(path), path);
}

QStringList read(const QByteArray &nativePath, const QString &shownPath)
{
    return linesOf(nativePath, shownPath);
}

QStringList readIfFile(const QString &path)
{
    try {
        return read(path);
    } catch (const DorvuError &) {
        return QStringList();
    }
}

QByteArray encodeLines(const QStringList &lines)
{
    // Line by line: the CR LF between two lines ends whatever the codec carries from one
    // character to the next, so the bytes are those of the joined text, which is never made.
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (const QString &line : lines) {
        bytes += SjisCodec::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

void write(const QString &path, const QStringList &lines)
{
    writeText(path, encodeLines(lines));
}

void writeText(const QString &path, const QByteArray &bytes)
{
    try {
        TextFile::writeBytes(path, bytes);
    } catch (const DorvuError &) {
        throw DorvuError(QStringLiteral("ファイル %1 を作成できません").arg(path));
    }
}

} // namespace WebListFile

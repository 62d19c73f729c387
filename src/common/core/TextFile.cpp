// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/TextFile.h"

#include "common/DorvuError.h"
#include "common/FileRead.h"
#include "common/SjisCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

QString fullPath(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

/// Calls \a line with the start and size of each line of \a bytes, split at CR LF, CR or LF.
template<typename Line> void forEachLine(const QByteArray &bytes, Line line)
{
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == '\r' || p[i] == '\n') {
            line(start, i - start);
            if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        line(start, n - start);
}

} // namespace

namespace TextFile {

bool readBytes(const QString &path, QByteArray *bytes)
{
    FileRead::Result file = FileRead::read(path);
    if (!file.ok())
        return false;
    *bytes = std::move(file.bytes);
    return true;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && p[i + 1].unicode() == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QList<QByteArray> splitByteLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    forEachLine(bytes,
                [&](qsizetype start, qsizetype size) { lines.append(bytes.mid(start, size)); });
    return lines;
}

QStringList decodeLines(const QByteArray &bytes)
{
    // CR and LF are never part of a double-byte character, so the lines can be split before
    // decoding, and the whole text is never held decoded beside its lines.
    QStringList lines;
    forEachLine(bytes, [&](qsizetype start, qsizetype size) {
        lines.append(SjisCodec::decode(bytes.constData() + start, size));
    });
    return lines;
}

QStringList readLines(const QString &path)
{
    QByteArray bytes;
    if (!readBytes(path, &bytes))
        throw DorvuError(QStringLiteral("ファイル %1 は開けません").arg(path));
    return decodeLines(bytes);
}

QStringList readLinesOrEmpty(const QString &path)
{
    QByteArray bytes;
    if (!readBytes(path, &bytes))
        return QStringList();
    return decodeLines(bytes);
}

void writeLines(const QString &path, const QStringList &lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    writeBytes(path, SjisCodec::encode(text));
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    // Never write the file in place: either the whole new file replaces it, or nothing changes.
    f.setDirectWriteFallback(false);
    // The explicit flush: commit() does not see a write that fails for want of space on
    // disk, and would put the short file in place of the old one.
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush() ||
        f.error() != QFileDevice::NoError || !f.commit()) {
        f.cancelWriting();
        throw DorvuError(QStringLiteral("%1 に書き込めません").arg(fullPath(path)));
    }
}

int removeStaleTemporaries(const QString &folder,
                           const std::function<bool(const QString &)> &isOwnFile)
{
    // QSaveFile names its temporary file "<name>.XXXXXX" (where the system cannot keep it
    // unnamed) and links the data under such a name just before the rename.
    int removed = 0;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const qsizetype dot = name.size() - 7;
        if (dot < 1 || name.at(dot) != QLatin1Char('.'))
            continue;
        const QStringView tail = QStringView(name).mid(dot + 1);
        const bool random = std::all_of(tail.begin(), tail.end(), [](QChar c) {
            return c.unicode() < 128 && c.isLetterOrNumber();
        });
        const QFileInfo info(dir.filePath(name));
        if (random && info.isFile() && !info.isSymLink() && isOwnFile(name.left(dot)) &&
            QFile::remove(info.filePath()))
            ++removed;
    }
    return removed;
}

} // namespace TextFile

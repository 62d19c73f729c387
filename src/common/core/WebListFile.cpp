// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/WebListFile.h"

#include "common/DorvuError.h"
#include "common/FileRead.h"
#include "common/SjisCodec.h"
#include "common/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

DorvuError cannotOpen(const QString &path)
{
    return DorvuError(QStringLiteral("ファイル %1 は開けません").arg(path));
}

} // namespace

namespace WebListFile {

QByteArray readText(const QByteArray &nativePath, const QString &shownPath, qint64 limit,
                    bool *complete)
{
    // A pipe in the folder must not stop the window: it is refused like a missing file.
    // One byte past the limit is read too: a NUL just after the limit ends the text there, and
    // the text is then complete although the file goes on.
    limit = qMax<qint64>(limit, 0);
    FileRead::Result file = FileRead::read(nativePath, limit + 1);
    if (!file.ok())
        throw cannotOpen(shownPath);
    QByteArray &bytes = file.bytes;
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const bool over = bytes.size() > limit;
    if (over)
        bytes.truncate(limit);
    // A NUL within the limit ends the text: what follows it is no part of it, however long.
    if (complete)
        *complete = !over && (file.complete || nul >= 0);
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

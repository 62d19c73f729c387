// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "TextFile.h"

#include "DorvuError.h"
#include "SjisCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 kMaxRead = qint64(64) * 1024 * 1024;

QString fullPath(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

namespace TextFile {

bool readBytes(const QString &path, QByteArray *bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) // also fails for a folder
        return false;
    if (f.isSequential()) {
        // A pipe or device: never block on it or read without end.
        *bytes = f.read(kMaxRead);
        return true;
    }
    *bytes = f.read(qMin(f.size(), kMaxRead));
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
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == '\r' || p[i] == '\n') {
            lines.append(bytes.mid(start, i - start));
            if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(bytes.mid(start));
    return lines;
}

QStringList readLines(const QString &path)
{
    QByteArray bytes;
    if (!readBytes(path, &bytes))
        throw DorvuError(QStringLiteral("ファイル %1 は開けません").arg(path));
    return splitLines(SjisCodec::decode(bytes));
}

QStringList readLinesOrEmpty(const QString &path)
{
    QByteArray bytes;
    if (!readBytes(path, &bytes))
        return QStringList();
    return splitLines(SjisCodec::decode(bytes));
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
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        f.cancelWriting();
        throw DorvuError(QStringLiteral("%1 に書き込めません").arg(fullPath(path)));
    }
}

} // namespace TextFile

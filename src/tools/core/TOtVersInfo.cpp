// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/TOtVersInfo.h"

#include "common/DorvuError.h"

#include <QByteArrayMatcher>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// A block is small; this bounds what a damaged one can make us read.
constexpr qsizetype MaxBlock = 4096;
// The module is a few MiB; a file much larger than any module is not searched to its end.
constexpr qint64 MaxScanned = qint64(256) * 1024 * 1024;
constexpr qint64 Chunk = qint64(1) * 1024 * 1024;

[[noreturn]] void fail(const QString &reason)
{
    throw DorvuError(QStringLiteral("QueryVersionInfo:") + reason);
}

// The block's bytes from the marker on, or empty when the file holds none.
QByteArray findBlock(QFile &file)
{
    const QByteArray mark = TOtVersInfo::marker();
    const QByteArrayMatcher matcher(mark);
    QByteArray window;
    qint64 scanned = 0;
    while (scanned < MaxScanned) {
        const QByteArray chunk = file.read(Chunk);
        if (chunk.isEmpty())
            break;
        scanned += chunk.size();
        // Keep the tail of the last window so a marker split between two reads is found.
        window = window.right(mark.size() + MaxBlock) + chunk;
        const qsizetype at = matcher.indexIn(window);
        if (at >= 0) {
            QByteArray block = window.mid(at);
            if (block.size() < MaxBlock)
                block += file.read(MaxBlock - block.size());
            return block.left(MaxBlock);
        }
    }
    return QByteArray();
}

} // namespace

TOtVersInfo::TOtVersInfo()
    : FileName(QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath())
{}

QByteArray TOtVersInfo::marker()
{
    return QByteArrayLiteral("DORVU-VERSIONINFO");
}

QString TOtVersInfo::itemName(int index)
{
    static const char *const names[ItemCount] = {
        "CompanyName",    "FileDescription",  "FileVersion", "InternalName",
        "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};
    if (index < 0 || index >= ItemCount)
        return QString();
    return QString::fromLatin1(names[index]);
}

bool TOtVersInfo::parseBlock(const QByteArray &bytes, QHash<QString, QString> *items)
{
    const QByteArray mark = marker() + '\0';
    if (!bytes.startsWith(mark))
        return false;
    qsizetype pos = mark.size();
    auto next = [&](QByteArray *out) {
        const qsizetype end = bytes.indexOf('\0', pos);
        if (end < 0)
            return false;
        *out = bytes.mid(pos, end - pos);
        pos = end + 1;
        return true;
    };
    QByteArray name;
    QByteArray value;
    while (next(&name) && !name.isEmpty() && next(&value))
        items->insert(QString::fromUtf8(name), QString::fromUtf8(value));
    return true;
}

QString TOtVersInfo::query(int index)
{
    if (!m_read) {
        QFile file(FileName);
        if (FileName.isEmpty() || QFileInfo(FileName).isDir() || !file.open(QIODevice::ReadOnly))
            fail(FileName.isEmpty()
                     ? QStringLiteral("ファイル名がありません")
                     : QStringLiteral("%1 を読めません (%2)").arg(FileName, file.errorString()));
        QHash<QString, QString> items;
        if (!parseBlock(findBlock(file), &items))
            fail(QStringLiteral("%1 にバージョン情報がありません").arg(FileName));
        m_items = items;
        m_read = true;
    }
    const QString name = itemName(index);
    const auto it = m_items.constFind(name);
    if (name.isEmpty() || it == m_items.constEnd())
        fail(QStringLiteral("バージョン情報に %1 がありません")
                 .arg(name.isEmpty() ? QString::number(index) : name));
    return it.value();
}

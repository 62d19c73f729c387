// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

/// A scratch folder for the whole run, in memory where possible; removed at exit.
inline const QString &fuzzFolder()
{
    static QTemporaryDir dir((QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                        : QDir::tempPath()) +
                             QStringLiteral("/dorvu-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

/// Writes \a bytes to \a path as they are (plain stdio: quick, and no code under test).
inline void writeFuzzFile(const QString &path, const char *data, size_t size)
{
    FILE *f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size) {
        std::perror("fuzz file");
        std::abort();
    }
    std::fclose(f);
}

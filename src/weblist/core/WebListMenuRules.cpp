// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "weblist/WebListMenuRules.h"

#include "common/SjisCodec.h"

#include <QCollator>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace WebListMenuRules {

QString folder(const QString &programFolder)
{
    return programFolder + QStringLiteral("WebList");
}

QString itemCaption(const QString &fileName)
{
    qsizetype end = fileName.size();
    qsizetype cut = 0;
    while (end > 0 && cut < 4) {
        qsizetype start = end - 1;
        if (start > 0 && fileName.at(start).isLowSurrogate() &&
            fileName.at(start - 1).isHighSurrogate())
            --start;
        cut += SjisCodec::encode(fileName.mid(start, end - start)).size();
        end = start;
    }
    return QLatin1Char('&') + fileName.left(end);
}

QList<ListedFile> listFiles(const QString &folder)
{
    QList<ListedFile> files;
    const QByteArray nativeFolder = QFile::encodeName(folder);
    DIR *dir = ::opendir(nativeFolder.constData());
    if (!dir)
        return files;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const QByteArray path = nativeFolder + '/' + name;
        struct stat info;
        // A dangling link is no folder: it is listed, and choosing it says it cannot be opened.
        if (::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            continue;
        files.append({name, QFile::decodeName(name)});
    }
    ::closedir(dir);
    // Japanese rules whatever the process locale: in the C locale the collator compares
    // code points and ignores the numeric mode.
    QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    collator.setNumericMode(true);
    std::stable_sort(files.begin(), files.end(), [&](const ListedFile &a, const ListedFile &b) {
        const int order = collator.compare(a.name, b.name);
        return order != 0 ? order < 0 : a.nativeName < b.nativeName;
    });
    return files;
}

} // namespace WebListMenuRules

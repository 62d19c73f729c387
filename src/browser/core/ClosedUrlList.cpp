// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/ClosedUrlList.h"

#include "common/ProgramFolder.h"
#include "common/TextFile.h"

void ClosedUrlList::append(const QString &url)
{
    m_entries.append(url);
    while (m_entries.size() > MaxEntries)
        m_entries.removeFirst();
}

QString ClosedUrlList::takeLast()
{
    return m_entries.isEmpty() ? QString() : m_entries.takeLast();
}

void ClosedUrlList::save() const
{
    TextFile::writeLines(ProgramFolder::file(QStringLiteral("Close.txt")), m_entries);
}

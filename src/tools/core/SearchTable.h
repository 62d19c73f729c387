// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "tools/FormEncoding.h"

#include <QList>
#include <QString>

class IniFile;

/// The search services of the search bar, in the order of its service list: caption, URL
/// prefix ("http://" + host + path and query key) and the character set of the query. The
/// hosts and character sets come from config.ini "Search", with built-in defaults.
class SearchTable
{
public:
    struct Service
    {
        QString caption;
        QString prefix;
        FormEncoding::Charset charset = FormEncoding::Charset::Utf8;
    };

    /// Longest address a search builds; a longer one is refused (DorvuError).
    static constexpr qsizetype MaxUrlLength = 2 * 1024 * 1024;

    /// The eleven services with the hosts and character sets of \a ini.
    static SearchTable read(const IniFile &ini);

    int count() const { return static_cast<int>(m_services.size()); }
    const Service &at(int index) const { return m_services.at(index); }
    QStringList captions() const;

    /// The result address of \a query at service \a index: the prefix, the encoded query and,
    /// for service 0 only, "&lr=lang_ja". Throws DorvuError for an index outside the table
    /// and for an address longer than MaxUrlLength.
    QString url(int index, const QString &query) const;

private:
    QList<Service> m_services;
};

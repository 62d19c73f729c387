// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "TestHttpServer.h"

#include <QStringList>

/// Routes \a count pages "/p<K>.html" on \a server, each with a title and some text, whose
/// onload requests "/loaded<K>" (so the server sees every page finish); returns their addresses.
/// The pages need scripts switched on.
inline QStringList routeOnloadPages(TestHttpServer &server, int count)
{
    QStringList urls;
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("/p%1.html").arg(i);
        server.route(path, QStringLiteral("<html><head><title>Page %1</title></head>"
                                          "<body onload=\"fetch('/loaded%1')\">%2</body></html>")
                               .arg(i)
                               .arg(QStringLiteral("text ").repeated(200))
                               .toUtf8());
        server.route(QStringLiteral("/loaded%1").arg(i), "ok", "text/plain");
        urls.append(server.url(path).toString());
    }
    return urls;
}

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/*
 * The WebKit engine's preference file prefs.js, in its profile folder.
 *
 * Shift_JIS text, one preference per line in the form
 *     user_pref("name", value);
 * with string values in double quotes. Thirteen preferences are ours: four features
 * (network.image.imageBehavior, network.cookie.cookieBehavior, security.enable_java,
 * javascript.enabled), network.proxy.type and host and port for http, ftp, ssl and gopher.
 * Every other line belongs to someone else and is written back byte for byte.
 *
 * Lines are bytes, as in the file: the search texts are ASCII, positions count bytes, and a
 * line shorter than a position yields an empty text rather than an error. Lines are split by
 * TextFile::splitByteLines; written lines end in CR LF.
 */
namespace GeckoPrefs {

/// What the preferences dialog shows: the four feature boxes, the proxy box and the eight
/// proxy texts (host and port per protocol).
struct Values
{
    bool Image = true;
    bool Cookie = true;
    bool Java = true;
    bool Script = true;
    bool Proxy = false;
    QString HTTP, HTTP_port, FTP, FTP_port, SSL, SSL_port, Gopher, Gopher_port;
};

/// The thirteen preference names, without quotes.
const QList<QByteArray> &Names();

/// Every line followed by CR LF.
QByteArray JoinLines(const QList<QByteArray> &lines);

/// Ticks the four features and unticks the proxy box, then lets every line, in file order,
/// untick a feature, tick the proxy box or set a proxy text (a later line wins). Proxy texts
/// that no line names keep what \a values held.
void ReadPrefs(const QList<QByteArray> &lines, Values &values);

/// \a lines without any line mentioning one of the thirteen names, followed by the lines for
/// \a values: unticked features, the proxy type when the proxy box is ticked, then host and
/// port of http, ftp, ssl and gopher for each text that is not empty (whether or not the
/// proxy box is ticked). Texts are written as typed.
QList<QByteArray> BuildPrefs(const QList<QByteArray> &lines, const Values &values);

/// What the engine takes from the file at its start.
struct EngineSettings
{
    bool Images = true;
    bool JavaScript = true;
    /// network.cookie.cookieBehavior: 0 all, 1 no third-party, 2 none; -1 when not set.
    int CookieBehavior = -1;
    /// The proxy type is 1: use the proxies below, else the desktop's settings.
    bool CustomProxy = false;
    /// "http://host:port" for each protocol whose host and port are usable; empty otherwise.
    QByteArray HttpProxy, FtpProxy, SslProxy;
};

/// The engine's reading of \a lines, by the same line rules as ReadPrefs. A proxy with an
/// unusable host or port (quotes, "abc") is left out rather than passed on.
EngineSettings ReadEngineSettings(const QList<QByteArray> &lines);

/// "http://host:port", or empty when \a host is no host name or address or \a port is not
/// 1..65535.
QByteArray ProxyUri(const QString &host, const QString &port);

} // namespace GeckoPrefs

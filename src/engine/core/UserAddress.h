// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>
#include <QUrl>

/// Turns the text handed to an engine's Navigate into an address, the same way for both
/// engine kinds:
///   ""  or blanks              about:blank (an empty page)
///   "C:/x", "C:\x\y"           a local file (file:///C:/x/y), never a URL of scheme "c"
///   "\\server\share\f"         a file on that host (file://server/share/f)
///   "www.example.com"          http://www.example.com (QUrl::fromUserInput)
///   "/etc/hosts"               file:///etc/hosts
///   "about:..", "http://.."    passed through
/// Text that cannot be an address ("hello world") gives an invalid QUrl: no search service
/// stands behind the address bar, so guessing would open something the user did not ask for.
class UserAddress
{
public:
    /// \a workingDirectory, when given, lets a relative file name that exists there open as
    /// that file instead of being taken for a host name.
    static QUrl toUrl(const QString &text, const QString &workingDirectory = QString());

    /// toUrl, but throws DorvuError "「text」はアドレスとして開けません" for text that is no
    /// address; what Navigate of both engine kinds uses.
    static QUrl toNavigableUrl(const QString &text, const QString &workingDirectory = QString());
};

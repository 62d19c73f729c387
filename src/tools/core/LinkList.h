// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QStringList>

/// The links of a page as the link extraction lists them.
namespace LinkList {

/// The script both engines run in the page: the resolved addresses of every link (<a> and
/// <area> with an href) of the document and of the frames the page may read, in document
/// order, one per line. It stops after \a limit links.
QString collectScript(int limit);

/// \a text (the script's result) as the lines to show: absolute addresses, fully
/// percent-encoded (non-ASCII host names in their IDNA form), first occurrence kept, in the
/// order given. Addresses that run script (javascript:) and text that is no address are left
/// out.
QStringList fromScriptResult(const QString &text);

} // namespace LinkList

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>

/// How long a test waits for a real engine: the first page of a run starts the engine.
constexpr int kEngineTimeout = 60000;

/// Pages the tests serve from their loopback server.
namespace TestPages {

/// A UTF-8 HTML page titled \a title with \a body and extra \a head elements.
QByteArray page(const QByteArray &title, const QByteArray &body = {}, const QByteArray &head = {});

/// Adds the "engine" ("ie", "webkit") and "opener" columns with one row per way a page asks
/// for a new window: a script's window.open ("/opener") and a link with target _blank
/// ("/blank"). Call from a _data() function.
void addNewWindowRows();

} // namespace TestPages

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QString>

/// The switches Dorvu gives the Chromium engine (through QTWEBENGINE_CHROMIUM_FLAGS, before the
/// engine starts).
namespace ChromiumFlags {

/// \a flags (the user's own, possibly empty) with the process model Dorvu runs: one renderer
/// process per site. Pages of one site share a renderer, pages of different sites never do
/// (so site isolation and the sandbox stay as they are), and twenty tabs of one site cost one
/// renderer instead of twenty. A process model the user chose is kept.
QByteArray withProcessModel(const QByteArray &flags);

/// \a flags with "--lang=\a language", so that the engine's own pages (errors, dialogs) speak
/// the user's language rather than English; a language the user chose is kept.
QByteArray withLanguage(const QByteArray &flags, const QString &language);

/// Sets QTWEBENGINE_CHROMIUM_FLAGS to its current value with the process model and the first
/// of PageLanguages for the system's locale.
void apply();

} // namespace ChromiumFlags

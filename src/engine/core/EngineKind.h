// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

/// The engine of a page window, fixed for its life.
enum class EngineKind { IE, Gecko };

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/TEngineFactory.h"

#include "common/DorvuError.h"

TEngineBrowser *TEngineFactory::createPrivate(EngineKind, QWidget *)
{
    throw DorvuError(QStringLiteral("このエンジンではプライベートウィンドウを開けません"));
}

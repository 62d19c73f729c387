// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/DorvuError.h"

DorvuError::DorvuError(const QString &message)
    : m_message(message)
    , m_utf8(message.toUtf8())
{}

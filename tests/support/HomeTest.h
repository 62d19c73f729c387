// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "TestHome.h"

#include <QObject>

#include <memory>

/// Base of the test classes whose every test function runs in a program folder of its own: the
/// folder (m_home, DORVU_HOME) is made before initHome() and removed after cleanupHome(), so a
/// case never sees what another left.
class HomeTest : public QObject
{
    Q_OBJECT

protected:
    /// What a test class does before each function, the fresh folder in place.
    virtual void initHome() {}
    /// What it does after each function, before the folder goes.
    virtual void cleanupHome() {}

    std::unique_ptr<TestHome> m_home;

private Q_SLOTS:
    void init();
    void cleanup();
};

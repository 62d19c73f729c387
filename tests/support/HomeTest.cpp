// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"

#include <QTest>

void HomeTest::init()
{
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->isValid());
    initHome();
}

void HomeTest::cleanup()
{
    cleanupHome();
    m_home.reset();
}

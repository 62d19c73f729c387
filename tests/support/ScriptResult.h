// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QPair>
#include <QString>
#include <QTest>

#include <memory>

/// Runs \a script in \a browser's page (any engine browser's RunScript) and waits for its
/// result: the text, "error: <reason>" when it did not run, "timeout" when no answer came.
template<typename Browser>
QString runScript(Browser *browser, const QString &script, int timeoutMs = 60000)
{
    auto state = std::make_shared<QPair<bool, QString>>(false, QString());
    browser->RunScript(script, [state](bool ok, const QString &result) {
        *state = {true, ok ? result : QStringLiteral("error: ") + result};
    });
    if (!QTest::qWaitFor([&] { return state->first; }, timeoutMs))
        return QStringLiteral("timeout");
    return state->second;
}

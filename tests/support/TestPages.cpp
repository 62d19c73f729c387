// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "TestPages.h"

#include <QTest>

QByteArray TestPages::page(const QByteArray &title, const QByteArray &body, const QByteArray &head)
{
    QByteArray html("<!DOCTYPE html><html><head><meta charset=utf-8><title>");
    html.append(title).append("</title>").append(head).append("</head><body>");
    html.append(body).append("</body></html>");
    return html;
}

void TestPages::addNewWindowRows()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("opener");
    QTest::newRow("chromium window.open") << QStringLiteral("ie") << QStringLiteral("/opener");
    QTest::newRow("chromium target _blank") << QStringLiteral("ie") << QStringLiteral("/blank");
    QTest::newRow("webkit window.open") << QStringLiteral("webkit") << QStringLiteral("/opener");
    QTest::newRow("webkit target _blank") << QStringLiteral("webkit") << QStringLiteral("/blank");
}

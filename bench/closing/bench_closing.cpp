// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// IsBlockedURL with 1,000 patterns against 10,000 addresses: the cost of one check, which
// reads CloseURL.txt afresh and tests every line.
#include "TestHome.h"
#include "browser/BlockList.h"
#include "common/SjisCodec.h"
#include "settings/IniFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestHome home;
    QTextStream out(stdout);

    constexpr int kPatterns = 1000;
    constexpr int kAddresses = 10000;

    QString list;
    for (int i = 0; i < kPatterns; ++i) {
        switch (i % 4) {
        case 0:
            list += QStringLiteral("http://ads%1.example.com/*\r\n").arg(i);
            break;
        case 1:
            list += QStringLiteral("*banner%1*\r\n").arg(i);
            break;
        case 2:
            list += QStringLiteral("*://*.track%1.[a-z][a-z]/*.gif\r\n").arg(i);
            break;
        default:
            list += QStringLiteral("*広告%1*?*\r\n").arg(i);
            break;
        }
    }
    home.write(QStringLiteral("CloseURL.txt"), SjisCodec::encode(list));
    IniFile::config().WriteBool(QStringLiteral("Option_advertisemen"), QStringLiteral("CloseURL"),
                                true);

    QStringList addresses;
    addresses.reserve(kAddresses);
    for (int i = 0; i < kAddresses; ++i)
        addresses.append(
            QStringLiteral("http://www%1.example.org/news/2026/12/article-%2.html?ref=%3")
                .arg(i % 97)
                .arg(i)
                .arg(i * 7));
    // A few that do match.
    for (int i = 0; i < kAddresses; i += 100)
        addresses[i] = QStringLiteral("http://ads%1.example.com/pop.html").arg((i / 100 % 250) * 4);

    int blocked = 0;
    QElapsedTimer t;
    t.start();
    for (const QString &a : addresses)
        blocked += BlockList::IsBlockedURL(a) ? 1 : 0;
    const qint64 ns = t.nsecsElapsed();
    out << "IsBlockedURL, " << kPatterns << " patterns, " << kAddresses
        << " addresses: " << ns / 1000000 << " ms in all, " << double(ns) / kAddresses / 1000.0
        << " us per check, " << blocked << " blocked\n";

    // The matching alone, without reading the file.
    const QString pathological = QStringLiteral("*a").repeated(29) + QStringLiteral("*b");
    const QString longText(10000, QLatin1Char('a'));
    t.restart();
    constexpr int kRounds = 1000;
    int hits = 0;
    for (int i = 0; i < kRounds; ++i)
        hits += BlockList::MatchesMask(longText, pathological) ? 1 : 0;
    out << "MatchesMask, 30 stars against 10,000 characters: "
        << double(t.nsecsElapsed()) / kRounds / 1000.0 << " us per match (" << hits << ")\n";
    return 0;
}

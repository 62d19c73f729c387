// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/UserAddress.h"

#include "common/DorvuError.h"

#include <QRegularExpression>

namespace {

bool isDrivePath(const QString &text)
{
    // "C:" followed by a separator or nothing: a letter scheme would otherwise swallow it.
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/]|$)"));
    return drive.match(text).hasMatch();
}

} // namespace

QUrl UserAddress::toUrl(const QString &text, const QString &workingDirectory)
{
    const QString input = text.trimmed();
    if (input.isEmpty())
        return QUrl(QStringLiteral("about:blank"));

    if (isDrivePath(input)) {
        QString path = input;
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (path.size() == 2)
            path += QLatin1Char('/');
        return QUrl::fromLocalFile(path);
    }

    if (input.startsWith(QLatin1String("\\\\"))) {
        QString path = input.mid(2);
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const int slash = path.indexOf(QLatin1Char('/'));
        QUrl url;
        url.setScheme(QStringLiteral("file"));
        url.setHost(slash < 0 ? path : path.left(slash));
        url.setPath(slash < 0 ? QStringLiteral("/") : path.mid(slash));
        return url.isValid() && !url.host().isEmpty() ? url : QUrl();
    }

    const QUrl url = workingDirectory.isEmpty() ? QUrl::fromUserInput(input)
                                                : QUrl::fromUserInput(input, workingDirectory);
    return url.isValid() ? url : QUrl();
}

QUrl UserAddress::toNavigableUrl(const QString &text, const QString &workingDirectory)
{
    const QUrl url = toUrl(text, workingDirectory);
    if (!url.isValid())
        throw DorvuError(QStringLiteral("「%1」はアドレスとして開けません").arg(text));
    return url;
}

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/TEngineBrowser.h"

#include "common/DialogFolder.h"
#include "common/DorvuError.h"
#include "engine/PageZoom.h"

#include <QFileDialog>
#include <QRegularExpression>

void TEngineBrowser::throwNoHistory(bool back)
{
    throw DorvuError(back ? QStringLiteral("前のページはありません")
                          : QStringLiteral("次のページはありません"));
}

void TEngineBrowser::throwNoDocument()
{
    throw DorvuError(QStringLiteral("ページが読み込まれていません"));
}

void TEngineBrowser::throwUnknownCommand(int command)
{
    throw DorvuError(QStringLiteral("ページ コマンド %1 は使えません").arg(command));
}

void TEngineBrowser::SetZoomPercent(int percent)
{
    m_zoomPercent = qBound(PageZoom::Smallest, percent, PageZoom::Largest);
    applyZoom(m_zoomPercent);
    Q_EMIT OnZoomChange(m_zoomPercent);
}

void TEngineBrowser::ZoomBy(int steps)
{
    SetZoomPercent(PageZoom::step(m_zoomPercent, steps));
}

void TEngineBrowser::reportStopped()
{
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT OnCommandStateChange(CSC_UPDATECOMMANDS, true); },
        Qt::QueuedConnection);
}

QString TEngineBrowser::askSavePath(const QString &pageTitle, const QString &extension,
                                    const QString &filters)
{
    // Characters no file name may hold become "_".
    QString name = pageTitle.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    if (name.isEmpty())
        name = QStringLiteral("page");
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("名前を付けて保存"), DialogFolder::suggest(name + extension), filters);
    DialogFolder::remember(path);
    return path;
}

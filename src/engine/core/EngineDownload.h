// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

/// One download an engine has started, whichever engine it is. The engine waits for the
/// host's answer: start() with the file to write, or cancel().
///
/// After start() the engine writes the whole response to that file and reports progress(),
/// then exactly one of finished() (the file is complete) or failed() (cancelled or broken off;
/// what was written may still lie there). Nothing follows either.
class EngineDownload : public QObject
{
    Q_OBJECT

public:
    QUrl url() const { return m_url; }
    /// The file name the response suggests (Content-Disposition, else the address); may be
    /// empty or unfit for a file name.
    QString suggestedName() const { return m_suggestedName; }
    /// The size the response announces; -1 when it announces none.
    qint64 totalBytes() const { return m_totalBytes; }

    /// Writes the download to \a path, which does not exist yet. Call once.
    virtual void start(const QString &path) = 0;
    /// Stops the download; failed() follows unless it has ended already. Before start(), the
    /// engine drops the download.
    virtual void cancel() = 0;

Q_SIGNALS:
    /// \a total is -1 while unknown.
    void progress(qint64 received, qint64 total);
    void finished();
    void failed(const QString &reason);

protected:
    EngineDownload(const QUrl &url, const QString &suggestedName, qint64 totalBytes,
                   QObject *parent = nullptr);
    void setTotalBytes(qint64 total) { m_totalBytes = total; }

private:
    QUrl m_url;
    QString m_suggestedName;
    qint64 m_totalBytes = -1;
};

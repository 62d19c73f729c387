// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QLabel;
class QPushButton;
class QWidget;
class TBrowserChild;
class TBrowserHost;

/// Opens the lines of a web list, one new page window per line in line order, with the caption
/// "londing". One window opens per turn of the event loop, so the main window repaints and
/// answers meanwhile; the status bar shows "n / m" with a "中止" button, and Esc in the main
/// window or "中止" drops the windows not yet open. A list given while one is opening joins
/// the end of it.
class TWebListOpener : public QObject
{
    Q_OBJECT

public:
    /// More lines than this are opened only after the user has agreed.
    static constexpr int AskAbove = 500;
    /// Windows of one opening that load at once; the rest wait as tabs without windows
    /// (TBrowserHost::AddWaitingTab, a few ahead loading from the host's queue) or, with no
    /// look-ahead set, in windows of their own in the host's load queue, until the user looks
    /// at them.
    static constexpr int LoadAtOnce = 1;
    /// The other windows are made once the first page has loaded, or after this time: making
    /// them takes the main thread, which the first page's loading needs as well.
    static constexpr int FirstPageWaitMs = 1500;
    /// After the first, windows open several to a turn of the event loop, for at most this long.
    static constexpr int SliceMs = 10;
    static constexpr int WindowsPerTurn = 8;
    /// Waiting tabs are light: many to a turn, within the same time.
    static constexpr int WaitingTabsPerTurn = 256;

    explicit TWebListOpener(TBrowserHost *host, QObject *parent = nullptr);
    ~TWebListOpener() override;

    /// Opens every line of \a lines (empty lines as empty windows). A list of more than
    /// AskAbove lines asks once "%d 個のウィンドウを開きます。よろしいですか？" first.
    void openLines(const QStringList &lines);
    /// openLines of the list file \a nativePath. Throws DorvuError "ファイル %s は開けません"
    /// (with \a shownPath) when it cannot be read; nothing opens then.
    void openFile(const QByteArray &nativePath, const QString &shownPath);
    /// openLines of \a path; a missing, unreadable or non-file \a path opens nothing and says
    /// nothing.
    void openFileIfPresent(const QString &path);

    bool isRunning() const { return !m_pending.isEmpty(); }
    /// Windows opened and windows asked for since the opening began.
    int opened() const { return m_opened; }
    int total() const { return m_total; }
    /// Drops the windows not yet open ("中止", Esc).
    void stop();

Q_SIGNALS:
    /// The last window asked for has opened, or the rest was dropped.
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openNext();
    /// Opens the next window; false when the next must wait (or there is none).
    bool openOne();
    /// Goes on with the next window once \a child's page has loaded (or FirstPageWaitMs).
    void continueAfterLoad(TBrowserChild *child);
    /// Makes the windows ahead of \a child once its page has loaded (or FirstPageWaitMs).
    void lookAheadAfterLoad(TBrowserChild *child);
    void showProgress();
    void finish();
    QWidget *mainWindow() const;

    QPointer<TBrowserHost> m_host;
    QStringList m_pending;
    qsizetype m_next = 0;
    int m_opened = 0;
    int m_total = 0;
    QTimer m_timer;
    int m_waitGeneration = 0;
    /// The lines behind the first become waiting tabs ([Option_Tab] LookAhead 0 or more).
    bool m_waitingTabs = false;
    QPointer<QWidget> m_progress;
    QLabel *m_count = nullptr;
    QPushButton *m_stop = nullptr;
};

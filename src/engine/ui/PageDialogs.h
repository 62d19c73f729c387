// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

/// The script dialogs (alert, confirm, prompt) of one page, for both engines. From the page's
/// second dialog on, the box offers "このページのダイアログをこれ以上表示しない"; once that is
/// ticked, the page's later dialogs are answered at once as cancelled, until it loads another
/// document. A page that opens dialogs in a loop can so be stopped.
class PageDialogs
{
public:
    enum Kind { Alert, Confirm, Prompt };
    struct Answer
    {
        bool accepted = false;
        QString text;
    };

    /// \a owner is the page's widget: the boxes are modal to its window.
    explicit PageDialogs(QWidget *owner);

    /// Shows the box, titled after \a origin (the page's host), and waits for the user. Safe
    /// when the owner and this object go while the box is open (the answer is then cancelled).
    Answer ask(Kind kind, const QString &origin, const QString &message,
               const QString &defaultText = QString());
    /// A new document: its dialogs are counted from the first again.
    void newDocument();

    /// Closes every open box and answers every later dialog of any page as cancelled: nobody
    /// is there to answer once a close was asked for by a signal or the session.
    static void refuseAll();

    static QString suppressCaption();

private:
    struct State
    {
        int shown = 0;
        bool suppressed = false;
    };
    QPointer<QWidget> m_owner;
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

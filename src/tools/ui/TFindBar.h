// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;
class TEngineBrowser;

/// Find in page: a bar under the child window area with the text to find, the number of
/// matches and buttons for the previous and next match. It searches the active page as the text
/// is typed, case-insensitive, through the engine command set (TEngineBrowser::FindText), so
/// both engines answer alike. Enter and F3 go to the next match, Shift+Enter and Shift+F3 to the
/// previous one, Esc closes the bar and takes the highlight away.
class TFindBar : public QWidget
{
    Q_OBJECT

public:
    /// \a activeEngine gives the page the bar searches: the active window's, null for none.
    explicit TFindBar(std::function<TEngineBrowser *()> activeEngine, QWidget *parent = nullptr);

    /// Ctrl+F: shows the bar with its text selected and searches it again.
    void Open();
    /// F3 and Shift+F3: the next or previous match; opens the bar while it has no text.
    void FindNext();
    void FindPrevious();
    /// Hides the bar, ends the search and gives the keyboard back to the page.
    void Close();

    QLineEdit *txtFind = nullptr;
    QLabel *lblFindCount = nullptr;
    QToolButton *btnFindPrev = nullptr;
    QToolButton *btnFindNext = nullptr;
    QToolButton *btnFindClose = nullptr;

Q_SIGNALS:
    /// A page reported \a matches for the text on show.
    void counted(int matches);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(bool backwards);
    void showCount(const QString &text, int matches);

    std::function<TEngineBrowser *()> m_activeEngine;
    /// The page searched last, whose highlight goes when the bar closes.
    QPointer<TEngineBrowser> m_searched;
};

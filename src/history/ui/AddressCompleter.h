// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class HistoryStore;
class QLineEdit;
class QTreeWidget;

/// The address box's completion list: as the user types, the best matches of the history and
/// the bookmarks (HistoryIndex::complete) in a list under the box, address and title. Up and
/// Down choose a line and put its address into the box; Escape puts back what was typed; Enter
/// goes on to the box, which opens what it holds, so that typed text wins when nothing was
/// chosen. A click on a line opens it. The list never takes the focus: the box keeps the
/// keyboard and its input method.
class AddressCompleter : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxRows = 10;

    /// \a accept opens what the box holds (the address bar's Move).
    AddressCompleter(QLineEdit *edit, HistoryStore *store, std::function<void()> accept,
                     QObject *parent = nullptr);

    QTreeWidget *popup() const { return m_popup; }
    bool isShown() const;
    /// Shows the completions of \a typed, or hides the list when there are none.
    void Update(const QString &typed);
    void hide();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Makes line \a row the chosen one (-1: none, the typed text back in the box).
    void choose(int row);
    void place();

    QLineEdit *m_edit;
    HistoryStore *m_store;
    std::function<void()> m_accept;
    QTreeWidget *m_popup;
    QString m_typed;
};

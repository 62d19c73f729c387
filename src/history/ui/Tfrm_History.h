// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "history/HistoryEntry.h"

#include <QDate>
#include <QDialog>
#include <QMap>
#include <QSet>
#include <QTimer>

#include <functional>

class HistoryStore;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

/// The history window ("履歴"): the visited pages by the day of their last visit, today first,
/// filtered as the user types into the search box. Enter or a double click opens an entry,
/// Delete deletes it (or the selected day), a day's menu deletes the day, "すべて削除" all of
/// it after asking. It follows the store while on screen.
class Tfrm_History : public QDialog
{
    Q_OBJECT

public:
    /// Opens a chosen entry's address in a page window.
    using Opener = std::function<void(const QString &url)>;

    Tfrm_History(HistoryStore *store, Opener open, QWidget *parent = nullptr);

    QLineEdit *txtSearch = nullptr;
    QTreeWidget *lstHistory = nullptr;
    QPushButton *btnDeleteAll = nullptr;
    QPushButton *btnClose = nullptr;
    /// Asks whether to delete the whole history; tests answer for the user.
    std::function<bool(QWidget *parent)> confirmDeleteAll;

    /// Lists the entries that match the search box anew.
    void Refresh();
    void OpenSelected();
    /// Deletes the selected entry, or the selected day's entries.
    void DeleteSelected();
    void DeleteDay(QDate day);
    void btnDeleteAllClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillDay(QTreeWidgetItem *day);
    void contextMenu(const QPoint &pos);

    HistoryStore *m_store;
    Opener m_open;
    QMap<QDate, QList<HistoryEntry>> m_days;
    QTimer m_refresh;
};

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "tools/SearchTable.h"

#include <QObject>

#include <functional>

class QAbstractButton;
class QComboBox;
class QKeyEvent;
class QLineEdit;

/// The search bar's behaviour on the main window's widgets: the query field, the service list
/// and the "Find" button. A search opens the service's result page in a new window.
class TSearchBar : public QObject
{
    Q_OBJECT

public:
    /// Opens a page in a new window: caption, address.
    using OpenPage = std::function<void(const QString &, const QString &)>;

    TSearchBar(QLineEdit *txtSearch, QComboBox *cmbSearch, QAbstractButton *btnSearch,
               OpenPage openPage, QObject *parent = nullptr);

    /// Fills the service list and the URL table from config.ini; item 0 selected.
    void SetupSearchTable();

    /// Searches the field's text as it stands (an empty one too) at the chosen service. An
    /// edited service text that names no service searches nothing and beeps.
    void btnSearchClick();
    /// Enter searches and goes no further. Returns whether the key was taken.
    bool txtSearchKeyPress(QKeyEvent *event);
    /// Another service chosen: searches at once when the field holds text.
    void cmbSearchChange();

    const SearchTable &table() const { return m_table; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The service whose caption the list shows, or -1.
    int selectedIndex() const;

    QLineEdit *m_txtSearch;
    QComboBox *m_cmbSearch;
    OpenPage m_openPage;
    SearchTable m_table;
    int m_chosen = 0;
};

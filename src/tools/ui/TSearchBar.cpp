// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/TSearchBar.h"

#include "common/ErrorHandler.h"
#include "settings/IniFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

TSearchBar::TSearchBar(QLineEdit *txtSearch, QComboBox *cmbSearch, QAbstractButton *btnSearch,
                       OpenPage openPage, QObject *parent)
    : QObject(parent)
    , m_txtSearch(txtSearch)
    , m_cmbSearch(cmbSearch)
    , m_openPage(std::move(openPage))
{
    // An edited service text is never added to the list.
    m_cmbSearch->setInsertPolicy(QComboBox::NoInsert);
    // A long pasted query is refused with a message rather than cut short in silence.
    m_txtSearch->setMaxLength(static_cast<int>(SearchTable::MaxUrlLength));
    m_txtSearch->installEventFilter(this);
    connect(btnSearch, &QAbstractButton::clicked, this, &TSearchBar::btnSearchClick);
    // Only a choice of the user's, not the selection made at start-up.
    connect(m_cmbSearch, &QComboBox::activated, this, &TSearchBar::cmbSearchChange);
    // After an edit of the service text, choosing any service counts as a change.
    connect(m_cmbSearch, &QComboBox::editTextChanged, this, [this](const QString &text) {
        if (m_chosen >= 0 && text != m_cmbSearch->itemText(m_chosen))
            m_chosen = -1;
    });
}

void TSearchBar::SetupSearchTable()
{
    m_table = SearchTable::read(IniFile::config());
    m_cmbSearch->clear();
    m_cmbSearch->addItems(m_table.captions());
    m_cmbSearch->setCurrentIndex(0);
    m_chosen = 0;
}

int TSearchBar::selectedIndex() const
{
    const int index = m_cmbSearch->currentIndex();
    if (index >= 0 && m_cmbSearch->itemText(index) == m_cmbSearch->currentText())
        return index;
    return m_cmbSearch->findText(m_cmbSearch->currentText(), Qt::MatchExactly);
}

void TSearchBar::btnSearchClick()
{
    ErrorHandler::Run([this] {
        const int index = selectedIndex();
        if (index < 0 || index >= m_table.count()) {
            QApplication::beep();
            return;
        }
        m_openPage(QStringLiteral("検索中"), m_table.url(index, m_txtSearch->text()));
    });
}

bool TSearchBar::txtSearchKeyPress(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    btnSearchClick();
    return true;
}

void TSearchBar::cmbSearchChange()
{
    // Choosing the service already chosen changes nothing.
    const int index = m_cmbSearch->currentIndex();
    if (index == m_chosen)
        return;
    m_chosen = index;
    if (!m_txtSearch->text().isEmpty())
        btnSearchClick();
}

bool TSearchBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtSearch && event->type() == QEvent::KeyPress)
        return txtSearchKeyPress(static_cast<QKeyEvent *>(event));
    return QObject::eventFilter(watched, event);
}

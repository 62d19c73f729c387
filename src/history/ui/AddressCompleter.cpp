// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "history/AddressCompleter.h"

#include "common/ErrorHandler.h"
#include "common/ImageList.h"
#include "history/HistoryStore.h"

#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

constexpr int UrlRole = Qt::UserRole;
/// The bookmark entry's picture of the image list.
constexpr int BookmarkImage = 12;

} // namespace

AddressCompleter::AddressCompleter(QLineEdit *edit, HistoryStore *store,
                                   std::function<void()> accept, QObject *parent)
    : QObject(parent)
    , m_edit(edit)
    , m_store(store)
    , m_accept(std::move(accept))
    , m_popup(new QTreeWidget(edit))
{
    m_popup->setObjectName(QStringLiteral("lstCompletion"));
    // A window of its own above the pages (a Gecko page is a window of another toolkit), which
    // is never activated and never takes the focus from the box.
    m_popup->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    m_popup->setAttribute(Qt::WA_ShowWithoutActivating);
    m_popup->setFocusPolicy(Qt::NoFocus);
    m_popup->setColumnCount(2);
    m_popup->setHeaderHidden(true);
    m_popup->setRootIsDecorated(false);
    m_popup->setUniformRowHeights(true);
    m_popup->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_popup->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_popup->setSelectionMode(QAbstractItemView::SingleSelection);
    m_popup->setTextElideMode(Qt::ElideRight);
    m_popup->hide();
    connect(m_popup, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        choose(m_popup->indexOfTopLevelItem(item));
        hide();
        ErrorHandler::Run(m_accept);
    });
    connect(m_edit, &QLineEdit::textEdited, this,
            [this](const QString &text) { ErrorHandler::Run([&] { Update(text); }); });
    connect(m_edit, &QLineEdit::returnPressed, this, &AddressCompleter::hide);
    m_edit->installEventFilter(this);
}

bool AddressCompleter::isShown() const
{
    return m_popup->isVisible();
}

void AddressCompleter::Update(const QString &typed)
{
    m_typed = typed;
    const QList<HistoryEntry> found =
        m_store->index().complete(typed, QDateTime::currentMSecsSinceEpoch(), MaxRows);
    if (found.isEmpty()) {
        hide();
        return;
    }
    m_popup->clear();
    for (const HistoryEntry &entry : found) {
        auto *item = new QTreeWidgetItem(m_popup, {entry.url, entry.title});
        item->setData(0, UrlRole, entry.url);
        item->setToolTip(0, entry.url);
        if (entry.bookmarked)
            item->setIcon(0, ImageList::shared().icon(BookmarkImage));
    }
    m_popup->setCurrentItem(nullptr);
    m_popup->clearSelection();
    place();
    m_popup->show();
}

void AddressCompleter::place()
{
    const int width = m_edit->width();
    m_popup->setColumnWidth(0, width / 2);
    const int rows = m_popup->topLevelItemCount();
    const int rowHeight = m_popup->sizeHintForRow(0);
    const int frame = 2 * m_popup->frameWidth();
    m_popup->resize(width, rows * rowHeight + frame);
    m_popup->move(m_edit->mapToGlobal(QPoint(0, m_edit->height())));
}

void AddressCompleter::hide()
{
    m_popup->hide();
}

void AddressCompleter::choose(int row)
{
    QTreeWidgetItem *item = m_popup->topLevelItem(row);
    if (!item) {
        m_popup->setCurrentItem(nullptr);
        m_popup->clearSelection();
        m_edit->setText(m_typed);
        return;
    }
    m_popup->setCurrentItem(item);
    m_edit->setText(item->data(0, UrlRole).toString());
}

bool AddressCompleter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return false;
    if (event->type() == QEvent::FocusOut) {
        hide();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!isShown()) {
        // Down on a box that holds text asks for the list.
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier &&
            !m_edit->text().isEmpty()) {
            ErrorHandler::Run([&] { Update(m_edit->text()); });
            return isShown();
        }
        return false;
    }
    const int rows = m_popup->topLevelItemCount();
    const int row =
        m_popup->currentItem() ? m_popup->indexOfTopLevelItem(m_popup->currentItem()) : -1;
    switch (key->key()) {
    case Qt::Key_Down:
        // Past the last line: back to the typed text, then round again.
        choose(row + 1 < rows ? row + 1 : -1);
        return true;
    case Qt::Key_Up:
        choose(row < 0 ? rows - 1 : row - 1);
        return true;
    case Qt::Key_Escape:
        if (row >= 0)
            choose(-1);
        hide();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        hide();
        return false;
    default:
        return false;
    }
}

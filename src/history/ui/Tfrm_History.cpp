// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "history/Tfrm_History.h"

#include "common/ConfirmBox.h"
#include "common/ErrorHandler.h"
#include "history/HistoryRules.h"
#include "history/HistoryStore.h"

#include <QAction>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int UrlRole = Qt::UserRole;
constexpr int DayRole = Qt::UserRole + 1;
/// A search with at most this many matches shows every day open.
constexpr int ExpandAllBelow = 200;

QString dayCaption(QDate day, int count)
{
    const QDate today = QDate::currentDate();
    QString name;
    if (day == today)
        name = QStringLiteral("今日");
    else if (day == today.addDays(-1))
        name = QStringLiteral("昨日");
    else
        name = QLocale(QLocale::Japanese).toString(day, QStringLiteral("yyyy/MM/dd (ddd)"));
    return QStringLiteral("%1 (%2件)").arg(name).arg(count);
}

QDate dayOf(const QTreeWidgetItem *item)
{
    for (; item; item = item->parent()) {
        if (item->data(0, DayRole).isValid())
            return item->data(0, DayRole).toDate();
    }
    return {};
}

} // namespace

Tfrm_History::Tfrm_History(HistoryStore *store, Opener open, QWidget *parent)
    : QDialog(parent)
    , confirmDeleteAll([](QWidget *owner) {
        return ConfirmBox::ask(owner, QStringLiteral("確認"),
                               QStringLiteral("履歴をすべて削除しますか？"));
    })
    , m_store(store)
    , m_open(std::move(open))
{
    setObjectName(QStringLiteral("frm_History"));
    setWindowTitle(QStringLiteral("履歴"));
    resize(640, 480);
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setPlaceholderText(QStringLiteral("履歴を検索"));
    txtSearch->setClearButtonEnabled(true);
    lstHistory = new QTreeWidget(this);
    lstHistory->setObjectName(QStringLiteral("lstHistory"));
    lstHistory->setHeaderLabels({QStringLiteral("タイトル"), QStringLiteral("アドレス"),
                                 QStringLiteral("時刻"), QStringLiteral("回数")});
    lstHistory->setColumnWidth(0, 240);
    lstHistory->setColumnWidth(1, 240);
    lstHistory->setUniformRowHeights(true);
    lstHistory->setContextMenuPolicy(Qt::CustomContextMenu);
    lstHistory->installEventFilter(this);
    btnDeleteAll = new QPushButton(QStringLiteral("すべて削除"), this);
    btnDeleteAll->setObjectName(QStringLiteral("btnDeleteAll"));
    btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setAutoDefault(false);
    btnDeleteAll->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnDeleteAll);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(txtSearch);
    layout->addWidget(lstHistory);
    layout->addLayout(buttons);

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(200);
    connect(&m_refresh, &QTimer::timeout, this,
            [this] { ErrorHandler::Run([this] { Refresh(); }); });
    connect(m_store, &HistoryStore::changed, this, [this] {
        if (isVisible() && !m_refresh.isActive())
            m_refresh.start();
    });
    ErrorHandler::Connect(txtSearch, &QLineEdit::textChanged, this, &Tfrm_History::Refresh);
    connect(lstHistory, &QTreeWidget::itemExpanded, this, &Tfrm_History::fillDay);
    connect(lstHistory, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (!item->data(0, UrlRole).toString().isEmpty())
            ErrorHandler::Run([this] { OpenSelected(); });
    });
    connect(lstHistory, &QWidget::customContextMenuRequested, this, &Tfrm_History::contextMenu);
    ErrorHandler::Connect(btnDeleteAll, &QPushButton::clicked, this,
                          &Tfrm_History::btnDeleteAllClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
}

void Tfrm_History::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ErrorHandler::Run([this] { Refresh(); });
    txtSearch->setFocus();
}

void Tfrm_History::Refresh()
{
    m_refresh.stop();
    QSet<QDate> open;
    for (int i = 0; i < lstHistory->topLevelItemCount(); ++i) {
        if (lstHistory->topLevelItem(i)->isExpanded())
            open.insert(dayOf(lstHistory->topLevelItem(i)));
    }
    const bool first = lstHistory->topLevelItemCount() == 0;
    const QList<HistoryEntry> found = m_store->index().search(txtSearch->text());
    m_days.clear();
    for (const HistoryEntry &entry : found)
        m_days[HistoryRules::dayOf(entry.lastVisit)].append(entry);
    const bool searching = !txtSearch->text().isEmpty();
    lstHistory->clear();
    // Newest day first; each day's entries are made when the day is opened.
    for (auto day = m_days.constEnd(); day != m_days.constBegin();) {
        --day;
        auto *node = new QTreeWidgetItem(lstHistory, {dayCaption(day.key(), int(day->size()))});
        node->setData(0, DayRole, day.key());
        node->setFirstColumnSpanned(true);
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        const bool expand = (searching && found.size() <= ExpandAllBelow) ||
                            open.contains(day.key()) ||
                            (first && lstHistory->topLevelItemCount() == 1);
        if (expand)
            node->setExpanded(true);
    }
}

void Tfrm_History::fillDay(QTreeWidgetItem *day)
{
    if (day->parent() || day->childCount() > 0)
        return;
    const QLocale locale(QLocale::Japanese);
    for (const HistoryEntry &entry : m_days.value(dayOf(day))) {
        const QString title = entry.title.isEmpty() ? entry.url : entry.title;
        auto *item = new QTreeWidgetItem(
            day, {title, entry.url,
                  locale.toString(QDateTime::fromMSecsSinceEpoch(entry.lastVisit).time(),
                                  QStringLiteral("HH:mm")),
                  QString::number(entry.visits)});
        item->setData(0, UrlRole, entry.url);
        item->setToolTip(0, entry.url);
    }
}

void Tfrm_History::OpenSelected()
{
    QTreeWidgetItem *item = lstHistory->currentItem();
    if (!item)
        return;
    const QString url = item->data(0, UrlRole).toString();
    if (url.isEmpty()) {
        item->setExpanded(!item->isExpanded());
        return;
    }
    m_open(url);
}

void Tfrm_History::DeleteSelected()
{
    QTreeWidgetItem *item = lstHistory->currentItem();
    if (!item)
        return;
    const QString url = item->data(0, UrlRole).toString();
    if (url.isEmpty())
        DeleteDay(dayOf(item));
    else
        m_store->remove(url);
    Refresh();
}

void Tfrm_History::DeleteDay(QDate day)
{
    if (!day.isValid())
        return;
    m_store->removeDay(day);
    Refresh();
}

void Tfrm_History::btnDeleteAllClick()
{
    if (!confirmDeleteAll(this))
        return;
    m_store->clear();
    Refresh();
}

void Tfrm_History::contextMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = lstHistory->itemAt(pos);
    if (!item)
        return;
    lstHistory->setCurrentItem(item);
    QMenu menu(this);
    if (item->data(0, UrlRole).toString().isEmpty()) {
        const QDate day = dayOf(item);
        ErrorHandler::Connect(menu.addAction(QStringLiteral("この日の履歴を削除(&D)")),
                              &QAction::triggered, this, [this, day] { DeleteDay(day); });
    } else {
        ErrorHandler::Connect(menu.addAction(QStringLiteral("開く(&O)")), &QAction::triggered, this,
                              &Tfrm_History::OpenSelected);
        ErrorHandler::Connect(menu.addAction(QStringLiteral("削除(&D)")), &QAction::triggered, this,
                              &Tfrm_History::DeleteSelected);
    }
    menu.exec(lstHistory->viewport()->mapToGlobal(pos));
}

bool Tfrm_History::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lstHistory && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ErrorHandler::Run([this] { OpenSelected(); });
            return true;
        }
        if (key == Qt::Key_Delete) {
            ErrorHandler::Run([this] { DeleteSelected(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

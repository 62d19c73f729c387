// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "downloads/Tfrm_Download.h"

#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "downloads/DownloadList.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The progress column as a progress bar; an unknown size shows an empty bar.
class ProgressDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const int percent = index.data(DownloadList::ProgressRole).toInt();
        QStyleOptionProgressBar bar;
        bar.rect = option.rect.adjusted(2, 2, -2, -2);
        bar.minimum = 0;
        bar.maximum = 100;
        bar.progress = qMax(0, percent);
        bar.textVisible = percent >= 0;
        bar.text = percent >= 0 ? QStringLiteral("%1%").arg(percent) : QString();
        bar.state = option.state | QStyle::State_Horizontal;
        QApplication::style()->drawControl(QStyle::CE_ProgressBar, &bar, painter);
    }
};

void openLocal(const QString &path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        throw DorvuError(QStringLiteral("%1 を開けません").arg(QDir::toNativeSeparators(path)));
}

} // namespace

Tfrm_Download::Tfrm_Download(DownloadList *list, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_list(list)
{
    setObjectName(QStringLiteral("frm_Download"));
    setWindowTitle(QStringLiteral("ダウンロード"));
    resize(720, 280);

    lvDownload = new QTreeView(this);
    lvDownload->setObjectName(QStringLiteral("lvDownload"));
    lvDownload->setRootIsDecorated(false);
    lvDownload->setUniformRowHeights(true);
    lvDownload->setAllColumnsShowFocus(true);
    lvDownload->setModel(list);
    lvDownload->setItemDelegateForColumn(DownloadList::ProgressColumn,
                                         new ProgressDelegate(lvDownload));
    lvDownload->setContextMenuPolicy(Qt::CustomContextMenu);
    lvDownload->header()->resizeSection(DownloadList::NameColumn, 220);
    lvDownload->header()->resizeSection(DownloadList::SizeColumn, 130);

    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnOpen = new QPushButton(QStringLiteral("開く"), this);
    btnFolder = new QPushButton(QStringLiteral("フォルダを開く"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnOpen);
    buttons->addWidget(btnFolder);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lvDownload);
    layout->addLayout(buttons);

    popDownload = new QMenu(this);
    m_popCancel = popDownload->addAction(btnCancel->text());
    m_popOpen = popDownload->addAction(btnOpen->text());
    m_popFolder = popDownload->addAction(btnFolder->text());

    ErrorHandler::Connect(btnCancel, &QPushButton::clicked, this, &Tfrm_Download::btnCancelClick);
    ErrorHandler::Connect(btnOpen, &QPushButton::clicked, this, &Tfrm_Download::btnOpenClick);
    ErrorHandler::Connect(btnFolder, &QPushButton::clicked, this, &Tfrm_Download::btnFolderClick);
    ErrorHandler::Connect(m_popCancel, &QAction::triggered, this, &Tfrm_Download::btnCancelClick);
    ErrorHandler::Connect(m_popOpen, &QAction::triggered, this, &Tfrm_Download::btnOpenClick);
    ErrorHandler::Connect(m_popFolder, &QAction::triggered, this, &Tfrm_Download::btnFolderClick);
    connect(lvDownload, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (lvDownload->indexAt(pos).isValid())
            popDownload->popup(lvDownload->viewport()->mapToGlobal(pos));
    });
    connect(lvDownload, &QTreeView::doubleClicked, this, [this] {
        if (btnOpen->isEnabled())
            ErrorHandler::Run([this] { btnOpenClick(); });
    });
    connect(lvDownload->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Tfrm_Download::UpdateButtons);
    connect(list, &QAbstractItemModel::dataChanged, this, &Tfrm_Download::UpdateButtons);
    connect(list, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int row) {
        lvDownload->setCurrentIndex(m_list->index(row, 0));
    });
    if (list->count() > 0)
        lvDownload->setCurrentIndex(list->index(list->count() - 1, 0));
    UpdateButtons();
}

void Tfrm_Download::ShowWindow()
{
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

int Tfrm_Download::currentRow() const
{
    const QModelIndex current = lvDownload->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void Tfrm_Download::btnCancelClick()
{
    m_list->cancel(currentRow());
}

void Tfrm_Download::btnOpenClick()
{
    const int row = currentRow();
    if (row >= 0 && m_list->entry(row).state == DownloadList::State::Done)
        openLocal(m_list->entry(row).target);
}

void Tfrm_Download::btnFolderClick()
{
    const int row = currentRow();
    if (row >= 0)
        openLocal(QFileInfo(m_list->entry(row).target).absolutePath());
}

void Tfrm_Download::UpdateButtons()
{
    const int row = currentRow();
    const auto state = row >= 0 ? m_list->entry(row).state : DownloadList::State::Failed;
    btnCancel->setEnabled(row >= 0 && state == DownloadList::State::Running);
    btnOpen->setEnabled(row >= 0 && state == DownloadList::State::Done);
    btnFolder->setEnabled(row >= 0);
    m_popCancel->setEnabled(btnCancel->isEnabled());
    m_popOpen->setEnabled(btnOpen->isEnabled());
    m_popFolder->setEnabled(btnFolder->isEnabled());
}

// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/TSHBrowseForFolderEx.h"

#include "common/SpecialFolders.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

TSHBrowseForFolderEx::TSHBrowseForFolderEx(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{}

TSHBrowseForFolderEx::~TSHBrowseForFolderEx() = default;

bool TSHBrowseForFolderEx::Execute()
{
    m_folderName.clear();
    m_displayName.clear();
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return false;
    const SpecialFolders::Places places = SpecialFolders::Places::fromEnvironment();
    const QString select = SpecialFolders::resolve(SelectFolder, SelectFolderName, places, false);
    // An empty root is the top of the tree, where the file system's root sits.
    const QString root = SpecialFolders::resolve(RootFolder, RootFolderName, places, true);
    bool showPath = false;
    const unsigned flags = browseFlags(Options, &showPath);
    const bool statusLine = (flags & 4) != 0;
    const bool onlyFolders = (flags & 1) != 0;

    QDialog dialog(m_owner ? m_owner->window() : nullptr);
    dialog.setObjectName(QStringLiteral("SHBrowseForFolder"));
    dialog.setWindowTitle(QStringLiteral("フォルダの参照"));
    // Every window of the application waits while the dialog is up.
    dialog.setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(&dialog);
    auto *caption = new QLabel(Caption, &dialog);
    caption->setObjectName(QStringLiteral("caption"));
    caption->setWordWrap(true);
    layout->addWidget(caption);
    auto *model = new QFileSystemModel(&dialog);
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::Drives);
    model->setReadOnly(true);
    model->setRootPath(root);
    auto *tree = new QTreeView(&dialog);
    tree->setObjectName(QStringLiteral("tree"));
    tree->setModel(model);
    tree->setHeaderHidden(true);
    for (int column = 1; column < model->columnCount(); ++column)
        tree->hideColumn(column);
    tree->setRootIndex(root.isEmpty() ? QModelIndex() : model->index(root));
    layout->addWidget(tree, 1);
    auto *status = new QLabel(&dialog);
    status->setObjectName(QStringLiteral("status"));
    status->setVisible(statusLine);
    layout->addWidget(status);
    // The chosen folder's path, which can also be typed.
    auto *pathRow = new QHBoxLayout;
    auto *pathLabel = new QLabel(QStringLiteral("フォルダ(&F):"), &dialog);
    auto *pathEdit = new QLineEdit(&dialog);
    pathEdit->setObjectName(QStringLiteral("path"));
    pathLabel->setBuddy(pathEdit);
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(pathEdit, 1);
    layout->addLayout(pathRow);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    // A typed path is taken when it names a folder inside the tree; otherwise the dialog says so
    // and stays.
    QString typed;
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const QModelIndex current = tree->currentIndex();
        const QString shown = current.isValid() ? model->filePath(current) : root;
        const QString text = pathEdit->text().trimmed();
        typed.clear();
        if (!text.isEmpty() && text != shown) {
            const QFileInfo folder(QDir::cleanPath(QDir::home().absoluteFilePath(text)));
            if (!folder.isDir() || (!root.isEmpty() && !isUnder(folder.absoluteFilePath(), root))) {
                QMessageBox::warning(&dialog, QStringLiteral("Dorvu"),
                                     QStringLiteral("フォルダ %1 は見つかりません").arg(text));
                return;
            }
            typed = folder.absoluteFilePath();
        }
        dialog.accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.resize(dialog.sizeHint().expandedTo(QSize(340, 420)));

    auto selectionChanged = [&](const QModelIndex &current) {
        const QString path = current.isValid() ? model->filePath(current) : root;
        if (onlyFolders)
            ok->setEnabled(!path.isEmpty());
        QString showText;
        int okState = 0;
        if (OnSelectionChanged)
            OnSelectionChanged(this, &dialog, path, showText, okState);
        if (showPath)
            showText = path;
        status->setText(showText);
        pathEdit->setText(path);
        if (okState == 1)
            ok->setEnabled(true);
        else if (okState == 2)
            ok->setEnabled(false);
    };
    connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, &dialog,
            [&](const QModelIndex &current) { selectionChanged(current); });

    // Set-up: the preselection, the placement, an empty status line.
    m_dialog = &dialog;
    const QModelIndex preselected = select.isEmpty() ? QModelIndex() : model->index(select);
    if (preselected.isValid() && (root.isEmpty() || isUnder(select, root))) {
        tree->setCurrentIndex(preselected);
        tree->scrollTo(preselected);
    } else {
        selectionChanged(QModelIndex());
    }
    place(&dialog);
    status->clear();
    Q_EMIT Initialized(&dialog);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    m_dialog = nullptr;
    if (m_owner) {
        m_owner->window()->raise();
        m_owner->window()->activateWindow();
    }
    if (!chosen)
        return false;
    const QModelIndex current = tree->currentIndex();
    if (!typed.isEmpty()) {
        m_folderName = typed;
        m_displayName = QFileInfo(typed).fileName();
        if (m_displayName.isEmpty())
            m_displayName = typed;
    } else if (current.isValid()) {
        m_folderName = model->filePath(current);
        m_displayName = model->fileName(current);
        if (m_displayName.isEmpty())
            m_displayName = m_folderName;
    } else if (root.isEmpty()) {
        m_displayName = QStringLiteral("コンピュータ"); // a place without a path
    } else {
        m_folderName = root;
        m_displayName = QFileInfo(root).fileName();
    }
    return true;
}

bool TSHBrowseForFolderEx::isUnder(const QString &path, const QString &root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(root);
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

void TSHBrowseForFolderEx::place(QDialog *dialog) const
{
    switch (ShowStyle) {
    case ssNone:
        break;
    case ssCenterScreen: {
        QScreen *screen = m_owner ? m_owner->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            break;
        dialog->move(centerScreenPosition(screen->geometry().topLeft(), screen->availableGeometry(),
                                          dialog->frameSize()));
        break;
    }
    case ssClient:
        if (m_owner && m_owner->window()->isVisible())
            dialog->move(m_owner->window()->mapToGlobal(QPoint(0, 0)));
        break;
    }
}

unsigned TSHBrowseForFolderEx::browseFlags(TSHBrowseOptions options, bool *showPath)
{
    struct Entry
    {
        TSHBrowseOption option;
        unsigned flag;
    };
    static constexpr Entry kFlags[] = {{sboDontGoBelowDomain, 2},
                                       {sboReturnFSAncestors, 8},
                                       {sboReturnOnlyFSDirs, 1},
                                       {sboStatusTextAndShowPath, 4},
                                       {sboStatusText, 4}};
    unsigned flags = 0;
    *showPath = false;
    for (const Entry &e : kFlags) {
        if (!options.testFlag(e.option))
            continue;
        flags |= e.flag;
        if (e.option == sboStatusTextAndShowPath) {
            *showPath = true;
            break;
        }
    }
    return flags;
}

QPoint TSHBrowseForFolderEx::centerScreenPosition(const QPoint &screenOrigin, const QRect &workArea,
                                                  const QSize &dialog)
{
    // Integer division toward zero, as C++ does: a dialog larger than the work area goes up
    // and left by the same rule.
    return screenOrigin + QPoint((workArea.width() - dialog.width()) / 2,
                                 (workArea.height() - dialog.height()) / 3);
}

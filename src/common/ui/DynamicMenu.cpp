// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/DynamicMenu.h"

#include "common/ImageList.h"

#include <QAction>
#include <QMenu>

namespace {
constexpr char DynamicProperty[] = "DynamicMenuItem";

bool isDynamic(const QAction *item)
{
    return item->property(DynamicProperty).toBool();
}
} // namespace

QAction *DynamicMenu::AddMenuItem(QMenu *parent, const QString &caption, const QString &hint,
                                  int imageIndex, int position,
                                  const std::function<void(QAction *)> &onClick)
{
    auto *item = new QAction(parent);
    item->setProperty(DynamicProperty, true);
    if (caption == QLatin1String("-")) {
        item->setSeparator(true);
    } else {
        item->setText(caption);
        item->setStatusTip(hint);
        item->setToolTip(hint);
        item->setData(hint);
        if (imageIndex >= 0)
            ImageList::shared().apply(item, imageIndex);
        if (onClick)
            QObject::connect(item, &QAction::triggered, item, [item, onClick] { onClick(item); });
    }
    const QList<QAction *> present = parent->actions();
    parent->insertAction(
        position >= 0 && position < present.size() ? present.at(position) : nullptr, item);
    return item;
}

void DynamicMenu::RemoveMenuItems(QMenu *menu)
{
    const QList<QAction *> items = menu->actions();
    for (QAction *item : items) {
        if (!isDynamic(item))
            continue;
        menu->removeAction(item);
        // The item may be the one being chosen right now.
        item->deleteLater();
    }
}

int DynamicMenu::fixedItemCount(const QMenu *menu)
{
    const QList<QAction *> items = menu->actions();
    return int(std::count_if(items.begin(), items.end(),
                             [](const QAction *item) { return !isDynamic(item); }));
}

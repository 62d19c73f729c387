// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/VisibleApplication.h"

#include <QCoreApplication>

namespace {

QAccessibleInterface *applicationFactory(const QString &, QObject *object)
{
    if (object && object == QCoreApplication::instance())
        return new VisibleApplication;
    return nullptr;
}

} // namespace

void VisibleApplication::install()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(applicationFactory);
    installed = true;
}

QList<QAccessibleInterface *> VisibleApplication::visibleChildren() const
{
    QList<QAccessibleInterface *> children;
    const int count = QAccessibleApplication::childCount();
    for (int i = 0; i < count; ++i) {
        QAccessibleInterface *child = QAccessibleApplication::child(i);
        if (child && !child->state().invisible)
            children.append(child);
    }
    return children;
}

int VisibleApplication::childCount() const
{
    return int(visibleChildren().size());
}

int VisibleApplication::indexOfChild(const QAccessibleInterface *child) const
{
    return int(visibleChildren().indexOf(const_cast<QAccessibleInterface *>(child)));
}

QAccessibleInterface *VisibleApplication::child(int index) const
{
    return visibleChildren().value(index);
}

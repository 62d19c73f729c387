// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/CommandList.h"

#include "common/ErrorHandler.h"
#include "common/ImageList.h"

#include <QAction>
#include <QMenu>

CommandList::CommandList(QObject *parent)
    : QObject(parent)
{}

CommandList::~CommandList() = default;

QAction *CommandList::add(const Command &command)
{
    auto *action = new QAction(command.caption, this);
    action->setObjectName(QLatin1String(command.name));
    action->setShortcut(command.shortcut);
    if (command.image >= 0)
        ImageList::shared().apply(action, command.image);
    if (command.tick != Tick::None) {
        action->setCheckable(true);
        action->setChecked(command.tick == Tick::On);
    }
    action->setEnabled(command.enabled);
    if (!command.hint.isEmpty())
        action->setToolTip(command.hint);
    if (!command.spoken.isEmpty())
        action->setProperty(SpokenProperty, command.spoken);
    if (!command.category.isEmpty())
        action->setProperty(CategoryProperty, command.category);
    add(action);
    if (command.handler)
        onTriggered(command.name, this, command.handler);
    return action;
}

QAction *CommandList::add(QAction *action)
{
    const QString name = action->objectName();
    Q_ASSERT_X(!name.isEmpty() && !m_byName.value(name), "CommandList::add",
               "a command needs a name of its own");
    m_byName.insert(name, action);
    m_order.append(action);
    return action;
}

QMenu *CommandList::add(QMenu *menu)
{
    menu->menuAction()->setObjectName(menu->objectName());
    add(menu->menuAction());
    return menu;
}

QAction *CommandList::find(const char *name) const
{
    return find(QString::fromLatin1(name));
}

QAction *CommandList::find(const QString &name) const
{
    return m_byName.value(name);
}

QMenu *CommandList::menu(const char *name) const
{
    QAction *action = find(name);
    return action ? QMenu::menuInAction(action) : nullptr;
}

QAction *CommandList::action(const char *name) const
{
    QAction *action = find(name);
    if (!action)
        qFatal("CommandList: no command %s", name);
    return action;
}

QList<QAction *> CommandList::actions() const
{
    QList<QAction *> all;
    for (const QPointer<QAction> &action : m_order) {
        if (action)
            all.append(action);
    }
    return all;
}

void CommandList::onTriggered(const char *name, const QObject *context,
                              const std::function<void()> &handler) const
{
    if (QAction *command = find(name))
        ErrorHandler::Connect(command, &QAction::triggered, context, handler);
}

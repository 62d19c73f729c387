// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;
class QMenu;

/// The main window's commands under the fixed names the program gives them (FileNew1, BackCtrl,
/// mnuFile_SaveAs, mnuSC, ...). One place registers each with its caption, shortcut, picture and
/// tick; the menus and bars are built from the list, and a subsystem asks for the commands it
/// drives by name. A submenu is registered by its menu action, so that it is enabled and
/// disabled like a command.
class CommandList : public QObject
{
    Q_OBJECT

public:
    enum class Tick { None, Off, On };

    struct Command
    {
        const char *name;
        QString caption;
        QKeySequence shortcut = {};
        /// The picture of ImageList::shared(); -1 for none.
        int image = -1;
        Tick tick = Tick::None;
        bool enabled = true;
        /// The tool tip of a picture button.
        QString hint = {};
        /// What a screen reader calls the command's button when it has no hint.
        QString spoken = {};
        /// The group the command is listed under ("ファイル", "編集", ...).
        QString category = {};
        /// Run under the common error handler when the command is triggered; a command whose
        /// handler lives in a subsystem made later gets it there (onTriggered).
        std::function<void()> handler = {};
    };

    /// The properties of a command's action that hold its spoken name and category.
    static constexpr char SpokenProperty[] = "Spoken";
    static constexpr char CategoryProperty[] = "Category";

    explicit CommandList(QObject *parent = nullptr);
    ~CommandList() override;

    /// Makes the action of \a command (a child of this list) and registers it.
    QAction *add(const Command &command);
    /// Registers \a action, made elsewhere, under its object name.
    QAction *add(QAction *action);
    /// Registers \a menu's menu action under the menu's object name.
    QMenu *add(QMenu *menu);

    /// The command registered as \a name; null when there is none (or it is gone).
    QAction *find(const char *name) const;
    QAction *find(const QString &name) const;
    /// The submenu registered as \a name; null when there is none.
    QMenu *menu(const char *name) const;
    /// The command \a name, which the program registers itself: a name that is not there is a
    /// fault of the program, reported as such.
    QAction *action(const char *name) const;
    /// Every command in the order of registration.
    QList<QAction *> actions() const;

    /// Runs \a handler under the common error handler each time command \a name is triggered,
    /// for as long as \a context lives. A name without a command connects nothing.
    void onTriggered(const char *name, const QObject *context,
                     const std::function<void()> &handler) const;

private:
    QHash<QString, QPointer<QAction>> m_byName;
    QList<QPointer<QAction>> m_order;
};

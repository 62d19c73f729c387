// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/PageWindowState.h"
#include "browser/TBrowserControls.h"
#include "browser/TMainDisplay.h"

#include <QStringList>
#include <QWidget>

class CommandList;
class FakeEngine;
class QAction;
class FakeEngineFactory;
class TBrowserChild;
class TBrowserCommands;
class TBrowserHost;

/// A stand-in for the main window: the controls that page windows drive, a host with the
/// light engine, and the page commands. Shown, so that child windows really activate.
class BrowserRig : public QWidget, public TMainDisplay
{
    Q_OBJECT

public:
    BrowserRig();
    ~BrowserRig() override;

    /// What the page windows share, as the main window owns it.
    PageWindowState state;
    TBrowserControls c;
    /// The commands the page windows drive, as the main window names them.
    CommandList *commandList = nullptr;
    TBrowserHost *host = nullptr;
    TBrowserCommands *commands = nullptr;
    FakeEngineFactory *factory = nullptr;
    QStringList errors;

    /// OpenPage inside the error handler, as an event handler runs it.
    void open(const QString &url, const QString &caption = QStringLiteral("londing"));
    FakeEngine *engineAt(int pos) const;
    TBrowserChild *childAt(int pos) const;
    FakeEngine *activeEngine() const;
    /// Tab texts of the strip, node texts of the tree, ID texts and URLs of the list.
    QStringList tabTexts() const;
    QStringList nodeTexts() const;
    QStringList idTexts() const;
    QStringList urls() const;
    QString statusText() const;
    QAction *command(const char *name) const;

    QWidget *dialogParent() const override { return const_cast<BrowserRig *>(this); }
    QString typedAddress() const override;
    void addStatusWidget(QWidget *widget) override;
};

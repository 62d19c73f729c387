// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/DownLoadControl.h"
#include "engine/TEngineBrowser.h"
#include "engine/TEngineFactory.h"

#include <QStringList>

/// An engine without a page: it records the commands it gets and raises its events when a
/// test tells it to.
class FakeEngine : public TEngineBrowser
{
    Q_OBJECT

public:
    FakeEngine(EngineKind kind, QWidget *parent = nullptr);

    EngineKind kind() const override { return m_kind; }
    void Navigate(const QString &url) override;
    void GoBack() override { ++goBacks; }
    void GoForward() override { ++goForwards; }
    void Stop() override { ++stops; }
    void Refresh() override { ++refreshes; }
    void ExecWB(int command, int option, const QVariant &input = QVariant()) override;
    QString LocationURL() const override { return location; }
    bool Busy() const override { return busy; }
    TEngineBrowser *CreateNewWindowBrowser(QWidget *parent) override;
    void RunScript(const QString &script, const ScriptDone &done) override;
    void FindText(const QString &, bool, const FindDone &) override {}
    void applyZoom(int) override {}
    QString EngineName() const override { return QStringLiteral("Fake"); }
    QString EngineVersion() const override { return QStringLiteral("1"); }

    /// A page with \a title at \a url: the location changes, then the title is reported.
    void load(const QString &url, const QString &title);

    /// Navigate throws for this text, as an engine refusing text that is no address.
    QString refused;
    QStringList navigated;
    QString location;
    bool busy = false;
    int goBacks = 0;
    int goForwards = 0;
    int stops = 0;
    int refreshes = 0;
    TDownLoadControl downLoadControl = TDownLoadControl::defaultSet();
    /// Whether the download control was last set while no window held the engine.
    bool controlSetAlone = false;
    int reapplied = 0;

    QStringList scripts;

private:
    EngineKind m_kind;
};

/// Makes FakeEngines; can be told to fail like a missing engine module.
class FakeEngineFactory : public TEngineFactory
{
public:
    TEngineBrowser *create(EngineKind kind, QWidget *parent) override;
    TEngineBrowser *createCaptureBrowser(TEngineBrowser *requester, QWidget *parent) override;
    TDownLoadControl downLoadControl(TEngineBrowser *engine) const override;
    void setDownLoadControl(TEngineBrowser *engine, const TDownLoadControl &set) override;
    void reapplyDownLoadControl(TEngineBrowser *engine) override;

    bool failGecko = false;
    /// Given to every engine made from now on.
    QString refused;
    int created = 0;
};

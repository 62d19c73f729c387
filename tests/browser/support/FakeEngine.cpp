// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "FakeEngine.h"

#include "common/DorvuError.h"

FakeEngine::FakeEngine(EngineKind kind, QWidget *parent)
    : TEngineBrowser(parent)
    , m_kind(kind)
{}

void FakeEngine::Navigate(const QString &url)
{
    if (!refused.isEmpty() && url == refused)
        throw DorvuError(QStringLiteral("「%1」はアドレスとして開けません").arg(url));
    navigated.append(url);
    location = url;
}

void FakeEngine::ExecWB(int, int, const QVariant &) {}

void FakeEngine::RunScript(const QString &script, const ScriptDone &done)
{
    scripts.append(script);
    if (done)
        done(true, QString());
}

TEngineBrowser *FakeEngine::CreateNewWindowBrowser(QWidget *parent)
{
    return new FakeEngine(m_kind, parent);
}

void FakeEngine::load(const QString &url, const QString &title)
{
    location = url;
    Q_EMIT OnTitleChange(title);
}

TEngineBrowser *FakeEngineFactory::create(EngineKind kind, QWidget *parent)
{
    if (kind == EngineKind::Gecko && failGecko)
        throw DorvuError(QStringLiteral("mozctl.so を読み込めません"));
    ++created;
    auto *engine = new FakeEngine(kind, parent);
    engine->refused = refused;
    return engine;
}

TEngineBrowser *FakeEngineFactory::createCaptureBrowser(TEngineBrowser *requester, QWidget *parent)
{
    return requester->CreateNewWindowBrowser(parent);
}

TDownLoadControl FakeEngineFactory::downLoadControl(TEngineBrowser *engine) const
{
    return static_cast<FakeEngine *>(engine)->downLoadControl;
}

void FakeEngineFactory::setDownLoadControl(TEngineBrowser *engine, const TDownLoadControl &set)
{
    auto *fake = static_cast<FakeEngine *>(engine);
    fake->downLoadControl = set;
    fake->controlSetAlone = !fake->parentWidget();
}

void FakeEngineFactory::reapplyDownLoadControl(TEngineBrowser *engine)
{
    ++static_cast<FakeEngine *>(engine)->reapplied;
}

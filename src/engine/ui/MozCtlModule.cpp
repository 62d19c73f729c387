// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/MozCtlModule.h"

#include "common/DorvuError.h"
#include "engine/GeckoDownload.h"
#include "settings/GeckoProfile.h"
#include "settings/OptionGroups.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QTimer>

namespace {

QString g_override;
const MozCtlApi *g_api = nullptr;
const MozCtlApi *g_apiOverride = nullptr;

[[noreturn]] void fail(const QString &file, const QString &reason)
{
    throw DorvuError(QStringLiteral("Geckoエンジン (%1) を読み込めません: %2").arg(file, reason));
}

// Qt claims the selection with the time of the last X event it saw, which may be older than
// GTK's claim: the X server then ignores Qt. Qt's clock catches up once it has processed the
// owner change, so the claim is repeated until the page no longer owns the clipboard.
void claimClipboard(const QString &text, int generation, int attempt)
{
    static int current = 0;
    if (attempt == 0)
        current = generation;
    if (generation != current || !g_api)
        return;
    if (attempt > 0 && !g_api->clipboardOwnedByPage())
        return;
    if (attempt >= 40)
        return;
    if (attempt > 0)
        QGuiApplication::clipboard()->setText(text);
    QTimer::singleShot(attempt == 0 ? 0 : 50, qApp, [text, generation, attempt] {
        claimClipboard(text, generation, attempt + 1);
    });
}

void takeClipboardText(void *, const char *text)
{
    static int generation = 0;
    claimClipboard(QString::fromUtf8(text), ++generation, 0);
}

const MozCtlApi *load(const QString &file)
{
    if (!QFileInfo(file).isFile())
        fail(file, QStringLiteral("ファイルがありません"));

    auto *library = new QLibrary(file);
    library->setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library->load()) {
        const QString error = library->errorString();
        delete library;
        fail(file, QStringLiteral("モジュールとして開けません (%1)").arg(error));
    }
    auto entry = reinterpret_cast<MozCtlEntryPoint>(library->resolve(MOZCTL_ENTRY_POINT));
    const MozCtlApi *api = entry ? entry() : nullptr;
    if (!api) {
        library->unload();
        delete library;
        fail(file, QStringLiteral("入口 %1 がありません").arg(QLatin1String(MOZCTL_ENTRY_POINT)));
    }
    // From here on the library stays loaded even when refused: it has pulled in GTK and
    // WebKit, whose type registrations cannot be unloaded.
    if (api->version != MOZCTL_API_VERSION || api->size < sizeof(MozCtlApi))
        fail(file, QStringLiteral("版が合いません (モジュール %1、必要 %2)")
                       .arg(api->version)
                       .arg(MOZCTL_API_VERSION));
    // The views are X11 windows embedded by id.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        fail(file, QStringLiteral("X11 の画面がありません (表示方式 %1)")
                       .arg(QGuiApplication::platformName()));
    // "MozPath" is the folder the module was found in.
    api->setProfileFolder(GeckoProfile::BaseFolder(QFileInfo(file).path()).toUtf8().constData());
    const char *error = nullptr;
    if (!api->initialize(&error))
        fail(file, QStringLiteral("GTK を初期化できません (%1)")
                       .arg(QString::fromUtf8(error ? error : "")));
    api->setClipboardHandler(takeClipboardText, nullptr);
    GeckoDownload::watch(*api);
    return api;
}

} // namespace

QString MozCtlModule::engineVersion()
{
    const MozCtlApi &module = api();
    return QStringLiteral("mozctl %1 / WebKitGTK %2")
        .arg(module.version)
        .arg(QString::fromUtf8(module.engineVersion()));
}

QString MozCtlModule::folder()
{
    if (!g_override.isEmpty())
        return g_override;
    return OptionGroups::ReadGecko().MozPath;
}

void MozCtlModule::setFolderOverride(const QString &folder)
{
    g_override = folder;
}

const MozCtlApi &MozCtlModule::api()
{
    if (g_apiOverride)
        return *g_apiOverride;
    if (!g_api) {
        const QString dir = folder();
        if (dir.isEmpty())
            fail(fileName(), QStringLiteral("フォルダ (MozPath) が設定されていません"));
        g_api = load(QDir::toNativeSeparators(QDir(dir).filePath(fileName())));
    }
    return *g_api;
}

const MozCtlApi &MozCtlModule::open(const QString &file)
{
    if (!g_api)
        g_api = load(file);
    return *g_api;
}

void MozCtlModule::setApiOverride(const MozCtlApi *api)
{
    g_apiOverride = api;
}

bool MozCtlModule::isLoaded()
{
    return g_api != nullptr;
}

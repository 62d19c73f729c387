// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/GeckoPrefs.h"

#include "common/SjisCodec.h"

namespace {

struct Feature
{
    const char *search; // the line that switches it off
    const char *line;
    bool GeckoPrefs::Values::*box;
};

const Feature kFeatures[] = {
    {"\"network.image.imageBehavior\", 2", "user_pref(\"network.image.imageBehavior\", 2);",
     &GeckoPrefs::Values::Image},
    {"\"network.cookie.cookieBehavior\", 2", "user_pref(\"network.cookie.cookieBehavior\", 2);",
     &GeckoPrefs::Values::Cookie},
    {"\"security.enable_java\", false", "user_pref(\"security.enable_java\", false);",
     &GeckoPrefs::Values::Java},
    {"\"javascript.enabled\", false", "user_pref(\"javascript.enabled\", false);",
     &GeckoPrefs::Values::Script},
};

const char kProxyTypeSearch[] = "\"network.proxy.type\", 1";
const char kProxyTypeLine[] = "user_pref(\"network.proxy.type\", 1);";

// A proxy text sits between the written form's text before and text after. Reading takes
// `count = L - minus` bytes from byte `first` (from 1), which is right only for a line that
// starts with user_pref( and has one space after the comma.
struct ProxyPref
{
    const char *name;
    bool port;
    int first;
    int minus;
    QString GeckoPrefs::Values::*text;
};

const ProxyPref kProxies[] = {
    {"network.proxy.http", false, 34, 36, &GeckoPrefs::Values::HTTP},
    {"network.proxy.http_port", true, 38, 39, &GeckoPrefs::Values::HTTP_port},
    {"network.proxy.ftp", false, 33, 35, &GeckoPrefs::Values::FTP},
    {"network.proxy.ftp_port", true, 37, 38, &GeckoPrefs::Values::FTP_port},
    {"network.proxy.ssl", false, 33, 35, &GeckoPrefs::Values::SSL},
    {"network.proxy.ssl_port", true, 37, 38, &GeckoPrefs::Values::SSL_port},
    {"network.proxy.gopher", false, 36, 38, &GeckoPrefs::Values::Gopher},
    {"network.proxy.gopher_port", true, 40, 41, &GeckoPrefs::Values::Gopher_port},
};

QByteArray searchText(const ProxyPref &p)
{
    return QByteArray("\"") + p.name + "\", ";
}

QByteArray written(const ProxyPref &p, const QString &text)
{
    const QByteArray value = SjisCodec::encode(text);
    if (p.port)
        return QByteArray("user_pref(\"") + p.name + "\", " + value + ");";
    return QByteArray("user_pref(\"") + p.name + "\", \"" + value + "\");";
}

// Copy from 1-based `first`, at most `count` bytes; nothing when either lies outside.
QByteArray part(const QByteArray &line, int first, qsizetype count)
{
    if (count <= 0 || first > line.size())
        return QByteArray();
    return line.mid(first - 1, count);
}

bool isHostChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

} // namespace

namespace GeckoPrefs {

const QList<QByteArray> &Names()
{
    static const QList<QByteArray> names = [] {
        QList<QByteArray> all = {"network.image.imageBehavior", "network.cookie.cookieBehavior",
                                 "security.enable_java", "javascript.enabled",
                                 "network.proxy.type"};
        for (const ProxyPref &p : kProxies)
            all.append(p.name);
        return all;
    }();
    return names;
}

QByteArray JoinLines(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

void ReadPrefs(const QList<QByteArray> &lines, Values &values)
{
    for (const Feature &f : kFeatures)
        values.*f.box = true;
    values.Proxy = false;
    for (const QByteArray &line : lines) {
        for (const Feature &f : kFeatures)
            if (line.contains(f.search))
                values.*f.box = false;
        if (line.contains(kProxyTypeSearch))
            values.Proxy = true;
        for (const ProxyPref &p : kProxies)
            if (line.contains(searchText(p)))
                values.*p.text = SjisCodec::decode(part(line, p.first, line.size() - p.minus));
    }
}

QList<QByteArray> BuildPrefs(const QList<QByteArray> &lines, const Values &values)
{
    QList<QByteArray> result;
    for (const QByteArray &line : lines) {
        bool ours = false;
        for (const QByteArray &name : Names())
            ours = ours || line.contains(name);
        if (!ours)
            result.append(line);
    }
    for (const Feature &f : kFeatures)
        if (!(values.*f.box))
            result.append(f.line);
    if (values.Proxy)
        result.append(kProxyTypeLine);
    for (const ProxyPref &p : kProxies)
        if (!(values.*p.text).isEmpty())
            result.append(written(p, values.*p.text));
    return result;
}

QByteArray ProxyUri(const QString &host, const QString &port)
{
    bool numeric = false;
    const uint number = port.toUInt(&numeric);
    if (host.isEmpty() || !numeric || number < 1 || number > 65535)
        return QByteArray();
    const QByteArray name = host.toLatin1();
    if (name.size() != host.size())
        return QByteArray();
    for (char c : name)
        if (!isHostChar(c))
            return QByteArray();
    return "http://" + name + ':' + QByteArray::number(number);
}

EngineSettings ReadEngineSettings(const QList<QByteArray> &lines)
{
    Values values;
    ReadPrefs(lines, values);
    EngineSettings engine;
    engine.Images = values.Image;
    engine.JavaScript = values.Script;
    const QByteArray cookies[] = {"\"network.cookie.cookieBehavior\", 0",
                                  "\"network.cookie.cookieBehavior\", 1",
                                  "\"network.cookie.cookieBehavior\", 2"};
    for (const QByteArray &line : lines)
        for (int behaviour = 0; behaviour <= 2; ++behaviour)
            if (line.contains(cookies[behaviour]))
                engine.CookieBehavior = behaviour;
    engine.CustomProxy = values.Proxy;
    if (engine.CustomProxy) {
        engine.HttpProxy = ProxyUri(values.HTTP, values.HTTP_port);
        engine.FtpProxy = ProxyUri(values.FTP, values.FTP_port);
        engine.SslProxy = ProxyUri(values.SSL, values.SSL_port);
    }
    return engine;
}

} // namespace GeckoPrefs

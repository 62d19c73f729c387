// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Reads per second from a 200-key config.ini, with the parse cache and without; the tab
// strip's four colour reads per paint; writes per second.
#include "TestHome.h"
#include "settings/ColorConvert.h"
#include "settings/IniFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray configWith200Keys()
{
    QByteArray bytes;
    // The real sections first, as the options dialog leaves them, then filler sections.
    bytes += "[General]\r\nLastEngine=IE\r\nWinSize=1\r\nLastMojiSize=2\r\nshutdown=1\r\n\r\n";
    bytes += "[Option_Tab]\r\nfix=1\r\nMaxSize=120\r\nLen=0\r\nMaxLen=0\r\nTabType=0\r\n"
             "ActivateChColor=clWindowText\r\nActivateBGColor=clBtnFace\r\n"
             "DeActivateChColor=$00808080\r\nDeActivateBGColor=clBtnFace\r\n\r\n";
    int keys = 13;
    for (int s = 0; keys < 200; ++s) {
        bytes += "[Section" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 20 && keys < 200; ++k, ++keys)
            bytes += "Key" + QByteArray::number(k) + "=\x93\xfa\x96\x7b value " +
                     QByteArray::number(keys) + "\r\n";
        bytes += "\r\n";
    }
    return bytes;
}

/// Sets the file's time stamps an hour back: a config.ini that was not just written.
void age(const QString &path)
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    t.tv_sec -= 3600;
    const timespec times[2] = {t, t};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

template<typename F> double perSecond(F &&op, int minMs = 700)
{
    QElapsedTimer t;
    t.start();
    qint64 n = 0;
    while (t.elapsed() < minMs) {
        for (int i = 0; i < 100; ++i)
            op();
        n += 100;
    }
    return double(n) * 1e9 / double(t.nsecsElapsed());
}

void line(const char *what, double rate)
{
    std::printf("%-58s %12.0f /s  %9.2f us each\n", what, rate, 1e6 / rate);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestHome home;
    home.write(S("config.ini"), configWith200Keys());
    const QString path = home.file(S("config.ini"));
    age(path);
    const IniFile ini = IniFile::config();
    std::printf("config.ini: 200 keys, %lld bytes\n",
                static_cast<long long>(home.read(S("config.ini")).size()));

    volatile int sink = 0;
    const auto readInt = [&] {
        sink = sink + ini.ReadInteger(S("Option_Tab"), S("MaxSize"), 75);
    };
    const auto readLast = [&] {
        sink = sink + ini.ReadString(S("Section9"), S("Key6"), QString()).size();
    };
    const auto paint = [&] {
        const QString sec = S("Option_Tab");
        sink = sink +
               int(ColorConvert::ReadColor(ini, sec, S("ActivateChColor"), S("clWindowText"))) +
               int(ColorConvert::ReadColor(ini, sec, S("ActivateBGColor"), S("clBtnFace"))) +
               int(ColorConvert::ReadColor(ini, sec, S("DeActivateChColor"), S("clWindowText"))) +
               int(ColorConvert::ReadColor(ini, sec, S("DeActivateBGColor"), S("clBtnFace")));
    };

    IniFile::setCacheEnabled(false);
    const double uncachedInt = perSecond(readInt);
    const double uncachedLast = perSecond(readLast);
    const double uncachedPaint = perSecond(paint);
    IniFile::setCacheEnabled(true);
    const double cachedInt = perSecond(readInt);
    const double cachedLast = perSecond(readLast);
    const double cachedPaint = perSecond(paint);

    line("ReadInteger, uncached", uncachedInt);
    line("ReadInteger, cached", cachedInt);
    line("ReadString (last section), uncached", uncachedLast);
    line("ReadString (last section), cached", cachedLast);
    line("tab paint (4 colour reads), uncached", uncachedPaint);
    line("tab paint (4 colour reads), cached", cachedPaint);
    std::printf("cache speed-up: ReadInteger x%.1f, tab paint x%.1f\n", cachedInt / uncachedInt,
                cachedPaint / uncachedPaint);

    // Right after a write the time stamps are not trusted for a moment: every read compares
    // the bytes instead of parsing them again.
    IniFile writer = IniFile::config();
    writer.WriteInteger(S("Option_Tab"), S("MaxSize"), 121);
    line("ReadInteger, cached, within 2 s of a write", perSecond(readInt, 300));

    int v = 0;
    const double writes =
        perSecond([&] { writer.WriteInteger(S("Section3"), S("Key5"), ++v); }, 700);
    line("WriteInteger (temp file + fsync + rename)", writes);
    if (ini.ReadInteger(S("Section3"), S("Key5"), -1) != v) {
        std::printf("ERROR: last write not seen\n");
        return 1;
    }
    return 0;
}

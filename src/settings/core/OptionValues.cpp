// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/OptionValues.h"

#include "common/DorvuError.h"
#include "settings/ColorConvert.h"
#include "settings/IniFile.h"

#include <QtGlobal>

using namespace SettingsKeys;

namespace {

quint32 readColor(const IniFile &ini, const ColorKey &key)
{
    return ColorConvert::ReadColor(ini, key.section.toString(), key.name.toString(),
                                   key.def.toString());
}

void writeColor(IniFile &ini, const ColorKey &key, quint32 color)
{
    ini.WriteString(key.section.toString(), key.name.toString(),
                    ColorConvert::ColorToString(color));
}

/// The integer a tab edit holds, with the edit's own syntax for integers.
int toInteger(const QString &text)
{
    int value = 0;
    if (!IniFile::parseInteger(text, &value))
        throw DorvuError(QStringLiteral("'%1' は整数ではありません").arg(text));
    return value;
}

} // namespace

OptionValues OptionValues::Read(const IniFile &ini)
{
    OptionValues v;
    const OptionGroups::Gecko gecko = OptionGroups::ReadGecko(ini);
    v.Mozilla = gecko.Mozilla != 0;
    v.MozPath = gecko.MozPath;
    v.Translate = read(ini, Option_Main::Translate);

    const OptionGroups::Window window = OptionGroups::ReadWindow(ini);
    v.NewWindow_Active = window.NewWindow_Active;
    v.BookMark = window.BookMark != 0;
    v.AddressBar = window.AddressBar != 0;
    v.CloseURL = read(ini, Option_advertisemen::CloseURL);

    const OptionGroups::Tab tab = OptionGroups::ReadTab(ini);
    v.fix = tab.fix != 0;
    v.MaxSize = QString::number(qBound(MaxSizeMin, tab.MaxSize, MaxSizeMax));
    v.Len = tab.Len;
    v.MaxLen = QString::number(qBound(MaxLenMin, tab.MaxLen, MaxLenMax));
    v.TabType = tab.TabType;
    // The stored texts again, with a bad one giving its key's default.
    v.ActivateChColor = readColor(ini, Option_Tab::ActivateChColor);
    v.ActivateBGColor = readColor(ini, Option_Tab::ActivateBGColor);
    v.DeActivateChColor = readColor(ini, Option_Tab::DeActivateChColor);
    v.DeActivateBGColor = readColor(ini, Option_Tab::DeActivateBGColor);

    const OptionGroups::StartUp startUp = OptionGroups::ReadStartUp(ini);
    v.Type = startUp.Type;
    v.Path = startUp.Path;
    v.security = OptionGroups::ReadSecurity(ini);
    return v;
}

void OptionValues::Write(IniFile &ini, const Visited &visited) const
{
    if (visited[General] == 1) {
        write(ini, Option_Main::MozPath, MozPath);
        write(ini, Option_Main::Mozilla, Mozilla ? 1 : 0);
        write(ini, Option_Main::Translate, Translate);
    }
    if (visited[Window] == 1) {
        write(ini, Option_Window::BookMark, BookMark);
        write(ini, Option_Window::AddressBar, AddressBar);
        write(ini, Option_Window::NewWindow_Active, NewWindow_Active);
    }
    if (visited[Advert] == 1)
        write(ini, Option_advertisemen::CloseURL, CloseURL);
    if (visited[Tab] == 1) {
        write(ini, Option_Tab::fix, fix);
        write(ini, Option_Tab::MaxSize, toInteger(MaxSize));
        write(ini, Option_Tab::Len, Len);
        write(ini, Option_Tab::MaxLen, toInteger(MaxLen));
        write(ini, Option_Tab::TabType, TabType);
        writeColor(ini, Option_Tab::ActivateChColor, ActivateChColor);
        writeColor(ini, Option_Tab::ActivateBGColor, ActivateBGColor);
        writeColor(ini, Option_Tab::DeActivateChColor, DeActivateChColor);
        writeColor(ini, Option_Tab::DeActivateBGColor, DeActivateBGColor);
    }
    if (visited[StartUp] == 1) {
        write(ini, Option_StartUp::Type, Type);
        write(ini, Option_StartUp::Path, Path);
    }
    if (visited[Security] == 1) {
        write(ini, Option_Security::Java, security.Java);
        write(ini, Option_Security::Script, security.Script);
        write(ini, Option_Security::ActiveX, security.ActiveX);
        write(ini, Option_Multimedia::Image, security.Image);
        write(ini, Option_Multimedia::BGM, security.BGM);
        write(ini, Option_Multimedia::Video, security.Video);
    }
}

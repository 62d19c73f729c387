// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/OptionGroups.h"

#include "settings/IniFile.h"

using namespace SettingsKeys;

OptionGroups::Gecko OptionGroups::ReadGecko(const IniFile &ini)
{
    Gecko g;
    g.Mozilla = read(ini, Option_Main::Mozilla);
    g.MozPath = read(ini, Option_Main::MozPath);
    return g;
}

OptionGroups::Security OptionGroups::ReadSecurity(const IniFile &ini)
{
    Security s;
    s.Java = read(ini, Option_Security::Java);
    s.Script = read(ini, Option_Security::Script);
    s.ActiveX = read(ini, Option_Security::ActiveX);
    s.Image = read(ini, Option_Multimedia::Image);
    s.BGM = read(ini, Option_Multimedia::BGM);
    s.Video = read(ini, Option_Multimedia::Video);
    return s;
}

OptionGroups::Tab OptionGroups::ReadTab(const IniFile &ini)
{
    Tab t;
    t.fix = readInteger(ini, Option_Tab::fix);
    t.MaxSize = read(ini, Option_Tab::MaxSize);
    t.Len = read(ini, Option_Tab::Len);
    t.MaxLen = read(ini, Option_Tab::MaxLen);
    t.TabType = read(ini, Option_Tab::TabType);
    t.ActivateChColor = read(ini, Option_Tab::ActivateChColor);
    t.ActivateBGColor = read(ini, Option_Tab::ActivateBGColor);
    t.DeActivateChColor = read(ini, Option_Tab::DeActivateChColor);
    t.DeActivateBGColor = read(ini, Option_Tab::DeActivateBGColor);
    return t;
}

OptionGroups::StartUp OptionGroups::ReadStartUp(const IniFile &ini)
{
    StartUp s;
    s.Type = read(ini, Option_StartUp::Type);
    s.Path = read(ini, Option_StartUp::Path);
    return s;
}

OptionGroups::Window OptionGroups::ReadWindow(const IniFile &ini)
{
    Window w;
    w.BookMark = readInteger(ini, Option_Window::BookMark);
    w.AddressBar = readInteger(ini, Option_Window::AddressBar);
    w.NewWindow_Active = read(ini, Option_Window::NewWindow_Active);
    return w;
}

OptionGroups::Gecko OptionGroups::ReadGecko()
{
    return ReadGecko(IniFile::config());
}

OptionGroups::Security OptionGroups::ReadSecurity()
{
    return ReadSecurity(IniFile::config());
}

OptionGroups::Tab OptionGroups::ReadTab()
{
    return ReadTab(IniFile::config());
}

OptionGroups::StartUp OptionGroups::ReadStartUp()
{
    return ReadStartUp(IniFile::config());
}

OptionGroups::Window OptionGroups::ReadWindow()
{
    return ReadWindow(IniFile::config());
}

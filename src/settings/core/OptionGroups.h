// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "settings/SettingsKeys.h"

#include <QString>

class IniFile;

/// Typed reads of the option groups that several places need. Each Read opens config.ini (or
/// uses the given access), reads every key of its group with the key's default and keeps
/// nothing, so a value saved a moment ago is what the next Read returns.
/// A default-constructed group holds the defaults.
class OptionGroups
{
public:
    /// "Option_Main": the Gecko engine. Mozilla stays as stored: the dialog takes any non-zero
    /// value as on, start-up tests for 0 and page opening for exactly 1.
    struct Gecko
    {
        int Mozilla = SettingsKeys::Option_Main::Mozilla.def;
        QString MozPath;
    };

    /// "Option_Security" and "Option_Multimedia".
    struct Security
    {
        bool Java = SettingsKeys::Option_Security::Java.def;
        bool Script = SettingsKeys::Option_Security::Script.def;
        bool ActiveX = SettingsKeys::Option_Security::ActiveX.def;
        bool Image = SettingsKeys::Option_Multimedia::Image.def;
        bool BGM = SettingsKeys::Option_Multimedia::BGM.def;
        bool Video = SettingsKeys::Option_Multimedia::Video.def;
    };

    /// "Option_Tab". fix stays as stored: the dialog takes any non-zero value as on, the main
    /// window fixes the width only for exactly 1. Colours are the stored texts.
    struct Tab
    {
        int fix = SettingsKeys::Option_Tab::fix.def ? 1 : 0;
        int MaxSize = SettingsKeys::Option_Tab::MaxSize.def;
        bool Len = SettingsKeys::Option_Tab::Len.def;
        int MaxLen = SettingsKeys::Option_Tab::MaxLen.def;
        int TabType = SettingsKeys::Option_Tab::TabType.def;
        QString ActivateChColor = SettingsKeys::Option_Tab::ActivateChColor.def.toString();
        QString ActivateBGColor = SettingsKeys::Option_Tab::ActivateBGColor.def.toString();
        QString DeActivateChColor = SettingsKeys::Option_Tab::DeActivateChColor.def.toString();
        QString DeActivateBGColor = SettingsKeys::Option_Tab::DeActivateBGColor.def.toString();
    };

    /// "Option_StartUp".
    struct StartUp
    {
        int Type = SettingsKeys::Option_StartUp::Type.def;
        QString Path;
    };

    /// "Option_Window". BookMark and AddressBar stay as stored: the dialog takes any non-zero
    /// value as on, the main window acts only on exactly 1.
    struct Window
    {
        int BookMark = SettingsKeys::Option_Window::BookMark.def ? 1 : 0;
        int AddressBar = SettingsKeys::Option_Window::AddressBar.def ? 1 : 0;
        bool NewWindow_Active = SettingsKeys::Option_Window::NewWindow_Active.def;
    };

    static Gecko ReadGecko(const IniFile &ini);
    static Gecko ReadGecko();
    static Security ReadSecurity(const IniFile &ini);
    static Security ReadSecurity();
    static Tab ReadTab(const IniFile &ini);
    static Tab ReadTab();
    static StartUp ReadStartUp(const IniFile &ini);
    static StartUp ReadStartUp();
    static Window ReadWindow(const IniFile &ini);
    static Window ReadWindow();
};

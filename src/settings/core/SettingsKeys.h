// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>
#include <QStringView>

class IniFile;

/// One setting of config.ini: its section and key as written in the file, and the default that
/// every read of it falls back to. Value is the stored type: QStringView for a string or a
/// colour (the default is then a colour name), int for an integer, bool for a boolean.
template<typename Value> struct SettingsKey
{
    QStringView section;
    QStringView name;
    Value def;
};

using StringKey = SettingsKey<QStringView>;
using IntegerKey = SettingsKey<int>;
using BoolKey = SettingsKey<bool>;
/// Stored as a colour name or "$" and eight hexadecimal digits; see ColorConvert.
using ColorKey = SettingsKey<QStringView>;

/// Every section and key of config.ini, one namespace per section. The file matches names
/// without regard to case; they are written here as the program writes them.
namespace SettingsKeys {

/// Kept by the main window: read at start, written at exit.
namespace General {
inline constexpr QStringView Section = u"General";
/// "IE" or "Gecko"; only the exact text "IE" selects IE.
inline constexpr StringKey LastEngine{Section, u"LastEngine", u"IE"};
/// 0 normal, 1 maximized, 2 minimized.
inline constexpr IntegerKey WinSize{Section, u"WinSize", 0};
/// 0 smallest to 4 largest.
inline constexpr IntegerKey LastMojiSize{Section, u"LastMojiSize", 2};
/// True after a clean exit.
inline constexpr BoolKey shutdown{Section, u"shutdown", true};
} // namespace General

namespace Option_Main {
inline constexpr QStringView Section = u"Option_Main";
/// 1 enables the Gecko engine; readers differ in how they test it, so it stays an integer.
inline constexpr IntegerKey Mozilla{Section, u"Mozilla", 0};
/// The Gecko folder, without a trailing separator.
inline constexpr StringKey MozPath{Section, u"MozPath", u""};
inline constexpr BoolKey Translate{Section, u"Translate", false};
/// The translation service: scheme and host, without a trailing slash.
inline constexpr StringKey TranslateHost{Section, u"TranslateHost",
                                         u"http://honyaku.lunarbeacon.jp"};
} // namespace Option_Main

namespace Option_Window {
inline constexpr QStringView Section = u"Option_Window";
inline constexpr BoolKey BookMark{Section, u"BookMark", false};
/// Where the address bar opens pages; unrelated to Bar::AddressBar.
inline constexpr BoolKey AddressBar{Section, u"AddressBar", false};
inline constexpr BoolKey NewWindow_Active{Section, u"NewWindow_Active", false};
} // namespace Option_Window

/// The missing final "t" is part of the name.
namespace Option_advertisemen {
inline constexpr QStringView Section = u"Option_advertisemen";
inline constexpr BoolKey CloseURL{Section, u"CloseURL", false};
} // namespace Option_advertisemen

namespace Option_Tab {
inline constexpr QStringView Section = u"Option_Tab";
inline constexpr BoolKey fix{Section, u"fix", false};
inline constexpr IntegerKey MaxSize{Section, u"MaxSize", 75};
inline constexpr BoolKey Len{Section, u"Len", false};
inline constexpr IntegerKey MaxLen{Section, u"MaxLen", 0};
/// 0 tabs along the bottom, anything else buttons along the top.
inline constexpr IntegerKey TabType{Section, u"TabType", 0};
inline constexpr ColorKey ActivateChColor{Section, u"ActivateChColor", u"clWindowText"};
inline constexpr ColorKey ActivateBGColor{Section, u"ActivateBGColor", u"clBtnFace"};
inline constexpr ColorKey DeActivateChColor{Section, u"DeActivateChColor", u"clWindowText"};
inline constexpr ColorKey DeActivateBGColor{Section, u"DeActivateBGColor", u"clBtnFace"};
/// Minutes a Chromium page out of sight runs before it is frozen; 0 never.
inline constexpr IntegerKey Sleep{Section, u"Sleep", 10};
/// Pages a bulk open (command line, web list, recovery, start list) makes windows for and
/// loads behind the tab in front; its other tabs wait without a window until shown. Below 0
/// every line of a bulk open gets its window at once.
inline constexpr IntegerKey LookAhead{Section, u"LookAhead", 3};
/// A close button on each tab; 0 for the plain tabs of old.
inline constexpr BoolKey CloseButton{Section, u"CloseButton", true};
/// A window opened from a link of a page gets its tab right after that page's (after those it
/// opened before); 0 puts every new tab at the end.
inline constexpr BoolKey OpenerNext{Section, u"OpenerNext", true};
} // namespace Option_Tab

namespace Option_StartUp {
inline constexpr QStringView Section = u"Option_StartUp";
/// 0 nothing, 1 the URL Path, 2 the web list file Path, 3 the windows of the last exit.
inline constexpr IntegerKey Type{Section, u"Type", 0};
inline constexpr StringKey Path{Section, u"Path", u""};
} // namespace Option_StartUp

namespace Option_Security {
inline constexpr QStringView Section = u"Option_Security";
inline constexpr BoolKey Java{Section, u"Java", false};
inline constexpr BoolKey Script{Section, u"Script", false};
inline constexpr BoolKey ActiveX{Section, u"ActiveX", false};
} // namespace Option_Security

namespace Option_Multimedia {
inline constexpr QStringView Section = u"Option_Multimedia";
inline constexpr BoolKey Image{Section, u"Image", false};
inline constexpr BoolKey BGM{Section, u"BGM", false};
inline constexpr BoolKey Video{Section, u"Video", false};
} // namespace Option_Multimedia

/// The toolbar layout, read at start and written at exit.
namespace Bar {
inline constexpr QStringView Section = u"Bar";
/// Per band position of the top bar (0 or 1): the band shown there (default: the position),
/// the width of its bar and whether it starts a new row.
inline constexpr IntegerKey BandID[2]{{Section, u"Band0ID", 0}, {Section, u"Band1ID", 1}};
inline constexpr IntegerKey BandWidth[2]{{Section, u"Band0Width", 200},
                                         {Section, u"Band1Width", 200}};
inline constexpr BoolKey BandBreak[2]{{Section, u"Band0Break", true},
                                      {Section, u"Band1Break", true}};
inline constexpr BoolKey ToolBar{Section, u"ToolBar", true};
/// Whether the address bar is shown; unrelated to Option_Window::AddressBar.
inline constexpr BoolKey AddressBar{Section, u"AddressBar", true};
inline constexpr BoolKey StatusBar{Section, u"StatusBar", true};
inline constexpr BoolKey TabBar{Section, u"TabBar", true};
inline constexpr BoolKey JBar{Section, u"JBar", true};
inline constexpr BoolKey Search{Section, u"Search", true};
inline constexpr IntegerKey JBarSize{Section, u"JBarSize", 153};
/// The side bar's collapse state as its collapse button keeps it.
inline constexpr IntegerKey JBarMax{Section, u"JBarMax", 0};
} // namespace Bar

/// The search services of the search bar by index (0 to 10), read at each search. Host is the
/// server part of the service's address ("name" or "name:port"); Charset the character set the
/// service expects its query in: "UTF-8", "Shift_JIS" or "EUC-JP".
namespace Search {
inline constexpr QStringView Section = u"Search";
inline constexpr int Count = 11;
inline constexpr StringKey Host[Count]{{Section, u"Host0", u"www.google.co.jp"},
                                       {Section, u"Host1", u"www.google.co.jp"},
                                       {Section, u"Host2", u"search.yahoo.co.jp"},
                                       {Section, u"Host3", u"kr.search.yahoo.com"},
                                       {Section, u"Host4", u"search.goo.ne.jp"},
                                       {Section, u"Host5", u"yougo.ascii.jp"},
                                       {Section, u"Host6", u"www2.alc.co.jp"},
                                       {Section, u"Host7", u"www2.alc.co.jp"},
                                       {Section, u"Host8", u"www.mapion.co.jp"},
                                       {Section, u"Host9", u"search.post.japanpost.jp"},
                                       {Section, u"Host10", u"search.post.japanpost.jp"}};
inline constexpr StringKey Charset[Count]{
    {Section, u"Charset0", u"UTF-8"}, {Section, u"Charset1", u"UTF-8"},
    {Section, u"Charset2", u"UTF-8"}, {Section, u"Charset3", u"UTF-8"},
    {Section, u"Charset4", u"UTF-8"}, {Section, u"Charset5", u"UTF-8"},
    {Section, u"Charset6", u"UTF-8"}, {Section, u"Charset7", u"UTF-8"},
    {Section, u"Charset8", u"UTF-8"}, {Section, u"Charset9", u"UTF-8"},
    {Section, u"Charset10", u"UTF-8"}};
} // namespace Search

/// Where downloads go. Ask false: into Folder without a question ("" = the user's download
/// folder); Ask true: a save dialog for each.
namespace Download {
inline constexpr QStringView Section = u"Download";
inline constexpr BoolKey Ask{Section, u"Ask", false};
inline constexpr StringKey Folder{Section, u"Folder", u""};
} // namespace Download

/// The history of visited pages (History.db), read when the history opens.
namespace History {
inline constexpr QStringView Section = u"History";
/// 0 records no visits; what is recorded stays until deleted or expired.
inline constexpr BoolKey Enabled{Section, u"Enabled", true};
/// Pages not visited for this many days are dropped when the history opens.
inline constexpr IntegerKey Days{Section, u"Days", 90};
} // namespace History

/// Reads \a key from \a ini with the key's default.
QString read(const IniFile &ini, const StringKey &key);
int read(const IniFile &ini, const IntegerKey &key);
bool read(const IniFile &ini, const BoolKey &key);
/// A boolean key read as the integer it holds (default 1 or 0), for readers that test the
/// stored value for exactly 1.
int readInteger(const IniFile &ini, const BoolKey &key);

/// Writes \a value under \a key; throws DorvuError like IniFile's writes.
void write(IniFile &ini, const StringKey &key, const QString &value);
void write(IniFile &ini, const IntegerKey &key, int value);
void write(IniFile &ini, const BoolKey &key, bool value);

} // namespace SettingsKeys

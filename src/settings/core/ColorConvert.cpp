// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/ColorConvert.h"

#include "settings/IniFile.h"

#include <iterator>

namespace {

struct Named
{
    const char *name;
    quint32 value;
};

// In the order of the colour table.
constexpr Named kColors[] = {
    {"clBlack", 0x00000000},         {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},         {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},          {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},          {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},        {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},          {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},          {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},          {"clWhite", 0x00FFFFFF},
    {"clScrollBar", 0x80000000},     {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002}, {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},          {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},   {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},  {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},  {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E}, {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},     {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},       {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},  {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},       {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
};

} // namespace

namespace ColorConvert {

int colorCount()
{
    return int(std::size(kColors));
}

QString colorName(int index)
{
    return QLatin1String(kColors[index].name);
}

quint32 colorValue(int index)
{
    return kColors[index].value;
}

QString ColorToString(quint32 color)
{
    for (const Named &c : kColors) {
        if (c.value == color)
            return QLatin1String(c.name);
    }
    return QLatin1Char('$') + QStringLiteral("%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

bool StringToColor(const QString &text, quint32 *color)
{
    for (const Named &c : kColors) {
        if (text.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            *color = c.value;
            return true;
        }
    }
    int value;
    if (!IniFile::parseInteger(text, &value))
        return false;
    *color = quint32(value);
    return true;
}

quint32 ReadColor(const IniFile &ini, const QString &section, const QString &key,
                  const QString &defaultName)
{
    quint32 color = 0;
    if (StringToColor(ini.ReadString(section, key, defaultName), &color))
        return color;
    if (StringToColor(defaultName, &color))
        return color;
    return 0;
}

} // namespace ColorConvert

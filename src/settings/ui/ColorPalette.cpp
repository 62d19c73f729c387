// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/ColorPalette.h"

#include "settings/ColorConvert.h"
#include "settings/IniFile.h"

#include <QGuiApplication>

#include <iterator>

namespace {

struct SystemColor
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Index NN of 0x800000NN (the Windows COLOR_* constants) -> a role of the desktop palette.
constexpr SystemColor kSystem[] = {
    {QPalette::Active, QPalette::Button},          // 0x00 clScrollBar
    {QPalette::Active, QPalette::Dark},            // 0x01 clBackground (desktop)
    {QPalette::Active, QPalette::Highlight},       // 0x02 clActiveCaption
    {QPalette::Inactive, QPalette::Mid},           // 0x03 clInactiveCaption
    {QPalette::Active, QPalette::Window},          // 0x04 clMenu
    {QPalette::Active, QPalette::Base},            // 0x05 clWindow
    {QPalette::Active, QPalette::Shadow},          // 0x06 clWindowFrame
    {QPalette::Active, QPalette::WindowText},      // 0x07 clMenuText
    {QPalette::Active, QPalette::WindowText},      // 0x08 clWindowText
    {QPalette::Active, QPalette::HighlightedText}, // 0x09 clCaptionText
    {QPalette::Active, QPalette::Window},          // 0x0A clActiveBorder
    {QPalette::Inactive, QPalette::Window},        // 0x0B clInactiveBorder
    {QPalette::Active, QPalette::Dark},            // 0x0C clAppWorkSpace (MDI background)
    {QPalette::Active, QPalette::Highlight},       // 0x0D clHighlight
    {QPalette::Active, QPalette::HighlightedText}, // 0x0E clHighlightText
    {QPalette::Active, QPalette::Button},          // 0x0F clBtnFace
    {QPalette::Active, QPalette::Dark},            // 0x10 clBtnShadow
    {QPalette::Disabled, QPalette::WindowText},    // 0x11 clGrayText
    {QPalette::Active, QPalette::ButtonText},      // 0x12 clBtnText
    {QPalette::Inactive, QPalette::WindowText},    // 0x13 clInactiveCaptionText
    {QPalette::Active, QPalette::Light},           // 0x14 clBtnHighlight
    {QPalette::Active, QPalette::Shadow},          // 0x15 cl3DDkShadow
    {QPalette::Active, QPalette::Midlight},        // 0x16 cl3DLight
    {QPalette::Active, QPalette::ToolTipText},     // 0x17 clInfoText
    {QPalette::Active, QPalette::ToolTipBase},     // 0x18 clInfoBk
};

QPalette palette()
{
    // Without a GUI application (tools, some tests) Qt's built-in palette stands in.
    return qGuiApp ? QGuiApplication::palette() : QPalette(QColor(0xEF, 0xEF, 0xEF));
}

} // namespace

namespace ColorPalette {

bool systemRole(int index, QPalette::ColorGroup *group, QPalette::ColorRole *role)
{
    if (index < 0 || index >= int(std::size(kSystem)))
        return false;
    *group = kSystem[index].group;
    *role = kSystem[index].role;
    return true;
}

QColor toQColor(quint32 color)
{
    if (color & 0x80000000u) {
        // As the Windows conversion does: any value with the top bit set is system colour NN.
        QPalette::ColorGroup group = QPalette::Active;
        QPalette::ColorRole role = QPalette::Window;
        systemRole(int(color & 0xFFu), &group, &role);
        return palette().color(group, role);
    }
    return QColor(int(color & 0xFFu), int((color >> 8) & 0xFFu), int((color >> 16) & 0xFFu));
}

quint32 fromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

quint32 readColor(const IniFile &ini, const QString &section, const QString &key,
                  const QString &defaultName)
{
    return ColorConvert::ReadColor(ini, section, key, defaultName);
}

QColor readQColor(const IniFile &ini, const QString &section, const QString &key,
                  const QString &defaultName)
{
    return toQColor(readColor(ini, section, key, defaultName));
}

} // namespace ColorPalette

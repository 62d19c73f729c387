// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

class IniFile;

/// Colour values of config.ini on screen. A plain colour 0x00BBGGRR is that RGB
/// colour; a system colour 0x800000NN takes the matching role of the application's palette.
namespace ColorPalette {

QColor toQColor(quint32 color);
/// The plain colour value 0x00BBGGRR of \a color.
quint32 fromQColor(const QColor &color);
/// The palette group and role that stand for system colour \a index (0x00..0x18); false for
/// other indices (they show as the palette's window colour).
bool systemRole(int index, QPalette::ColorGroup *group, QPalette::ColorRole *role);

/// ColorConvert::ReadColor: a bad stored text gives the default's colour.
quint32 readColor(const IniFile &ini, const QString &section, const QString &key,
                  const QString &defaultName);
/// readColor, then toQColor.
QColor readQColor(const IniFile &ini, const QString &section, const QString &key,
                  const QString &defaultName);

} // namespace ColorPalette

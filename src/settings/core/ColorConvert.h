// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

class IniFile;

/// Colour values of config.ini: 0x00BBGGRR for a plain colour, 0x800000NN for system colour NN.
/// Written as a colour name ("clRed", "clBtnFace", ...) or "$" + eight upper-case hex digits.
namespace ColorConvert {

QString ColorToString(quint32 color);
/// Name (case-insensitive), decimal integer or "$"-hexadecimal (IniFile::parseInteger; a
/// negative decimal is taken as its 32-bit pattern). Returns false when the text is none of
/// these; \a color is then untouched.
bool StringToColor(const QString &text, quint32 *color);

/// Reads a colour key with the default \a defaultName (a colour name such as "clBtnFace").
/// A stored text that is neither a name nor a number gives the default's colour, so a bad
/// value never stops tab drawing (black if even \a defaultName is no colour).
quint32 ReadColor(const IniFile &ini, const QString &section, const QString &key,
                  const QString &defaultName);

/// The colour table (41 entries: 16 fixed colours, 25 system colours).
int colorCount();
QString colorName(int index);
quint32 colorValue(int index);

} // namespace ColorConvert

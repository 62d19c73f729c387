// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// Colour values of config.ini: 0x00BBGGRR for a plain colour, 0x800000NN for system colour NN.
/// Written as a colour name ("clRed", "clBtnFace", ...) or "$" + eight upper-case hex digits.
namespace ColorConvert {

QString ColorToString(quint32 color);
/// Name (case-insensitive), decimal integer or "$"-hexadecimal. Returns false when the text is
/// none of these; \a color is then untouched.
bool StringToColor(const QString &text, quint32 *color);

} // namespace ColorConvert

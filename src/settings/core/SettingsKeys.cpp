// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/SettingsKeys.h"

#include "settings/IniFile.h"

namespace {

// The names are static literals: no copy is needed to hand them to IniFile.
QString text(QStringView view)
{
    return QString::fromRawData(view.data(), view.size());
}

} // namespace

namespace SettingsKeys {

QString read(const IniFile &ini, const StringKey &key)
{
    // A missing value with an empty default reads as a null string.
    const QString def = key.def.isEmpty() ? QString() : key.def.toString();
    return ini.ReadString(text(key.section), text(key.name), def);
}

int read(const IniFile &ini, const IntegerKey &key)
{
    return ini.ReadInteger(text(key.section), text(key.name), key.def);
}

bool read(const IniFile &ini, const BoolKey &key)
{
    return ini.ReadBool(text(key.section), text(key.name), key.def);
}

int readInteger(const IniFile &ini, const BoolKey &key)
{
    return ini.ReadInteger(text(key.section), text(key.name), key.def ? 1 : 0);
}

void write(IniFile &ini, const StringKey &key, const QString &value)
{
    ini.WriteString(text(key.section), text(key.name), value);
}

void write(IniFile &ini, const IntegerKey &key, int value)
{
    ini.WriteInteger(text(key.section), text(key.name), value);
}

void write(IniFile &ini, const BoolKey &key, bool value)
{
    ini.WriteBool(text(key.section), text(key.name), value);
}

} // namespace SettingsKeys

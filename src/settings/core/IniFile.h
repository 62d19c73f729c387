// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>
#include <QStringView>

/*
 * config.ini: Shift_JIS text with CR LF line ends.
 *   [Section]            section names and key names match without regard to case; the name
 *                        is the text between "[" and the last "]" of the line, blanks trimmed
 *   Key=Value            value = text after the first "=", blanks (space, tab) trimmed, one pair
 *                        of matching quotes (" or ') stripped, at most 2047 characters
 *   ; comment            a line starting with ";" is never a key
 * Any other line is kept untouched (byte for byte; lines may end in CR LF, CR or LF, and are
 * written back with CR LF). The first occurrence of a section or key counts; keys of a later
 * duplicate section are not seen. Keys before the first section belong to no section.
 *
 * Writing replaces a value in place (the key keeps its spelling), inserts a new key behind the
 * last key line of its section (right behind the header when it has none; blank lines and
 * comments before the next section stay below it) and appends a new section at the end of the
 * file, after an empty line; the first write creates the file. CR or LF inside a name or value
 * become blanks. Every write reaches the disk at once (temporary file in the same folder,
 * fsync, rename over config.ini), so every later read sees it; a write that would not change
 * the file's bytes leaves the file alone. A file that cannot be read whole (not a regular file,
 * unreadable, beyond 64 MiB) is never replaced: the write fails instead.
 *
 * Reads go through a process-wide parse cache keyed by path, checked on every read against the
 * file's device, inode, size, modification and change times (nanoseconds); entries whose time
 * stamps are within 2 s of the moment they were read are checked against the file's bytes, so
 * even a same-size change within one clock tick is seen. Our own writes drop the entry.
 */

/// The configuration access: a value object holding only the path of config.ini.
/// Reads never fail (missing or malformed data gives the default); writes throw DorvuError
/// with "<path> に書き込めません" when the file cannot be written.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    /// The access to config.ini in the program folder.
    /// Time stamps this close to the moment they were read are not trusted: such an entry is
    /// checked against the file's bytes at its next use.
    static constexpr qint64 RacyWindowMs = 2000;

    static IniFile config();

    const QString &path() const { return m_path; }

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    /// Decimal, or hexadecimal after "0x"/"0X" (longer than two characters) or "$"; else \a def.
    /// See parseInteger.
    int ReadInteger(const QString &section, const QString &key, int def) const;
    /// ReadInteger with default 1 or 0, then "not 0".
    bool ReadBool(const QString &section, const QString &key, bool def) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);

    /// Turns the parse cache off (benchmarks compare both ways) or on again.
    /// The cache is never visible to readers: every read checks the file's identity, size and
    /// timestamps, and our own writes drop the entry.
    static void setCacheEnabled(bool enabled);
    static bool cacheEnabled();

    /// The integer syntax of the stored values (Delphi's Val): optional blanks, an optional
    /// "+" or "-", then decimal digits (within the 32-bit signed range) or "$" / "0x" / "0X"
    /// and hexadecimal digits (32 bits, taken as the bit pattern: "$FFFFFFFF" is -1). Nothing
    /// may follow. False, with \a value untouched, for anything else.
    static bool parseInteger(QStringView text, int *value);

private:
    QString m_path;
};

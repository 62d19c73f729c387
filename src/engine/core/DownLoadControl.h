// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QtGlobal>

/// The fifteen download-control flags, in set order (bit n of TDownLoadControl = position n).
enum TDownLoadControlFlag {
    CS_Images = 0,
    CS_Videos,
    CS_BGSounds,
    CS_NoScripts,
    CS_NoJava,
    CS_NoActiveXRun,
    cs_NoActiveXDownLoad,
    CS_DownLoadOnly,
    CS_ReSynchronize,
    CS_NoCash,
    CS_NoFrame,
    CS_ForceOffLine,
    CS_NoClientPull,
    CS_Silent,
    CS_OffLine,
};

/// A set of TDownLoadControlFlag, stored in 16 bits.
class TDownLoadControl
{
public:
    constexpr TDownLoadControl() = default;
    TDownLoadControl(std::initializer_list<TDownLoadControlFlag> flags);

    bool contains(TDownLoadControlFlag flag) const { return m_bits & (1u << flag); }
    void include(TDownLoadControlFlag flag) { m_bits |= quint16(1u << flag); }
    void exclude(TDownLoadControlFlag flag) { m_bits &= quint16(~(1u << flag)); }
    quint16 bits() const { return m_bits; }
    bool operator==(const TDownLoadControl &o) const { return m_bits == o.m_bits; }
    bool operator!=(const TDownLoadControl &o) const { return m_bits != o.m_bits; }

    /// The platform value of the set: the bitwise OR of each present flag's DLCTL_ value.
    quint32 report() const;

    /// {CS_Images, CS_Videos, CS_BGSounds}: a wrapper's set before a window applies its own.
    static TDownLoadControl defaultSet();
    /// The set of the hidden browser that receives new-window requests.
    static TDownLoadControl captureSet();

private:
    quint16 m_bits = 0;
};

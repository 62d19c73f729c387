// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QStringList>

#include <memory>

class TMainForm;
class Tfrm_tmpWeb;

/// The program's windows, made in their fixed order: the main window (shown), then the options
/// dialog, the bookmark editor, the about box, the unused capture window, the web list editor,
/// the link extraction dialog and the Gecko options dialog (all hidden). The dialogs belong to
/// the main window; everything goes when the sequence does.
class StartupSequence
{
public:
    explicit StartupSequence(const QStringList &arguments);
    ~StartupSequence();

    TMainForm *mainForm() const { return m_mainForm.get(); }

private:
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<Tfrm_tmpWeb> m_tmpWeb;
};

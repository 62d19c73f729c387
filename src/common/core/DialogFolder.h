// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// Where a file dialog of ours starts: the folder last chosen in one, for the rest of the run,
/// else the user's download folder (XDG), else the home folder. Never the current folder,
/// which is wherever the program was started from.
class DialogFolder
{
public:
    static QString start();
    /// The user's download folder (XDG), whether it exists yet or not; empty when the system
    /// names none.
    static QString downloadFolder();
    /// start() joined with \a fileName: the suggestion of a save dialog.
    static QString suggest(const QString &fileName);
    /// Notes the folder of \a chosen, a path a dialog returned; an empty path changes nothing.
    static void remember(const QString &chosen);
    /// Forgets the folder last chosen (tests).
    static void reset();
};

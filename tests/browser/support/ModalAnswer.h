// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

#include <functional>

class QWidget;

/// The user's answer to the next modal window (a message box, a file dialog), given from the
/// event loop that the modal window runs.
namespace ModalAnswer {

/// Runs \a act once with the next modal window on screen.
void next(const std::function<void(QWidget *modal)> &act);
/// Presses the button captioned \a caption of the next message box; its title and text go to
/// \a seen ("title|text") when given.
void press(const QString &caption, QString *seen = nullptr);
/// Answers the next file dialog with \a path, or cancels it when \a path is empty; its name
/// goes to \a seen when given.
void choose(const QString &path, QString *seen = nullptr);

} // namespace ModalAnswer

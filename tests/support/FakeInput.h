// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QPoint>

#include <initializer_list>

typedef struct _XDisplay Display;

/// Real pointer and key events, as a user's, through the XTest extension of the test's display:
/// they reach a WebKit page's own X window as well as Qt's windows.
class FakeInput
{
public:
    FakeInput();
    ~FakeInput();
    FakeInput(const FakeInput &) = delete;
    FakeInput &operator=(const FakeInput &) = delete;

    /// The display is open and has XTest.
    bool isValid() const;
    void move(const QPoint &global);
    void click(const QPoint &global, int button = 1);
    /// Presses and releases the key of X keysym \a sym while \a modifiers (keysyms such as
    /// XK_Control_L) are held.
    void key(unsigned long sym, std::initializer_list<unsigned long> modifiers = {});
    /// One key per Latin-1 character.
    void type(const char *latin);

private:
    Display *m_display;
};

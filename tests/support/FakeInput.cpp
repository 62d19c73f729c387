// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "FakeInput.h"

#include <QList>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

FakeInput::FakeInput()
    : m_display(XOpenDisplay(nullptr))
{}

FakeInput::~FakeInput()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool FakeInput::isValid() const
{
    int a, b, c, d;
    return m_display && XTestQueryExtension(m_display, &a, &b, &c, &d);
}

void FakeInput::move(const QPoint &global)
{
    XTestFakeMotionEvent(m_display, -1, global.x(), global.y(), 0);
    XFlush(m_display);
}

void FakeInput::click(const QPoint &global, int button)
{
    XTestFakeMotionEvent(m_display, -1, global.x(), global.y(), 0);
    XTestFakeButtonEvent(m_display, unsigned(button), True, 0);
    XTestFakeButtonEvent(m_display, unsigned(button), False, 0);
    XFlush(m_display);
}

void FakeInput::key(unsigned long sym, std::initializer_list<unsigned long> modifiers)
{
    QList<KeyCode> held;
    for (unsigned long modifier : modifiers) {
        if (const KeyCode code = XKeysymToKeycode(m_display, modifier)) {
            XTestFakeKeyEvent(m_display, code, True, 0);
            held.prepend(code);
        }
    }
    const KeyCode code = XKeysymToKeycode(m_display, sym);
    XTestFakeKeyEvent(m_display, code, True, 0);
    XTestFakeKeyEvent(m_display, code, False, 0);
    for (KeyCode modifier : std::as_const(held))
        XTestFakeKeyEvent(m_display, modifier, False, 0);
    XFlush(m_display);
}

void FakeInput::type(const char *latin)
{
    for (const char *c = latin; *c; ++c)
        key(static_cast<unsigned char>(*c));
}

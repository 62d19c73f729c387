// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

/// Where the time from launch to the first page goes. With DORVU_TRACE_STARTUP set, the first
/// time each step of the start is reached it prints "startup <ms> <step>" to stderr, the
/// milliseconds counted from the launch: from the CLOCK_REALTIME nanoseconds the variable holds
/// (a launcher's clock just before it started us), else from the process's own start. Without
/// the variable a step costs one test of a flag.
namespace StartupTrace {

void mark(const char *step);

} // namespace StartupTrace

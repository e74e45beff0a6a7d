// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QApplication>

// One application for a whole test program, for tests of real widgets, timers and ports.
inline QApplication& application() {
    static int argc = 1;
    static char name[] = "sonavel_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at the end of the process Qt's own statics may already be gone.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

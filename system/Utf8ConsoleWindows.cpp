// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/Utf8Console.h"

#include <cstdio>
#include <iostream>
#include <windows.h>

// A program without a console, or one whose output goes to a file or a pipe, is told 0 and
// changes nothing: the bytes arrive as written.
Utf8Console::Utf8Console() : before_(GetConsoleOutputCP()) {
    if (before_ != 0) {
        SetConsoleOutputCP(CP_UTF8);
    }
}

// What is still buffered is written first, in the code page it was meant for.
Utf8Console::~Utf8Console() {
    if (before_ != 0) {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        SetConsoleOutputCP(before_);
    }
}

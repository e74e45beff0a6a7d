// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/ProgramCommandLines.h"

// Windows shows another process's command line only to a debugger's means.
std::vector<std::vector<std::string>> commandLinesOf(const std::string&) {
    return {};
}

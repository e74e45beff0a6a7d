// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/CommandArguments.h"

std::vector<std::string> commandArguments(int argc, char* argv[]) {
    return {argv + 1, argv + argc};
}

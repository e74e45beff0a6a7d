// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <vector>

// The command lines (the program, then each argument) of the running processes of this program
// ("rigctld"), as far as the system shows them; none where it shows none.
std::vector<std::vector<std::string>> commandLinesOf(const std::string& program);

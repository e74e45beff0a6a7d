// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <vector>

// The arguments after the program's name, as the user gave them, in the program's 8-bit text.
// Windows hands main() only what its code page can say, and changes the rest into other
// characters, so there they are read from the wide command line instead.
std::vector<std::string> commandArguments(int argc, char* argv[]);

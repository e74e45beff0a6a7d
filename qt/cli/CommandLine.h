// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <vector>

// The program started from a script: the arguments after its name, which the window does not
// take. Runs on QCoreApplication alone, so that it needs no display, and returns the exit
// status.
int runCommandLine(const std::vector<std::string>& arguments);

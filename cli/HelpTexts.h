// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

namespace command_line {
// The built-in samples' names, as --sample takes them: "OFF, Ombrel, ...".
std::string sampleNames();
// The short text that follows a usage error on standard error.
std::string usageText();
// --help: what the program does from a script, its options and its exit statuses.
std::string helpText();
// What the window says, in one line, when there is no display to open it on.
std::string noDisplayText();
// --version: the program, its version and its licence.
std::string versionText();
} // namespace command_line

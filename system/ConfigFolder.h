// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// The user's configuration folder, or why there is none.
struct ConfigFolder {
    std::string path;    // empty when there is none
    std::string missing; // why, for the user; empty when there is one
};

// Where the system keeps each user's program settings, as the system's 8-bit name (UTF-8 on
// Windows): on POSIX $XDG_CONFIG_HOME, or the folder .config in the user's home folder; on
// Windows the user's roaming application data folder. Read afresh at every call.
ConfigFolder userConfigFolder();

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <algorithm>
#include <filesystem>
#include <string>

// Where the system's serial ports keep their lock files, one per device.
inline std::filesystem::path lockFileOf(const std::string& device) {
    std::string name = device.substr(std::string("/dev/").size());
    std::replace(name.begin(), name.end(), '/', '_');
    return std::filesystem::path("/var/lock") / ("LCK.." + name);
}

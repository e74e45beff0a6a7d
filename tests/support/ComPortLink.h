// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A configuration folder of its own for the program under test, in which Com N is linked to a
// device of the test's choosing, as a user links an adapter.
class ComPortLink {
public:
    ComPortLink() {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() /
                  ("sonavel-config-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder_ / "Sonavel" / "ports");
        setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    }
    ~ComPortLink() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    ComPortLink(const ComPortLink&) = delete;
    ComPortLink& operator=(const ComPortLink&) = delete;

    void link(int number, const std::string& device) const {
        const auto name = folder_ / "Sonavel" / "ports" / ("com" + std::to_string(number));
        std::filesystem::remove(name);
        std::filesystem::create_symlink(device, name);
    }

    // A ports file whose first line is line, as a user writes one.
    void write(int number, const std::string& line) const {
        std::ofstream(folder_ / "Sonavel" / "ports" / ("com" + std::to_string(number)))
            << line << "\n";
    }

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path settingsFile() const { return folder_ / "Sonavel" / "Sonavel.conf"; }

private:
    std::filesystem::path folder_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "qt/settings/QtSettingsStore.h"
#include "tests/support/ComPortLink.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names in a folder, sorted.
inline std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline void writeFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// An environment variable set to the given value, or unset, while it lives, then as it was.
class VariableSetTo {
public:
    // A null value unsets it.
    VariableSetTo(const char* name, const char* value) : name_(name) {
        if (const char* before = std::getenv(name)) {
            before_ = before;
        }
        set(value ? std::optional<std::string>(value) : std::nullopt);
    }
    ~VariableSetTo() { set(before_); }
    VariableSetTo(const VariableSetTo&) = delete;
    VariableSetTo& operator=(const VariableSetTo&) = delete;

private:
    void set(const std::optional<std::string>& value) const {
        if (value) {
            setenv(name_, value->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

    const char* name_;
    std::optional<std::string> before_;
};

// The next run of the program: its settings file as the last run left it on disk, in a
// configuration folder this process has not read before, so nothing is answered from memory.
struct NextRun {
    explicit NextRun(const ComPortLink& previous) {
        std::filesystem::copy_file(previous.settingsFile(), folder.settingsFile());
    }
    ComPortLink folder;
    QtSettingsStore store;
};

inline std::string readProperty(SettingsStore& store, const std::string& key) {
    return store.readSetting("Sonavel", "Properties", key, "(default)");
}

inline Result writeProperty(SettingsStore& store, const std::string& key,
                            const std::string& value) {
    return store.writeSetting("Sonavel", "Properties", key, value);
}

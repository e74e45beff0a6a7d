#pragma once

#include "platform/qt/settings/QtSettingsStore.h"
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

// TMPDIR set to the given path while it lives, then as it was.
class TemporaryFolderSetTo {
public:
    explicit TemporaryFolderSetTo(const std::filesystem::path& path) {
        if (const char* before = std::getenv("TMPDIR")) {
            before_ = before;
        }
        setenv("TMPDIR", path.c_str(), 1);
    }
    ~TemporaryFolderSetTo() {
        if (before_) {
            setenv("TMPDIR", before_->c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }
    TemporaryFolderSetTo(const TemporaryFolderSetTo&) = delete;
    TemporaryFolderSetTo& operator=(const TemporaryFolderSetTo&) = delete;

private:
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

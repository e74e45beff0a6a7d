// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/settings/SettingsLeftovers.h"

#include "system/ExclusiveLock.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
bool endsInRandomName(std::string_view name, std::string_view prefix) {
    constexpr std::size_t randomLength = 6;
    return name.size() == prefix.size() + randomLength && name.substr(0, prefix.size()) == prefix &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

bool isRemovalLock(std::string_view name, std::string_view lockName) {
    constexpr std::string_view link = ".rmlock";
    if (name.size() <= lockName.size() || name.substr(0, lockName.size()) != lockName) {
        return false;
    }
    for (std::string_view rest = name.substr(lockName.size()); !rest.empty();
         rest.remove_prefix(link.size())) {
        if (rest.substr(0, link.size()) != link) {
            return false;
        }
    }
    return true;
}

bool isRegularFile(const std::filesystem::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}
} // namespace

void removeLeftoversOfKilledWrites(const std::string& file) {
    const std::filesystem::path path(file);
    const std::string name = path.filename().string();
    std::vector<std::filesystem::path> found;
    std::error_code unreadable;
    for (std::filesystem::directory_iterator entry(path.parent_path(), unreadable);
         !unreadable && entry != std::filesystem::directory_iterator();
         entry.increment(unreadable)) {
        found.push_back(entry->path());
    }
    for (const std::filesystem::path& leftover : found) {
        const std::string foundName = leftover.filename().string();
        if (!isRegularFile(leftover)) {
            continue;
        }
        if (isRemovalLock(foundName, name + ".lock")) {
            // Held while a live process removes a stale lock.
            ExclusiveLock lock(leftover.string());
            if (lock.state() == ExclusiveLock::State::taken) {
                static_cast<void>(lock.removeLockedFile());
            }
        } else if (endsInRandomName(foundName, name + ".") ||
                   endsInRandomName(foundName, "." + name + "-")) {
            ::unlink(leftover.c_str());
        }
    }
}

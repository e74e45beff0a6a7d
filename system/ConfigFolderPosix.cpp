// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/ConfigFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {
std::string absoluteOrNothing(const char* path) {
    return path != nullptr && path[0] == '/' ? std::string(path) : std::string{};
}

std::string homeInUserDatabase(std::string& missing) {
    const uid_t user = ::getuid();
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 4096);
    passwd entry{};
    passwd* found = nullptr;
    int error = 0;
    while ((error = ::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found)) == ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    const std::string who = "user " + std::to_string(user);
    if (error != 0) {
        missing = "the user database could not be asked for the home folder of " + who + " (" +
                  std::strerror(error) + ")";
    } else if (found == nullptr) {
        missing = "the user database has no entry for " + who;
    } else if (found->pw_dir == nullptr || found->pw_dir[0] != '/') {
        missing = "the user database gives no home folder for " + who;
    } else {
        return found->pw_dir;
    }
    return {};
}
} // namespace

ConfigFolder userConfigFolder() {
    if (std::string path = absoluteOrNothing(std::getenv("XDG_CONFIG_HOME")); !path.empty()) {
        return {path, {}};
    }
    if (const std::string home = absoluteOrNothing(std::getenv("HOME")); !home.empty()) {
        return {home + "/.config", {}};
    }
    std::string missing;
    const std::string home = homeInUserDatabase(missing);
    if (home.empty()) {
        const char* variable = std::getenv("HOME");
        const std::string noHome = variable == nullptr || variable[0] == '\0'
                                       ? "HOME is not set"
                                       : "HOME is not an absolute path";
        return {{}, noHome + " and " + missing};
    }
    return {home + "/.config", {}};
}

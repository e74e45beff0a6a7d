// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/DeviceAccess.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string firstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The makers of the usual USB serial converter chips: FTDI, QinHeng (CH340), Silicon Labs
// (CP210x), Prolific (PL2303).
bool isSerialConverter(const std::string& vendor) {
    constexpr std::array<const char*, 4> vendors{"0403", "1a86", "10c4", "067b"};
    for (const char* known : vendors) {
        if (vendor == known) {
            return true;
        }
    }
    return false;
}

bool hasSerialDevice(const std::filesystem::path& usbDevice) {
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator at(usbDevice, error), end;
         !error && at != end; at.increment(error)) {
        const std::string name = at->path().filename().string();
        if (name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0) {
            return true;
        }
        // The device's interfaces are its subfolders; its child devices are not its own.
        if (at.depth() > 1) {
            at.disable_recursion_pending();
        }
    }
    return false;
}
} // namespace

std::string permissionAdvice(const std::string& device) {
    if (access(device.c_str(), R_OK | W_OK) == 0 || errno != EACCES) {
        return {};
    }
    struct stat status {};
    if (stat(device.c_str(), &status) != 0) {
        return {};
    }
    const bool groupMay = (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    const group* owners = groupMay ? getgrgid(status.st_gid) : nullptr;
    if (owners) {
        const std::string name = owners->gr_name;
        return "Only members of the group \"" + name + "\" may use " + device +
               ": sudo adduser $USER " + name + ", then log out and in again.";
    }
    const passwd* owner = getpwuid(status.st_uid);
    const std::string who = owner ? "its owner \"" + std::string(owner->pw_name) + "\""
                                  : "its owner (user " + std::to_string(status.st_uid) + ")";
    return "Only " + who + " may use " + device +
           "; no group may. A udev rule that gives the device to the group \"dialout\" with "
           "mode 0660 lets its members use it.";
}

std::vector<std::string> adaptersWithoutSerialDevice(const std::string& usbDevices) {
    std::vector<std::string> adapters;
    std::error_code error;
    for (std::filesystem::directory_iterator at(usbDevices, error), end; !error && at != end;
         at.increment(error)) {
        const std::filesystem::path device = at->path();
        const std::string vendor = firstLine(device / "idVendor");
        if (!isSerialConverter(vendor) || hasSerialDevice(device)) {
            continue;
        }
        std::string named = firstLine(device / "manufacturer");
        const std::string product = firstLine(device / "product");
        named += named.empty() || product.empty() ? product : " " + product;
        const std::string ids = vendor + ":" + firstLine(device / "idProduct");
        adapters.push_back(named.empty() ? ids : named + " (" + ids + ")");
    }
    return adapters;
}

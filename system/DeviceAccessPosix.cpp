// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/DeviceAccess.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// Whether the character device numbered major, minor belongs to a serial driver or is the far
// end of a pseudo-terminal, by the system's table of terminal drivers ("usbserial /dev/ttyUSB
// 188 0-511 serial"). Opening the device to ask would raise its modem lines, which key some
// radios' transmitters. Where the table cannot be read, every character device may be one.
bool isSerialTerminal(unsigned major, unsigned minor) {
    std::ifstream drivers("/proc/tty/drivers");
    if (!drivers) {
        return true;
    }
    for (std::string line; std::getline(drivers, line);) {
        std::istringstream words(line);
        std::string driver, node, minors, type;
        unsigned driverMajor = 0;
        if (!(words >> driver >> node >> driverMajor >> minors >> type) || driverMajor != major) {
            continue;
        }
        // "0-511", or one minor number alone.
        unsigned first = 0;
        unsigned last = 0;
        char dash = 0;
        std::istringstream range(minors);
        range >> first;
        if (!(range >> dash >> last)) {
            last = first;
        }
        if (minor >= first && minor <= last) {
            return type == "serial" || type == "pty:slave";
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

std::string whyNotASerialDevice(const std::string& device) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(device, error);
    if (error == std::errc::too_many_symbolic_link_levels) {
        return "is a link that leads back to itself (a link loop)";
    }
    if (error == std::errc::no_such_file_or_directory) {
        return "is not present";
    }
    if (error) {
        return "cannot be looked at: " + error.message();
    }
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) {
        return "cannot be looked at: " + std::generic_category().message(errno);
    }
    if (S_ISREG(status.st_mode)) {
        return "is a regular file, not a device";
    }
    if (S_ISDIR(status.st_mode)) {
        return "is a folder, not a device";
    }
    if (S_ISFIFO(status.st_mode)) {
        return "is a named pipe, not a device";
    }
    if (!S_ISCHR(status.st_mode)) {
        return "is not a serial device";
    }
    if (!isSerialTerminal(major(status.st_rdev), minor(status.st_rdev))) {
        return "is a device but not a serial port";
    }
    return {};
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

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/PortHolderAdvice.h"
#include "qt/serial/PortRefusal.h"
#include "system/DeviceAccess.h"
#include "system/PortHolders.h"

namespace {
std::string heldBy(const Holder& holder) {
    return " is held by " + (holder.program.empty() ? "a program" : holder.program) + ", process " +
           std::to_string(holder.processId);
}
} // namespace

// A lock file is how programs here say they hold a port; QSerialPort would take over one whose
// writer is alive, so it is read first and left alone. Anything else in its place keeps the port
// shut too: it is no one's to remove but its maker's.
std::optional<std::string> heldElsewhere(const std::string& device, const std::string& name,
                                         int number) {
    const LockFileFinding lock = readLockFile(device);
    if (lock.holder) {
        return name + heldBy(*lock.holder) + holderAdvice(lock.holder->program, number);
    }
    if (!lock.notALockFile.empty()) {
        return name + ": " + lock.notALockFile + "; remove it, or ask whoever made it";
    }
    return std::nullopt;
}

// Qt files a device that another program holds under permission errors too.
std::string refusalReport(const std::string& device, const std::string& name, int number,
                          const std::string& reason) {
    if (const std::string advice = permissionAdvice(device); !advice.empty()) {
        return reason + ". " + advice;
    }
    std::vector<Holder> holders = processesHolding(device);
    if (const auto locked = readLockFile(device).holder) {
        holders.insert(holders.begin(), *locked);
    }
    if (!holders.empty()) {
        return name + heldBy(holders.front()) + holderAdvice(holders.front().program, number);
    }
    const std::string unnamed = name +
                                " is in use by another program, which the system does not name "
                                "to this user (sudo fuser -v " +
                                device + " does)";
    for (const char* prober : {"ModemManager", "brltty"}) {
        if (!processesNamed(prober).empty()) {
            return unnamed + ". " + prober + " is running" + holderAdvice(prober, number);
        }
    }
    return unnamed;
}

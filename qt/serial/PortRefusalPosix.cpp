// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/PortHolderAdvice.h"
#include "qt/serial/PortRefusal.h"
#include "qt/serial/PortsFolder.h"
#include "system/DeviceAccess.h"
#include "system/PortHolders.h"

namespace {
std::string heldBy(const Holder& holder, const std::string& name, int number, Audience audience) {
    // Only a rigctld needs more for its advice: where it listens, and the file that would lead
    // the port there.
    const bool rigctld = holder.program == "rigctld";
    const std::vector<std::string> commandLine =
        rigctld ? commandLineOf(holder.processId) : std::vector<std::string>{};
    const std::string portsFile = rigctld ? shownPortsFile(number) : std::string{};
    return name + " is held by " + (holder.program.empty() ? "a program" : holder.program) +
           ", process " + std::to_string(holder.processId) +
           holderAdvice(holder.program, commandLine, number, portsFile, audience);
}

// A lock file is how programs here say they hold a port; QSerialPort would take over one whose
// writer is alive, so it is read first and left alone. Anything else in its place keeps the port
// shut too: it is no one's to remove but its maker's. Many programs hold a port without any mark
// (rigctld among them), so every process with the device open counts too.
std::optional<std::string> heldElsewhere(const std::string& device, const std::string& name,
                                         int number, Audience audience) {
    const LockFileFinding lock = readLockFile(device);
    if (lock.holder) {
        return heldBy(*lock.holder, name, number, audience);
    }
    if (!lock.notALockFile.empty()) {
        return name + ": " + lock.notALockFile + "; remove it, or ask whoever made it";
    }
    if (!lock.unreadableLock.empty()) {
        return name + ' ' + lock.unreadableLock + holderAdvice({}, {}, number, {}, audience);
    }
    if (const std::vector<Holder> holders = processesHolding(device); !holders.empty()) {
        return heldBy(holders.front(), name, number, audience);
    }
    return std::nullopt;
}

// A holder that this user may not see: another user's program, seen only by its effect.
std::string unnamedHolder(const std::string& device, const std::string& name, int number,
                          Audience audience) {
    const std::string unnamed = name +
                                " is in use by another program, which the system does not name "
                                "to this user (sudo fuser -v " +
                                device + " does)";
    for (const char* prober : {"ModemManager", "brltty"}) {
        if (!processesNamed(prober).empty()) {
            return unnamed + ". " + prober + " is running" +
                   holderAdvice(prober, {}, number, {}, audience);
        }
    }
    return unnamed + holderAdvice({}, {}, number, {}, audience);
}
} // namespace

std::optional<std::string> claimDevice(DeviceClaim& claim, const std::string& device,
                                       const std::string& name, int number, Audience audience) {
    if (auto held = heldElsewhere(device, name, number, audience)) {
        return held;
    }
    switch (claim.take(device)) {
    case DeviceClaim::State::lockedElsewhere:
    case DeviceClaim::State::exclusiveElsewhere:
        // A holder the look before did not show: another user's program, or one that has
        // taken the device since.
        if (auto held = heldElsewhere(device, name, number, audience)) {
            return held;
        }
        return unnamedHolder(device, name, number, audience);
    case DeviceClaim::State::unclaimed:
    case DeviceClaim::State::claimed:
        break;
    }
    return std::nullopt;
}

// Qt files a device that another program holds under permission errors too.
std::string refusalReport(const std::string& device, const std::string& name, int number,
                          Audience audience, const std::string& reason) {
    if (const std::string advice = permissionAdvice(device); !advice.empty()) {
        return reason + ". " + advice;
    }
    if (auto held = heldElsewhere(device, name, number, audience)) {
        return *held;
    }
    return unnamedHolder(device, name, number, audience);
}

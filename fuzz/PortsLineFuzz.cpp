// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/PortsEntry.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    // As Linux and as Windows read it.
    for (const DeviceNames names : {DeviceNames::paths, DeviceNames::comPorts}) {
        const PortsEntry entry = parsePortsLine(line, "com1", names);
        if (const auto* device = std::get_if<SerialDeviceEntry>(&entry);
            device && device->device.empty()) {
            __builtin_trap();
        }
        // The address shown for a rigctld is read back as the same rigctld.
        if (const auto* rigctld = std::get_if<RigctldEntry>(&entry)) {
            const PortsEntry again = parsePortsLine("rigctld " + rigctld->address(), "com1", names);
            if (!(again == entry) || rigctld->port == 0) {
                __builtin_trap();
            }
        }
    }
    return 0;
}

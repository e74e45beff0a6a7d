// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

// A serial device that Com N opens, and how its line is controlled.
struct SerialDeviceEntry {
    std::string device;
    // RTS/CTS handshake; without it no flow control, DTR and RTS held high.
    bool handshake = false;
    bool operator==(const SerialDeviceEntry&) const = default;
};

// A rigctld that Com N reaches the radio through.
struct RigctldEntry {
    std::string host;
    std::uint16_t port = 0;
    // "localhost:4532", "[::1]:4532": as the user wrote it.
    std::string address() const;
    bool operator==(const RigctldEntry&) const = default;
};

// A ports file that says nothing usable; report names the file, its line and what was expected.
struct PortsEntryProblem {
    std::string report;
    bool operator==(const PortsEntryProblem&) const = default;
};

using PortsEntry = std::variant<SerialDeviceEntry, RigctldEntry, PortsEntryProblem>;

// How a system names its serial devices: by path ("/dev/ttyUSB0"), or as Windows' numbered
// ports ("COM12").
enum class DeviceNames { paths, comPorts };
#ifdef _WIN32
inline constexpr DeviceNames systemDeviceNames = DeviceNames::comPorts;
#else
inline constexpr DeviceNames systemDeviceNames = DeviceNames::paths;
#endif

// "4532" is 4532; nullopt when the text is not a whole number from 1 to 65535.
std::optional<std::uint16_t> networkPortNumber(const std::string& digits);

// "COM12" in any letter case is 12, whatever the number; 0 when the word is not COM and digits.
int comPortNumber(const std::string& word);

// The first line of a text file in the ports folder: "DEVICE [rtscts]" or "rigctld HOST:PORT".
// A DEVICE is a path, where one without "/" is a name under /dev/serial/by-id, or on Windows a
// port from COM1 to COM256; the other system's form is refused as such. A control character is
// refused where it stands.
PortsEntry parsePortsLine(const std::string& line, const std::string& fileName,
                          DeviceNames names = systemDeviceNames);

// What "com<N>" in the ports folder says: a link names a device (followed to its target, or
// its own target when dangling), a text file is parsed, any other file is the device itself;
// nullopt when there is no such file. A ports folder that is no folder, or cannot be read, is a
// problem, not the absence of the file.
std::optional<PortsEntry> readPortsEntry(const std::filesystem::path& file,
                                         DeviceNames names = systemDeviceNames);

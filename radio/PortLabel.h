// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <string_view>

// The numbers a port can be given.
constexpr int lowestPortNumber = 1;
constexpr int highestPortNumber = 256;
// The port selector offers Com 1 to this one; the others are reached through the ports folder and
// a script's --port.
constexpr int highestSelectorNumber = 8;
// What a script names by its device or its rigctld (--device, --rigctld) has no number.
constexpr int namedWay = 0;

// The name the user knows a port number by, as the port selector lists it: "Com 3".
inline std::string portLabel(std::string_view number) {
    return "Com " + std::string(number);
}
inline std::string portLabel(int number) {
    return portLabel(std::to_string(number));
}

// The port with what it reached: "Com 3 (/dev/ttyUSB0)"; what it reached alone where a script
// named that itself.
inline std::string portName(int number, const std::string& reached) {
    return number == namedWay ? reached : portLabel(number) + " (" + reached + ")";
}

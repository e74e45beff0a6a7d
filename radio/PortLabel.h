// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <string_view>

// The name the user knows a port number by, as the port selector lists it: "Com 3".
inline std::string portLabel(std::string_view number) {
    return "Com " + std::string(number);
}
inline std::string portLabel(int number) {
    return portLabel(std::to_string(number));
}

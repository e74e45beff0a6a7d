// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Audience.h"
#include "radio/PortLabel.h"

#include <string>

// What the user is told about the port, in the same words in the window's notice box and on
// the command line.
namespace port_reports {
inline std::string notOpened(const std::string& reason) {
    return "The port could not be opened: " + reason;
}

inline std::string numberRefused(int number, const std::string& reason) {
    return "The port could not be changed to " + portLabel(number) + ": " + reason;
}

inline std::string rateRefused(int rate, const std::string& reason) {
    return "The port refused the rate " + std::to_string(rate) + ": " + reason;
}

inline std::string connectionLost(const std::string& reason, Audience audience) {
    return "The connection to the radio was lost: " + reason + ", then " +
           (audience == Audience::window ? "press Connect." : "run the command again.");
}
} // namespace port_reports

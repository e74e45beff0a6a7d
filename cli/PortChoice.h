// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "cli/Arguments.h"
#include "cli/ExitStatus.h"
#include "platform/SerialPort.h"
#include "platform/SettingsStore.h"

#include <optional>
#include <string>

namespace command_line {
struct PortChoice {
    std::optional<Outcome> problem;
    // Where the port and line settings came from when the request did not give them:
    // "stored port, default line settings"; empty when it gave both.
    std::string origin;
};

// Gives the port the number and line settings of the request, as the port and rate selectors
// would, and those the window stored where it gives none; settings that exist but cannot be read
// are a problem then. A request that names a device or a rigctld instead of a number leaves the
// number alone (the caller has the port open what it names), and one through rigctld the line
// settings too, since rigctld sets the radio's line. The settings are only read: a script never
// changes what the window comes back with.
PortChoice choosePort(SerialPort& port, const Request& request, SettingsStore& settings);
} // namespace command_line

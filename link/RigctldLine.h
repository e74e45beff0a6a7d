// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "link/PortsEntry.h"
#include "link/RigctldAnswers.h"
#include "radio/LineSettings.h"

#include <optional>
#include <string>
#include <vector>

// rigctld drives the radio's line with the model's own settings unless it was started with
// others, and before Hamlib 4.6 it cannot be asked which: the line is read from its capabilities
// and from the command line it was started with.

// rigctld's port when it is started without one.
constexpr int rigctldDefaultPort = 4532;

// The model's line, from the answer to "+\dump_caps" ("Serial speed: 1200..57600 bauds, 8N1"):
// rigctld runs at the highest rate the model takes unless told otherwise.
std::optional<LineSettings> rigctldModelLine(const RigctldAnswers::Answer& capabilities);

// Where a rigctld started with these arguments (the program first) listens, as a program on this
// computer reaches it: an address that means every address is reached as localhost.
RigctldEntry rigctldListening(const std::vector<std::string>& commandLine);

// Whether a rigctld started with these arguments listens on this TCP port.
bool rigctldListensOn(const std::vector<std::string>& commandLine, int port);

// The line a rigctld started with these arguments drives: the model's, changed by its options
// -s/--serial-speed and -C/--set-conf (serial_speed, data_bits, stop_bits, serial_parity).
// Nothing when an option is given a value no serial line takes.
std::optional<LineSettings> rigctldLine(const std::vector<std::string>& commandLine,
                                        const LineSettings& modelLine);

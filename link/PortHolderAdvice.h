// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Audience.h"

#include <string>
#include <vector>

// What the reader can do about the program that holds Com number's device, by the program's
// name and command line (empty where the system does not show it): ". Close it, ..."; the
// programs that take serial ports unasked have advice of their own, and a rigctld is offered
// as the way to share the radio.
std::string holderAdvice(const std::string& program, const std::vector<std::string>& commandLine,
                         int number, Audience audience);

// The address to reach a rigctld at, from its command line ("rigctld -m 2014 -r /dev/ttyUSB0
// -T 127.0.0.1"): its listening address (-T, --listen-addr), or localhost where it listens on
// every address, and its port (-t, --port, 4532 by default), as a ports file writes it:
// "127.0.0.1:4532".
std::string rigctldAddress(const std::vector<std::string>& commandLine);

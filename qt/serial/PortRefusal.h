// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <optional>
#include <string>

// How another program's hold on a serial device is found and told, which differs by system.
// name: the port as the user knows it, "Com 3 (/dev/ttyUSB0)"; number: its Com number.

// Before opening: the program that has said it holds device and is still running, told with
// what to do; nullopt when none has, or where the system keeps no such record.
std::optional<std::string> heldElsewhere(const std::string& device, const std::string& name,
                                         int number);

// After the system refused device for want of rights or because it is in use (reason: the
// system's words, after the name): who holds it and what the user can do.
std::string refusalReport(const std::string& device, const std::string& name, int number,
                          const std::string& reason);

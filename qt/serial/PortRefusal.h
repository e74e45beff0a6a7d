// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Audience.h"
#include "system/DeviceClaim.h"

#include <optional>
#include <string>

// How another program's hold on a serial device is found and told, which differs by system.
// name: the port as the reader knows it, "Com 3 (/dev/ttyUSB0)"; number: its Com number, or
// namedWay where a script named the device; audience: who is told what to do.

// Before the port opens device: claims it for this process unless another program has it (one
// that said so in a lock file, that the system shows with the device open or locked, or that
// keeps it by a lock or exclusive mode). nullopt when claim now holds the device; else who has
// it and what to do, with nothing written to the device.
std::optional<std::string> claimDevice(DeviceClaim& claim, const std::string& device,
                                       const std::string& name, int number, Audience audience);

// After the system refused device for want of rights or because it is in use (reason: the
// system's words, after the name): who holds it and what the reader can do.
std::string refusalReport(const std::string& device, const std::string& name, int number,
                          Audience audience, const std::string& reason);

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>
#include <vector>

// The order in which serial devices get port numbers: USB adapters first (ttyUSB by number,
// then ttyACM by number), then every other device in the order the system listed it, so that
// plugging in an adapter does not renumber it behind the built-in ports.
std::vector<std::string> numberedSerialDevices(std::vector<std::string> systemLocations);

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Audience.h"

#include <string>
#include <vector>

// What the reader can do about the program that holds Com number's device, by the program's
// name and command line (empty where the system does not show it): ". Close it, ..."; the
// programs that take serial ports unasked have advice of their own, and a rigctld is offered
// as the way to share the radio, through portsFile (the file for Com number, as the user finds
// it) in the window.
std::string holderAdvice(const std::string& program, const std::vector<std::string>& commandLine,
                         int number, const std::string& portsFile, Audience audience);

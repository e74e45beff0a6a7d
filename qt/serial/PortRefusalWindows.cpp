// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/PortHolderAdvice.h"
#include "qt/serial/PortRefusal.h"

// Windows itself gives a port to one program at a time, so no program leaves a record of its
// own and the port's open is the only claim.
std::optional<std::string> claimDevice(DeviceClaim&, const std::string&, const std::string&, int,
                                       Audience) {
    return std::nullopt;
}

// "Access is denied" is how Windows refuses a port that another program has open; a user needs
// no rights of their own for a COM port. Windows does not say which program has it.
std::string refusalReport(const std::string&, const std::string&, int number, Audience audience,
                          const std::string& reason) {
    return reason +
           ": another program has the port, such as a logging, digital-mode or rig control "
           "program" +
           holderAdvice({}, {}, number, {}, audience);
}

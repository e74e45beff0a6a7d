// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Result.h"

#include <string>

// What the window's port reaches the radio through once open: a serial device, or a rigctld
// that shares the radio. How each opens differs; the rest is the same.
class PortLink {
public:
    virtual ~PortLink() = default;

    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Only while open.
    virtual Result write(const std::string& text) = 0;
    virtual bool isLineBusy() const = 0;
    virtual std::string readInput() = 0;
    // What the port opened, for the user: "/dev/ttyUSB0 (FT232R USB UART, FTDI, A50285BI)".
    virtual const std::string& description() const = 0;
    // Closes without telling anyone, for the program's end.
    virtual void release() = 0;
};

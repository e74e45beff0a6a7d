// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <string>

// What was written and may not have reached the radio: the link answered it with a failure, or
// did not answer in time.
struct SendFailure {
    // What happened and what to check, after the port's name.
    std::string reason;
    // The radio itself refused it, rather than the way to it failing.
    bool byRadio = false;
};

// What the serial port tells the window. Always called from the window's event loop,
// never from inside the port operation that caused it.
class SerialPortListener {
public:
    virtual ~SerialPortListener() = default;
    // Everything written has left the send queue.
    virtual void sendQueueDrained() = 0;
    // Received characters are waiting to be read.
    virtual void inputWaiting() = 0;
    // The open port was lost (device removed, hang-up, rigctld gone) and has been closed;
    // reason says what happened and what to check.
    virtual void portLost(const std::string& reason) = 0;
    // An open that setOpen(true) left under way has succeeded: the port is open now.
    virtual void portOpened() = 0;
    // An open that setOpen(true) left under way has failed; the port is closed.
    virtual void openFailed(const std::string& reason) = 0;
    // Something written may not have reached the radio; the port stays open.
    virtual void sendFailed(const SendFailure& failure) = 0;
};

// The window's one serial port.
class SerialPort {
public:
    static constexpr std::size_t sendQueueSize = 512;
    static constexpr std::size_t receiveQueueSize = 1024;

    virtual ~SerialPort() = default;

    virtual void setListener(SerialPortListener* listener) = 0;

    // Selects the device that the next open uses; never opens anything.
    virtual Result setPortNumber(std::int16_t number) = 0;
    virtual std::int16_t portNumber() const = 0;
    // "rate,parity,data bits,stop bits"; applied at once when open, else at the next open.
    virtual Result setLineSettings(const std::string& text) = 0;
    virtual std::string lineSettings() const = 0;
    virtual bool isOpen() const = 0;
    // Opens at once, or where the device needs an exchange first (rigctld), starts it and
    // returns: the port is then opening until the listener hears portOpened or openFailed.
    // Closing while opening gives the open up, and neither is heard.
    virtual Result setOpen(bool open) = 0;
    virtual bool isOpening() const = 0;
    // Queues the text, one byte per character, whole or not at all; never waits for the line.
    virtual Result write(const std::string& text) = 0;
    // Whether what was written still occupies the line, so that a write now would only wait
    // behind it.
    virtual bool isLineBusy() const = 0;
    // Every waiting received character in arrival order; empties the receive queue.
    virtual std::string readInput() = 0;

    // Whether the line settings reach the radio's line: false while the port is open through
    // rigctld, which sets the radio's line itself.
    virtual bool lineSettingsApply() const { return true; }
    // The settings the radio's line runs at while open, in the same comma form: those given,
    // or through rigctld those it drives the line with, followed by where they come from when
    // rigctld could not tell ("4800,n,8,2 (the rate selector's; ...)").
    virtual std::string lineInUse() const { return lineSettings(); }
    // Whether other programs reach the radio through the same link (rigctld): commands written
    // apart may then have theirs between them, and the radio's answer to a command comes back
    // with rigctld's answer to it, or not at all.
    virtual bool isShared() const { return false; }

    // The device the last open chose, with what the system knows of it:
    // "/dev/ttyUSB0 (FT232R USB UART, FTDI, A50285BI)", or the rigctld reached and its radio:
    // "rigctld at localhost:4532, Kenwood TS-2000"; empty before any open.
    virtual std::string device() const = 0;
};

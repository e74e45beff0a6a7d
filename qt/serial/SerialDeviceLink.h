// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "link/ParityMarks.h"
#include "link/PortsEntry.h"
#include "platform/Audience.h"
#include "platform/Result.h"
#include "platform/SerialPort.h"
#include "qt/serial/PortLink.h"
#include "radio/LineSettings.h"
#include "radio/LineTime.h"
#include "system/DeviceClaim.h"

#include <QSerialPort>
#include <QString>
#include <chrono>
#include <functional>

// The radio on a serial device, through QSerialPort, opened only when no other program has it
// and claimed for this process while open. Events reach the listener from the event loop only.
class SerialDeviceLink : public PortLink {
public:
    // audience: who is told what to do about a device that cannot be used.
    SerialDeviceLink(SerialPortListener& listener, Audience audience);

    // number: Com number, for the reports, or namedWay. otherChoices: what to offer when the
    // device is absent.
    Result open(const SerialDeviceEntry& entry, const LineSettings& settings, int number,
                const std::function<std::string()>& otherChoices);
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    // Applied at once when open; refused settings leave the line as it was.
    Result apply(const LineSettings& settings);
    Result write(const std::string& text) override;
    bool isLineBusy() const override;
    std::string readInput() override;
    const std::string& description() const override { return description_; }
    void release() override;

private:
    Result refusal(const std::function<std::string()>& otherChoices);
    Result configure(const LineSettings& settings);
    void markParityErrors();
    void errorOccurred(QSerialPort::SerialPortError error);
    std::size_t systemQueued() const;
    // How long the handshake has held back what is queued; zero while the line moves.
    std::chrono::steady_clock::duration heldBack() const;
    // "Com 3 (/dev/ttyUSB0)", the name the user knows the port by; the device alone where a
    // script named it.
    std::string name() const;

    SerialPortListener& listener_;
    Audience audience_;
    QSerialPort port_;
    DeviceClaim claim_;
    int number_ = 1;
    QString device_;
    std::string description_;
    LineSettings settings_;
    ParityMarks marks_;
    LineClock line_;
    bool marking_ = false;
    bool handshake_ = false;
    // The output queue as last seen, and since when it has not moved.
    mutable std::size_t lastQueued_ = 0;
    mutable std::chrono::steady_clock::time_point queueMoved_{};
};

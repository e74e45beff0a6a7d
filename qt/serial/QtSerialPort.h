// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "link/PortsEntry.h"
#include "platform/SerialPort.h"
#include "qt/serial/RigctldLink.h"
#include "qt/serial/SerialDeviceLink.h"
#include "radio/LineSettings.h"

#include <QString>
#include <functional>
#include <optional>

// The window's port: at each open, what the ports folder says for the number decides whether
// it is a serial device (QSerialPort) or a rigctld (a TCP connection). Events reach the listener
// from the event loop only.
class QtSerialPort : public SerialPort, private SerialPortListener {
public:
    // Port files are looked up in the "ports" folder beside the settings file, found at
    // each open so that it follows the user's configuration folder.
    QtSerialPort() = default;
    // audience: who is told what to do about a port that cannot be used.
    explicit QtSerialPort(Audience audience);

    void setListener(SerialPortListener* listener) override { listener_ = listener; }
    Result setPortNumber(std::int16_t number) override;
    // Opens way, as a line of the ports folder names it, instead of a numbered port, until a
    // number is set again; the number is then namedWay.
    void setNamedWay(const PortsEntry& way);
    std::int16_t portNumber() const override { return number_; }
    Result setLineSettings(const std::string& text) override;
    std::string lineSettings() const override { return settings_.text(); }
    bool isOpen() const override;
    Result setOpen(bool open) override;
    bool isOpening() const override;
    Result write(const std::string& text) override;
    bool isLineBusy() const override;
    std::string readInput() override;
    bool lineSettingsApply() const override { return !isOpen() || link_ == &serial_; }
    std::string lineInUse() const override;
    bool isShared() const override;
    std::string device() const override { return description_; }

    // At the program's end, when no handler may run any more: gives the descriptor, the
    // device's lock file and the connection back to the system and tells nobody.
    void release();

private:
    Result open();
    // Passes an event of the link on to the listener, when there is one.
    void tell(const std::function<void(SerialPortListener&)>& event);
    void sendQueueDrained() override;
    void inputWaiting() override;
    void portLost(const std::string& reason) override;
    void portOpened() override;
    void openFailed(const std::string& reason) override;
    void sendFailed(const SendFailure& failure) override;

    Audience audience_ = Audience::window;
    SerialPortListener* listener_ = nullptr;
    std::int16_t number_ = 1;
    std::optional<PortsEntry> namedWay_;
    LineSettings settings_;
    std::string description_;
    SerialDeviceLink serial_{*this, audience_};
    RigctldLink rigctld_{*this};
    // The one of them that opened last.
    PortLink* link_ = &serial_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "app/MainWindow.h"
#include "qt/QtEventLoop.h"
#include "qt/serial/QtSerialPort.h"
#include "qt/timers/TimerDriver.h"
#include "tests/doubles/MemorySettingsStore.h"
#include "tests/doubles/RecordedMessageBox.h"
#include "tests/doubles/ScriptedFileDialog.h"
#include "tests/support/ComPortLink.h"
#include "tests/support/SimulatedRadio.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The window's serial port with a tally of what it took and what it refused. Everything else
// goes straight through to the real port.
//
// The real port keeps its send queue to itself, so the tally also bounds the queue from
// outside: what the port took since the queue was last empty (the start, or the port's
// drained event), less every byte this thread has written since then. Qt writes to the device
// on this thread, and the thread's other writes (event loop wake-ups) only make the figure
// lower, so it never shows a queue larger than the real one.
class WatchedPort : public SerialPort, private SerialPortListener {
public:
    explicit WatchedPort(SerialPort& port);

    void setListener(SerialPortListener* listener) override;
    Result setPortNumber(std::int16_t number) override { return port_.setPortNumber(number); }
    std::int16_t portNumber() const override { return port_.portNumber(); }
    Result setLineSettings(const std::string& text) override { return port_.setLineSettings(text); }
    std::string lineSettings() const override { return port_.lineSettings(); }
    bool isOpen() const override { return port_.isOpen(); }
    Result setOpen(bool open) override { return port_.setOpen(open); }
    bool isOpening() const override { return port_.isOpening(); }
    Result write(const std::string& text) override;
    bool isLineBusy() const override { return port_.isLineBusy(); }
    std::string readInput() override { return port_.readInput(); }
    std::string device() const override { return port_.device(); }

    // Only while the send queue is empty.
    void restartTally();
    std::size_t acceptedBytes() const { return acceptedBytes_; }
    std::size_t refusedWrites() const { return refusedWrites_; }
    // The queue is fullest right after a write it took, so that is where it is measured.
    long long largestQueue() const { return largestQueue_; }

private:
    void sendQueueDrained() override;
    void inputWaiting() override;
    void portLost(const std::string& reason) override;
    void portOpened() override;
    void openFailed(const std::string& reason) override;
    void sendFailed(const SendFailure& failure) override;
    void tell(const std::function<void(SerialPortListener&)>& event);
    void queueIsEmpty();

    SerialPort& port_;
    SerialPortListener* listener_ = nullptr;
    std::size_t acceptedBytes_ = 0;
    std::size_t refusedWrites_ = 0;
    long long largestQueue_ = 0;
    std::size_t acceptedWhenEmpty_ = 0;
    long long writtenWhenEmpty_ = 0;
};

// Takes every report out of the notice box as it arrives, as a reader would, so that each one
// counts even when it repeats the line before it word for word. Keeps a count per distinct
// text rather than the lines, so that a long soak does not grow the test's own memory.
class Notices {
public:
    void watch(TextBox& box);
    int count(std::string_view containing) const;

private:
    std::map<std::string, int> counts_;
};

// The window on the real serial port, event loop and timers, connected at 19200 baud to a
// simulated radio linked as Com 3, with the sample "Kestrum PRO" in the store. Settings, file
// dialog and message box are doubles: they play no part on the link. Needs a
// QCoreApplication.
class SerialRig {
public:
    static constexpr int radioPort = 3;

    SerialRig();
    ~SerialRig();
    SerialRig(const SerialRig&) = delete;
    SerialRig& operator=(const SerialRig&) = delete;

    MainWindow& window() { return *window_; }
    bool connected() const;
    // The radio is back on a new device; the link follows it.
    void relinkRadio();

    // The two commands of one Update of the sample.
    static std::string urCommand();
    static std::string utCommand();

private:
    // Built before the watcher that wraps it, gone after the window that uses it.
    QtSerialPort serialPort_;

public:
    ComPortLink link;
    SimulatedRadio radio;
    WatchedPort port{serialPort_};
    Notices notices;

private:
    MemorySettingsStore settings_;
    ScriptedFileDialog dialog_;
    RecordedMessageBox messages_;
    QtEventLoop loop_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<TimerDriver> resendClock_;
    std::unique_ptr<TimerDriver> lampClock_;
};

// Runs the event loop, as the idle program does, for the given time.
void runFor(std::chrono::milliseconds duration);
// Runs the event loop until done() holds or the time is up; returns done().
bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

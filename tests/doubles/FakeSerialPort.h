// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/SerialPort.h"
#include "radio/LineSettings.h"
#include "tests/doubles/QueuedEventLoop.h"

#include <deque>
#include <set>
#include <string>
#include <vector>

// A serial port whose device a test scripts: which numbers and settings it refuses, whether
// it opens, which writes fail, what arrives. Its events go through the queued event loop.
class FakeSerialPort : public SerialPort {
public:
    explicit FakeSerialPort(QueuedEventLoop& loop) : loop_(loop) {}

    // Script.
    std::set<std::int16_t> refusedNumbers;
    std::set<std::string> refusedSettings;
    std::string openFailure; // non-empty: every open fails with it
    bool opensLater = false; // an open is left under way, as rigctld's is, until finishOpening
    std::deque<bool> writeOutcomes; // front: whether the next write succeeds
    bool drainsAfterWrite = true;   // posts a send event after each accepted write
    std::string deviceFound = "/dev/ttyUSB0 (USB serial adapter)"; // what each open finds
    bool lineBusy = false; // what was written has not yet left

    // Record.
    std::vector<std::string> written;
    std::vector<std::string> calls;

    void arrive(const std::string& text) {
        received_ += text;
        loop_.post([this] {
            if (listener_) {
                listener_->inputWaiting();
            }
        });
    }
    // The send queue drains, as it does after every accepted write unless drainsAfterWrite is
    // unset.
    void postDrained() {
        loop_.post([this] {
            if (listener_) {
                listener_->sendQueueDrained();
            }
        });
    }
    // The open under way ends: opened, or failed for reason.
    void finishOpening(const std::string& failure = {}) {
        loop_.post([this, failure] {
            if (!opening_) {
                return;
            }
            opening_ = false;
            open_ = failure.empty();
            device_ = open_ ? deviceFound : "";
            if (listener_ && open_) {
                listener_->portOpened();
            } else if (listener_) {
                listener_->openFailed(failure);
            }
        });
    }
    void failSend(const SendFailure& failure) {
        loop_.post([this, failure] {
            if (listener_) {
                listener_->sendFailed(failure);
            }
        });
    }
    void loseConnection(const std::string& reason) {
        open_ = false;
        loop_.post([this, reason] {
            if (listener_) {
                listener_->portLost(reason);
            }
        });
    }
    std::string allWritten() const {
        std::string bytes;
        for (const auto& text : written) {
            bytes += text;
        }
        return bytes;
    }
    const std::string& waitingInput() const { return received_; }

    void setListener(SerialPortListener* listener) override { listener_ = listener; }

    Result setPortNumber(std::int16_t number) override {
        calls.push_back("setPortNumber " + std::to_string(number));
        if (refusedNumbers.count(number) != 0) {
            return Result::failure("no port " + std::to_string(number));
        }
        number_ = number;
        return Result::success();
    }
    std::int16_t portNumber() const override { return number_; }

    Result setLineSettings(const std::string& text) override {
        calls.push_back("setLineSettings " + text);
        const ParsedLineSettings parsed = parseLineSettings(text);
        if (refusedSettings.count(text) != 0) {
            return Result::failure("the device refused " + text);
        }
        if (!parsed.settings) {
            return Result::failure(parsed.failure);
        }
        settings_ = *parsed.settings;
        return Result::success();
    }
    std::string lineSettings() const override { return settings_.text(); }

    bool isOpen() const override { return open_; }
    Result setOpen(bool open) override {
        calls.push_back(open ? "open" : "close");
        if (open && !openFailure.empty()) {
            return Result::failure(openFailure);
        }
        opening_ = open && opensLater;
        open_ = open && !opensLater;
        if (open_) {
            device_ = deviceFound;
        }
        return Result::success();
    }
    bool isOpening() const override { return opening_; }

    Result write(const std::string& text) override {
        calls.push_back("write");
        if (!open_) {
            return Result::failure("the port is not open");
        }
        if (!writeOutcomes.empty()) {
            const bool accepted = writeOutcomes.front();
            writeOutcomes.pop_front();
            if (!accepted) {
                return Result::failure("the send queue is full");
            }
        }
        written.push_back(text);
        if (drainsAfterWrite) {
            postDrained();
        }
        return Result::success();
    }

    bool isLineBusy() const override { return lineBusy; }

    std::string readInput() override {
        std::string input;
        input.swap(received_);
        return input;
    }

    std::string device() const override { return device_; }

private:
    QueuedEventLoop& loop_;
    SerialPortListener* listener_ = nullptr;
    std::int16_t number_ = 1;
    LineSettings settings_;
    bool open_ = false;
    bool opening_ = false;
    std::string received_;
    std::string device_;
};

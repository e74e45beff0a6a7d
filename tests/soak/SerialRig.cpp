// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "tests/soak/SerialRig.h"

#include "sentence/Samples.h"
#include "tests/support/ProcessFigures.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace {
constexpr int comThreeItem = SerialRig::radioPort - 1;
constexpr int rate19200Item = 2;
constexpr int sampleItem = 3;
constexpr auto checkEvery = std::chrono::milliseconds(5);
} // namespace

WatchedPort::WatchedPort(SerialPort& port) : port_(port) {
    port_.setListener(this);
    restartTally();
}

void WatchedPort::setListener(SerialPortListener* listener) {
    listener_ = listener;
}

Result WatchedPort::write(const std::string& text) {
    Result written = port_.write(text);
    if (!written) {
        ++refusedWrites_;
        return written;
    }
    acceptedBytes_ += text.size();
    const long long sinceEmpty = static_cast<long long>(acceptedBytes_ - acceptedWhenEmpty_);
    const long long left = process::threadBytesWritten() - writtenWhenEmpty_;
    largestQueue_ = std::max(largestQueue_, sinceEmpty - left);
    return written;
}

void WatchedPort::restartTally() {
    acceptedBytes_ = 0;
    refusedWrites_ = 0;
    largestQueue_ = 0;
    queueIsEmpty();
}

void WatchedPort::queueIsEmpty() {
    acceptedWhenEmpty_ = acceptedBytes_;
    writtenWhenEmpty_ = process::threadBytesWritten();
}

void WatchedPort::tell(const std::function<void(SerialPortListener&)>& event) {
    if (listener_) {
        event(*listener_);
    }
}

void WatchedPort::sendQueueDrained() {
    queueIsEmpty();
    tell([](SerialPortListener& listener) { listener.sendQueueDrained(); });
}

void WatchedPort::inputWaiting() {
    tell([](SerialPortListener& listener) { listener.inputWaiting(); });
}

void WatchedPort::portLost(const std::string& reason) {
    tell([&](SerialPortListener& listener) { listener.portLost(reason); });
}

void WatchedPort::portOpened() {
    tell([](SerialPortListener& listener) { listener.portOpened(); });
}

void WatchedPort::openFailed(const std::string& reason) {
    tell([&](SerialPortListener& listener) { listener.openFailed(reason); });
}

void WatchedPort::sendFailed(const SendFailure& failure) {
    tell([&](SerialPortListener& listener) { listener.sendFailed(failure); });
}

void Notices::watch(TextBox& box) {
    box.setObserver([this, &box] {
        if (box.text().empty()) {
            return;
        }
        // A report appends one line to the box, which is emptied each time, so the box holds
        // just the new line: the time it was told, a space, then the problem.
        const std::string& line = box.text();
        const auto space = line.find(' ');
        ++counts_[space == std::string::npos ? line : line.substr(space + 1)];
        box.setText({});
    });
}

int Notices::count(std::string_view containing) const {
    int total = 0;
    for (const auto& [problem, times] : counts_) {
        if (problem.find(containing) != std::string::npos) {
            total += times;
        }
    }
    return total;
}

SerialRig::SerialRig() {
    link.link(radioPort, radio.slavePath());
    window_ = std::make_unique<MainWindow>(Platform{port, settings_, dialog_, messages_, loop_});
    resendClock_ = std::make_unique<TimerDriver>(window_->resendTimer);
    lampClock_ = std::make_unique<TimerDriver>(window_->sendLampTimer);
    notices.watch(window_->noticeBox);

    window_->portSelector.choose(comThreeItem);
    window_->rateSelector.choose(rate19200Item);
    window_->sampleSelector.choose(sampleItem);
    window_->connectButton.press();
}

SerialRig::~SerialRig() = default;

bool SerialRig::connected() const {
    return port.isOpen() && window_->portLamp.fillColour() == colours::red &&
           radio.baudRate() == 19200;
}

void SerialRig::relinkRadio() {
    link.link(radioPort, radio.slavePath());
}

std::string SerialRig::urCommand() {
    return "UR" + std::string(samples::table[sampleItem].sentence) + ";";
}

std::string SerialRig::utCommand() {
    return "UT" + std::string(samples::table[sampleItem].sentence) + ";";
}

void runFor(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    if (done()) {
        return true;
    }
    QEventLoop loop;
    QTimer check;
    check.setInterval(checkEvery);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    check.start();
    loop.exec();
    return done();
}

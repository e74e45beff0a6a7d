// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/QtSerialPort.h"

#include "qt/ProgramFolder.h"
#include "qt/serial/PortDevice.h"
#include "radio/PortLabel.h"

QtSerialPort::QtSerialPort(Audience audience) : audience_(audience) {}

Result QtSerialPort::setPortNumber(std::int16_t number) {
    if (number < lowestPortNumber || number > highestPortNumber) {
        return Result::failure("Port number " + std::to_string(number) + " is not between " +
                               std::to_string(lowestPortNumber) + " and " +
                               std::to_string(highestPortNumber));
    }
    number_ = number;
    namedWay_.reset();
    return Result::success();
}

void QtSerialPort::setNamedWay(const PortsEntry& way) {
    number_ = namedWay;
    namedWay_ = way;
}

Result QtSerialPort::setLineSettings(const std::string& text) {
    const ParsedLineSettings parsed = parseLineSettings(text);
    if (!parsed.settings) {
        return Result::failure(parsed.failure);
    }
    if (Result applied = serial_.apply(*parsed.settings); !applied) {
        return applied;
    }
    settings_ = *parsed.settings;
    return Result::success();
}

bool QtSerialPort::isOpen() const {
    return link_->isOpen();
}

bool QtSerialPort::isOpening() const {
    return link_ == &rigctld_ && rigctld_.isOpening();
}

Result QtSerialPort::setOpen(bool open) {
    const bool openOrOpening = isOpen() || isOpening();
    if (open == openOrOpening) {
        return Result::success();
    }
    if (!open) {
        link_->close();
        return Result::success();
    }
    return this->open();
}

Result QtSerialPort::open() {
    const QString folder = programFolderPath("ports");
    const std::optional<PortsEntry> entry = namedWay_ ? namedWay_ : entryForPort(number_, folder);
    description_.clear();
    if (!entry) {
        return Result::failure(portLabel(number_) +
                               ": no serial device is present for this number" + ". " +
                               portChoices(folder));
    }
    if (const auto* problem = std::get_if<PortsEntryProblem>(&*entry)) {
        return Result::failure(portLabel(number_) + " opens nothing: " + problem->report);
    }
    if (const auto* rigctld = std::get_if<RigctldEntry>(&*entry)) {
        link_ = &rigctld_;
        rigctld_.open(*rigctld, number_, settings_);
        return Result::success();
    }
    link_ = &serial_;
    Result opened = serial_.open(std::get<SerialDeviceEntry>(*entry), settings_, number_,
                                 [&] { return ". " + portChoices(folder); });
    description_ = serial_.description();
    return opened;
}

Result QtSerialPort::write(const std::string& text) {
    if (!isOpen()) {
        return Result::failure(portLabel(number_) + " is not open");
    }
    return link_->write(text);
}

std::string QtSerialPort::lineInUse() const {
    if (isShared()) {
        return rigctld_.lineInUse();
    }
    return settings_.text();
}

bool QtSerialPort::isShared() const {
    return link_ == &rigctld_ && rigctld_.isOpen();
}

bool QtSerialPort::isLineBusy() const {
    return link_->isLineBusy();
}

std::string QtSerialPort::readInput() {
    return link_->readInput();
}

void QtSerialPort::tell(const std::function<void(SerialPortListener&)>& event) {
    if (listener_) {
        event(*listener_);
    }
}

void QtSerialPort::sendQueueDrained() {
    tell([](SerialPortListener& listener) { listener.sendQueueDrained(); });
}

void QtSerialPort::inputWaiting() {
    tell([](SerialPortListener& listener) { listener.inputWaiting(); });
}

void QtSerialPort::portLost(const std::string& reason) {
    tell([&](SerialPortListener& listener) { listener.portLost(reason); });
}

// Which rigctld and radio an open reached is known only once it has answered.
void QtSerialPort::portOpened() {
    description_ = link_->description();
    tell([](SerialPortListener& listener) { listener.portOpened(); });
}

void QtSerialPort::openFailed(const std::string& reason) {
    tell([&](SerialPortListener& listener) { listener.openFailed(reason); });
}

void QtSerialPort::sendFailed(const SendFailure& failure) {
    tell([&](SerialPortListener& listener) { listener.sendFailed(failure); });
}

void QtSerialPort::release() {
    listener_ = nullptr;
    serial_.release();
    rigctld_.release();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/QtSerialPort.h"

#include "qt/ProgramFolder.h"
#include "qt/serial/PortDevice.h"
#include "radio/PortLabel.h"

namespace {
constexpr int lowestPort = 1;
// Windows numbers its ports up to COM256.
constexpr int highestPort = 256;

} // namespace

QtSerialPort::QtSerialPort() : QtSerialPort(QString{}) {}

QtSerialPort::QtSerialPort(QString portsFolder) : portsFolder_(std::move(portsFolder)) {}

Result QtSerialPort::setPortNumber(std::int16_t number) {
    if (number < lowestPort || number > highestPort) {
        return Result::failure("Port number " + std::to_string(number) + " is not between " +
                               std::to_string(lowestPort) + " and " + std::to_string(highestPort));
    }
    number_ = number;
    return Result::success();
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

Result QtSerialPort::setOpen(bool open) {
    if (open == isOpen()) {
        return Result::success();
    }
    if (!open) {
        link_->close();
        return Result::success();
    }
    return this->open();
}

Result QtSerialPort::open() {
    const QString folder = portsFolder_.isEmpty() ? programFolderPath("ports") : portsFolder_;
    const std::optional<PortsEntry> entry = entryForPort(number_, folder);
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
        Result opened = rigctld_.open(*rigctld, number_);
        description_ = rigctld_.description();
        return opened;
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

bool QtSerialPort::isLineBusy() const {
    return link_->isLineBusy();
}

std::string QtSerialPort::readInput() {
    return link_->readInput();
}

void QtSerialPort::sendQueueDrained() {
    if (listener_) {
        listener_->sendQueueDrained();
    }
}

void QtSerialPort::inputWaiting() {
    if (listener_) {
        listener_->inputWaiting();
    }
}

void QtSerialPort::portLost(const std::string& reason) {
    if (listener_) {
        listener_->portLost(reason);
    }
}

void QtSerialPort::release() {
    listener_ = nullptr;
    serial_.release();
    rigctld_.release();
}

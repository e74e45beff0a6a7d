// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/SerialDeviceLink.h"

#include "qt/serial/PortDevice.h"
#include "qt/serial/PortRefusal.h"
#include "qt/serial/PortsFolder.h"
#include "qt/serial/TerminalOptions.h"
#include "radio/PortLabel.h"
#include "system/OutputQueue.h"

#include <QFileInfo>
#include <QMetaObject>
#include <string_view>

namespace {
using namespace std::chrono_literals;
// A radio that holds back what is sent longer than this is off, or the cable has no handshake.
constexpr auto heldBackLimit = 2s;

QSerialPort::Parity qtParity(LineSettings::Parity parity) {
    switch (parity) {
    case LineSettings::Parity::even:
        return QSerialPort::EvenParity;
    case LineSettings::Parity::odd:
        return QSerialPort::OddParity;
    case LineSettings::Parity::mark:
        return QSerialPort::MarkParity;
    case LineSettings::Parity::space:
        return QSerialPort::SpaceParity;
    case LineSettings::Parity::none:
        break;
    }
    return QSerialPort::NoParity;
}
} // namespace

SerialDeviceLink::SerialDeviceLink(SerialPortListener& listener, Audience audience)
    : listener_(listener), audience_(audience) {
    port_.setReadBufferSize(static_cast<qint64>(SerialPort::receiveQueueSize));
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { listener_.inputWaiting(); });
    QObject::connect(&port_, &QSerialPort::bytesWritten, &port_, [this] {
        if (port_.bytesToWrite() == 0) {
            listener_.sendQueueDrained();
        }
    });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { errorOccurred(error); });
}

Result SerialDeviceLink::open(const SerialDeviceEntry& entry, const LineSettings& settings,
                              int number, const std::function<std::string()>& otherChoices) {
    number_ = number;
    // A /dev/serial/by-id name is shown, and locked, as the device it stands for.
    const QString written = QString::fromStdString(entry.device);
    const QString real = QFileInfo(written).canonicalFilePath();
    device_ = real.isEmpty() ? written : real;
    handshake_ = entry.handshake;
    description_ =
        describedDevice(device_).toStdString() + (handshake_ ? " with RTS/CTS handshake" : "");
    settings_ = settings;
    if (auto held = claimDevice(claim_, device_.toStdString(), name(), number_, audience_)) {
        return Result::failure(std::move(*held));
    }
    port_.setPortName(device_);
    port_.setFlowControl(handshake_ ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
    // Settings given to a closed port are only kept; the open applies them.
    static_cast<void>(configure(settings_));
    if (!port_.open(QIODevice::ReadWrite)) {
        claim_.release();
        return refusal(otherChoices);
    }
    claim_.excludeOthers();
    // A radio may wait for these before it listens; with handshake RTS is the line's own.
    // Devices without modem lines (a pseudo-terminal) refuse them, which costs nothing.
    port_.setDataTerminalReady(true);
    if (!handshake_) {
        port_.setRequestToSend(true);
    }
    port_.clearError();
    line_.reset();
    marks_.reset();
    lastQueued_ = 0;
    markParityErrors();
    return Result::success();
}

// Why the device did not open, with whoever holds it where the system says.
Result SerialDeviceLink::refusal(const std::function<std::string()>& otherChoices) {
    const std::string reason = name() + ": " + port_.errorString().toStdString();
    if (port_.error() == QSerialPort::DeviceNotFoundError) {
        return Result::failure(reason + otherChoices());
    }
    if (port_.error() != QSerialPort::PermissionError) {
        return Result::failure(reason);
    }
    return Result::failure(
        refusalReport(device_.toStdString(), name(), number_, audience_, reason));
}

Result SerialDeviceLink::apply(const LineSettings& settings) {
    if (!port_.isOpen()) {
        settings_ = settings;
        return Result::success();
    }
    if (Result applied = configure(settings); !applied) {
        static_cast<void>(configure(settings_));
        markParityErrors();
        return applied;
    }
    settings_ = settings;
    markParityErrors();
    return Result::success();
}

Result SerialDeviceLink::configure(const LineSettings& settings) {
    const bool applied =
        port_.setBaudRate(settings.rate) &&
        port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) &&
        port_.setParity(qtParity(settings.parity)) &&
        port_.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    if (!applied) {
        const std::string why = port_.errorString().toStdString();
        port_.clearError();
        return Result::failure(name() + " refused the line settings " + settings.text() + ": " +
                               why);
    }
    return Result::success();
}

void SerialDeviceLink::markParityErrors() {
#ifdef Q_OS_UNIX
    const bool wasMarking = marking_;
    marking_ = ::markParityErrors(static_cast<int>(port_.handle()),
                                  settings_.parity != LineSettings::Parity::none);
    if (marking_ && !wasMarking) {
        marks_.reset();
    }
#else
    marking_ = false;
#endif
}

Result SerialDeviceLink::write(const std::string& text) {
    if (heldBack() > heldBackLimit) {
        const std::string withoutHandshake =
            number_ == namedWay ? "leave out --rtscts"
                                : "remove \"rtscts\" from " + shownPortsFile(number_);
        return Result::failure(name() +
                               ": the radio has held back what was sent for more than 2 seconds "
                               "(CTS low). The radio may be off, or the cable is not wired for "
                               "RTS/CTS handshake: then " +
                               withoutHandshake);
    }
    const auto waiting = static_cast<std::size_t>(port_.bytesToWrite());
    if (waiting + text.size() > SerialPort::sendQueueSize) {
        // No counts in the text: the same condition must read the same each time it is told.
        return Result::failure(name() + ": the send queue is full, the radio is not taking "
                                        "what is sent");
    }
    const auto size = static_cast<qint64>(text.size());
    if (port_.write(text.data(), size) != size) {
        return Result::failure(name() + ": " + port_.errorString().toStdString());
    }
    line_.wrote(text.size(), settings_, LineClock::Clock::now(), systemQueued());
    return Result::success();
}

// A line held back past the limit is not busy: the next write is refused and says why, where
// waiting would keep the user in the dark.
bool SerialDeviceLink::isLineBusy() const {
    return port_.isOpen() && heldBack() <= heldBackLimit &&
           line_.isBusy(LineClock::Clock::now(), systemQueued());
}

std::chrono::steady_clock::duration SerialDeviceLink::heldBack() const {
    if (!handshake_) {
        return {};
    }
    const std::size_t queued = systemQueued();
    const auto now = std::chrono::steady_clock::now();
    if (queued == 0 || lastQueued_ == 0 || queued < lastQueued_) {
        queueMoved_ = now;
    }
    lastQueued_ = queued;
    return now - queueMoved_;
}

std::size_t SerialDeviceLink::systemQueued() const {
    return port_.isOpen() ? outputQueued(port_.handle()) : 0;
}

void SerialDeviceLink::close() {
    port_.close();
    claim_.release();
}

void SerialDeviceLink::release() {
    QObject::disconnect(&port_, nullptr, nullptr, nullptr);
    close();
}

std::string SerialDeviceLink::readInput() {
    if (!port_.isOpen()) {
        return {};
    }
    const QByteArray bytes = port_.readAll();
    const std::string_view received(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return marking_ ? marks_.decode(received) : std::string(received);
}

void SerialDeviceLink::errorOccurred(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        break;
    default:
        return;
    }
    if (!port_.isOpen()) {
        return;
    }
    // A dead descriptor keeps raising errors until it is closed. Qt's text for these is taken
    // from a stale errno and would mislead, so the reason is said in our own words.
    const std::string reason = name() + ": the device was lost (unplugged or hung up); the "
                                        "port is closed. Check the cable";
    close();
    QMetaObject::invokeMethod(
        &port_, [this, reason] { listener_.portLost(reason); }, Qt::QueuedConnection);
}

std::string SerialDeviceLink::name() const {
    return portName(number_, device_.toStdString());
}

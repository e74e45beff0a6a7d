#include "platform/qt/serial/QtSerialPort.h"

#include "platform/qt/ProgramFolder.h"
#include "platform/qt/serial/PortDevice.h"
#include "platform/qt/serial/TerminalOptions.h"
#include "radio/PortLabel.h"

#include <QMetaObject>
#include <string_view>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace {
constexpr int lowestPort = 1;
constexpr int highestPort = 255;

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

// What the user can choose instead of a number that leads to no device.
std::string otherChoices(const QString& portsFolder) {
    const QString numbers = numbersWithDevices(portsFolder);
    if (numbers.isEmpty()) {
        return ". No number leads to a serial device that is present: check that the adapter "
               "is plugged in, and its cable";
    }
    return ". " + numbers.toStdString();
}
} // namespace

QtSerialPort::QtSerialPort() : QtSerialPort(QString{}) {}

QtSerialPort::QtSerialPort(QString portsFolder) : portsFolder_(std::move(portsFolder)) {
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(static_cast<qint64>(receiveQueueSize));
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] {
        if (listener_) {
            listener_->portEvent(receiveEvent);
        }
    });
    QObject::connect(&port_, &QSerialPort::bytesWritten, &port_, [this] {
        if (port_.bytesToWrite() == 0 && listener_) {
            listener_->portEvent(sendEvent);
        }
    });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { errorOccurred(error); });
}

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
    if (port_.isOpen()) {
        if (Result applied = configure(*parsed.settings); !applied) {
            static_cast<void>(configure(settings_));
            markParityErrors();
            return applied;
        }
    }
    settings_ = *parsed.settings;
    if (port_.isOpen()) {
        markParityErrors();
    }
    return Result::success();
}

Result QtSerialPort::setOpen(bool open) {
    if (open == port_.isOpen()) {
        return Result::success();
    }
    if (!open) {
        port_.close();
        return Result::success();
    }
    return this->open();
}

Result QtSerialPort::open() {
    const QString folder = portsFolder_.isEmpty() ? programFolderPath("ports") : portsFolder_;
    const std::optional<QString> device = deviceForPort(number_, folder);
    if (!device) {
        device_.clear();
        description_.clear();
        return Result::failure(portLabel(number_) +
                               ": no serial device is present for this number" +
                               otherChoices(folder));
    }
    device_ = *device;
    description_ = describedDevice(device_).toStdString();
    port_.setPortName(device_);
    // Settings given to a closed port are only kept; the open applies them.
    static_cast<void>(configure(settings_));
    if (!port_.open(QIODevice::ReadWrite)) {
        std::string reason = name() + ": " + port_.errorString().toStdString();
        if (port_.error() == QSerialPort::DeviceNotFoundError) {
            reason += otherChoices(folder);
        }
        if (port_.error() == QSerialPort::PermissionError) {
            // Qt files a device that another program holds under permission errors too.
            const std::string advice = permissionAdvice(device_.toStdString());
            reason += advice.empty() ? " (the device is in use by another program)" : ". " + advice;
        }
        return Result::failure(reason);
    }
    // A radio may wait for these before it listens. Devices without modem lines (a
    // pseudo-terminal) refuse them, which costs nothing.
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(true);
    port_.clearError();
    line_.reset();
    marks_.reset();
    markParityErrors();
    return Result::success();
}

Result QtSerialPort::configure(const LineSettings& settings) {
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

void QtSerialPort::markParityErrors() {
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

Result QtSerialPort::write(const std::string& text) {
    if (!port_.isOpen()) {
        return Result::failure(portLabel(number_) + " is not open");
    }
    const auto waiting = static_cast<std::size_t>(port_.bytesToWrite());
    if (waiting + text.size() > sendQueueSize) {
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

bool QtSerialPort::isLineBusy() const {
    return port_.isOpen() && line_.isBusy(LineClock::Clock::now(), systemQueued());
}

std::size_t QtSerialPort::systemQueued() const {
#ifdef Q_OS_UNIX
    int queued = 0;
    if (::ioctl(static_cast<int>(port_.handle()), TIOCOUTQ, &queued) == 0 && queued > 0) {
        return static_cast<std::size_t>(queued);
    }
#endif
    return 0;
}

void QtSerialPort::release() {
    QObject::disconnect(&port_, nullptr, nullptr, nullptr);
    listener_ = nullptr;
    port_.close();
}

std::string QtSerialPort::readInput() {
    if (!port_.isOpen()) {
        return {};
    }
    const QByteArray bytes = port_.readAll();
    const std::string_view received(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return marking_ ? marks_.decode(received) : std::string(received);
}

void QtSerialPort::errorOccurred(QSerialPort::SerialPortError error) {
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
                                        "port is closed";
    port_.close();
    QMetaObject::invokeMethod(
        &port_,
        [this, reason] {
            if (listener_) {
                listener_->portLost(reason);
            }
        },
        Qt::QueuedConnection);
}

std::string QtSerialPort::name() const {
    return portLabel(number_) + " (" + device_.toStdString() + ")";
}

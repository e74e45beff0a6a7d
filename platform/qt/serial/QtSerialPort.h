#pragma once

#include "platform/SerialPort.h"
#include "radio/LineSettings.h"
#include "radio/ParityMarks.h"

#include <QSerialPort>
#include <QString>

// The serial port on QSerialPort. Events reach the listener from the event loop only.
class QtSerialPort : public SerialPort {
public:
    // Port links are looked up in the "ports" folder beside the settings file, found at
    // each open so that it follows the user's configuration folder.
    QtSerialPort();
    explicit QtSerialPort(QString portsFolder);

    void setListener(SerialPortListener* listener) override { listener_ = listener; }
    Result setPortNumber(std::int16_t number) override;
    std::int16_t portNumber() const override { return number_; }
    Result setLineSettings(const std::string& text) override;
    std::string lineSettings() const override { return settings_.text(); }
    bool isOpen() const override { return port_.isOpen(); }
    Result setOpen(bool open) override;
    Result write(const std::string& text) override;
    std::string readInput() override;
    std::string device() const override { return description_; }

private:
    Result open();
    Result configure(const LineSettings& settings);
    void markParityErrors();
    void errorOccurred(QSerialPort::SerialPortError error);
    // "Com 3 (/dev/ttyUSB0)", the name the user knows the port by.
    std::string name() const;

    QString portsFolder_;
    QSerialPort port_;
    SerialPortListener* listener_ = nullptr;
    std::int16_t number_ = 1;
    QString device_;
    std::string description_;
    LineSettings settings_;
    ParityMarks marks_;
    bool marking_ = false;
};

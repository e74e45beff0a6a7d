#pragma once

#include "platform/SerialPort.h"
#include "radio/LineSettings.h"
#include "radio/LineTime.h"
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
    bool isLineBusy() const override;
    std::string readInput() override;
    std::string device() const override { return description_; }

    // At the program's end, when no handler may run any more: gives the descriptor and the
    // device's lock file back to the system and tells nobody.
    void release();

private:
    Result open();
    Result configure(const LineSettings& settings);
    void markParityErrors();
    void errorOccurred(QSerialPort::SerialPortError error);
    // Bytes still in the system's output queue; 0 where it cannot say.
    std::size_t systemQueued() const;
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
    LineClock line_;
    bool marking_ = false;
};
